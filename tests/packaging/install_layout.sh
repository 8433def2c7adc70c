#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks what lands there:
# the two programs, the sound and web remote modules where the program looks
# for them, the menu entry (validated), the icon, the metainfo (validated
# when appstreamcli is installed) and the two man pages.
set -euo pipefail
build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
libdir=$(sed -n 's/^CMAKE_INSTALL_LIBDIR:[A-Z]*=//p' "$build/CMakeCache.txt")

expected=(
  usr/bin/tollvane
  usr/bin/tollvane-radio-sim
  "usr/$libdir/tollvane/libtollvane-media.so"
  "usr/$libdir/tollvane/libtollvane-web.so"
  usr/share/applications/org.tollvane.Tollvane.desktop
  usr/share/icons/hicolor/scalable/apps/org.tollvane.Tollvane.svg
  usr/share/metainfo/org.tollvane.Tollvane.metainfo.xml
  usr/share/man/man1/tollvane.1
  usr/share/man/man1/tollvane-radio-sim.1
)
actual=$(cd "$stage" && find . -type f | sed 's|^\./||' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
if [ "$actual" != "$wanted" ]; then
  echo "installed files differ from the expected list:"
  diff <(echo "$wanted") <(echo "$actual") || true
  exit 1
fi

for program in tollvane tollvane-radio-sim; do
  [ -x "$stage/usr/bin/$program" ] || { echo "$program is not executable"; exit 1; }
done
desktop-file-validate "$stage/usr/share/applications/org.tollvane.Tollvane.desktop"
grep -q '^Categories=.*HamRadio;' "$stage/usr/share/applications/org.tollvane.Tollvane.desktop"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$stage/usr/share/metainfo/org.tollvane.Tollvane.metainfo.xml"
fi
# The program loads its modules from ../<libdir>/tollvane/. A string's
# start is not checked: the bytes before a literal may read as a character.
strings -el "$stage/usr/bin/tollvane" >"$stage/program-strings"
grep -q "/\.\./$libdir/tollvane/\$" "$stage/program-strings" ||
  { echo "the program looks for its modules elsewhere"; exit 1; }
for module in media web; do
  grep -q "libtollvane-$module\.so\$" "$stage/program-strings" ||
    { echo "the program does not know its module libtollvane-$module.so"; exit 1; }
done
rm "$stage/program-strings"
# The network libraries come only with the web remote module.
if readelf -d "$stage/usr/bin/tollvane" | grep -E 'NEEDED.*libQt6(Network|HttpServer|WebSockets)'; then
  echo "the program links the network libraries itself"
  exit 1
fi
version=$("$stage/usr/bin/tollvane" --version)
grep -q "$(sed -n 's/^.*"Tollvane \([^"]*\)".*$/\1/p' "$stage/usr/share/man/man1/tollvane.1")" <<<"$version" ||
  { echo "--version ($version) and the man page disagree"; exit 1; }
for page in tollvane tollvane-radio-sim; do
  ! grep -q '@TOLLVANE_VERSION@' "$stage/usr/share/man/man1/$page.1"
done
echo "install layout: ${#expected[@]} files as expected"
