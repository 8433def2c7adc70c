#pragma once

#include <QByteArray>
#include <QString>

// The one place where bytes from the radio become text: one character per
// byte, Windows-1252. Bytes below 0x80 are ASCII, 0xA0 to 0xFF the Latin-1
// characters of the same value, 0x80 to 0x9F the Windows-1252 characters;
// the five values that code page leaves undefined (81, 8D, 8F, 90, 9D) keep
// their own code point (U+0081 ...), so every byte maps to exactly one
// character and back.
QString radioText(const QByteArray &bytes);

// The character that one radio byte becomes.
char16_t radioChar(unsigned char byte);
