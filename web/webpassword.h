#pragma once

#include <QByteArray>
#include <QString>

// The web remote's password is kept only as a salted PBKDF2 (SHA-256) hash:
// "pbkdf2-sha256$ITERATIONS$SALTHEX$HASHHEX".
QByteArray hashPassword(const QString &password);
// Whether password is the one stored hashed; a damaged stored string
// matches nothing. The hashes are compared in constant time.
bool passwordMatches(const QString &password, const QByteArray &stored);
// Whether a and b hold the same bytes, in a time that depends only on their sizes.
bool sameBytes(const QByteArray &a, const QByteArray &b);
