#pragma once

#include <QString>
#include <QStringView>
#include <QUrl>

// Scheme and host of the FCC's public licence search (ULS).
inline constexpr QStringView fccServiceAddress = u"https://wireless2.fcc.gov";

// The licence search's result page for a typed frequency in a state: the
// fixed path and query with the state code and the typed text as the "freq"
// value. The text is percent-encoded, so an "&" or "#" in it stays inside the
// value; otherwise it goes as typed. An empty address for a text without a
// ".": there is nothing to look up.
QUrl fccLookupUrl(const QString &stateCode, const QString &typed);
