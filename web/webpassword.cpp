#include "web/webpassword.h"

#include <QCryptographicHash>
#include <QList>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>

namespace {

// About 40 ms on a busy desktop of today: slow for a guesser, unnoticed at
// a log-in, which waits for it on the window's thread.
constexpr int iterations = 20000;
constexpr int saltBytes = 16;
constexpr int hashBytes = 32;
constexpr int leastIterations = 1000;
constexpr int mostIterations = 1000000;

// PBKDF2 with HMAC-SHA-256 (RFC 8018): one block is the whole hash.
QByteArray derive(const QString &password, const QByteArray &salt, int rounds)
{
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, password.toUtf8());
    mac.addData(salt);
    mac.addData("\0\0\0\1", 4);
    QByteArray block = mac.result();
    QByteArray key = block;
    for (int round = 1; round < rounds; ++round) {
        mac.reset();
        mac.addData(block);
        block = mac.result();
        for (qsizetype i = 0; i < hashBytes; ++i)
            key[i] = char(key[i] ^ block[i]);
    }
    return key;
}

bool isHex(const QByteArray &text)
{
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return !text.isEmpty() && text.size() % 2 == 0;
}

} // namespace

QByteArray hashPassword(const QString &password)
{
    quint32 words[saltBytes / 4];
    QRandomGenerator::system()->fillRange(words);
    const QByteArray salt(reinterpret_cast<const char *>(words), saltBytes);
    return "pbkdf2-sha256$" + QByteArray::number(iterations) + '$' + salt.toHex() + '$' +
           derive(password, salt, iterations).toHex();
}

bool passwordMatches(const QString &password, const QByteArray &stored)
{
    const QList<QByteArray> parts = stored.trimmed().split('$');
    if (parts.size() != 4 || parts.at(0) != "pbkdf2-sha256" || !isHex(parts.at(2)) ||
        !isHex(parts.at(3)) || parts.at(3).size() != 2 * hashBytes)
        return false;
    bool ok = false;
    const int rounds = parts.at(1).toInt(&ok);
    if (!ok || rounds < leastIterations || rounds > mostIterations)
        return false;
    return sameBytes(derive(password, QByteArray::fromHex(parts.at(2)), rounds),
                     QByteArray::fromHex(parts.at(3)));
}

bool sameBytes(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}
