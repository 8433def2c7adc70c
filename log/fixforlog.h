#pragma once

#include <QString>

// Makes a text safe as a piece of a file name: every " ", "/", "\", ":",
// "*", "?" and double quote becomes "-". The caller's text is cleaned in
// place and the cleaned text is also returned.
QString FixForLog(QString &toFix);
