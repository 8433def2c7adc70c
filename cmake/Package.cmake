# A Debian package of the installed files (scripts/package). Its run-time
# dependencies come from dpkg-shlibdeps over the two programs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tollvane)
set(CPACK_PACKAGE_VENDOR "Tollvane")
set(CPACK_PACKAGE_CONTACT "Tollvane developers <developers@tollvane.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Front panel and reception logger for the BCD396T scanner")
set(CPACK_PACKAGE_VERSION ${TOLLVANE_DEBIAN_VERSION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not found by dpkg-shlibdeps: Qt's platform plugins, its SQLite driver (the
# hit database) and the font of the radio's screen are loaded at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core, libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tollvane mirrors the screen and keypad of a BCD396T handheld scanner\n\
connected by its serial cable, logs every reception to a table and a text\n\
file, records receptions to WAV files, and offers tuning tools, key macros\n\
and compact window layouts. A simulated radio for trying it out is included.")
set(CPACK_STRIP_FILES ON)
include(CPack)
