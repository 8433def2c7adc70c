#pragma once

#include "web/webremote.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

// The web remote's JSON: the hits as /api/hits and the WebSocket give
// them, and the WebSocket's messages both ways.

QJsonObject hitJson(const WebHit &hit);
QJsonArray hitsJson(const QList<WebHit> &hits);
// An object as compact JSON text.
QByteArray jsonText(const QJsonObject &object);

QByteArray screenMessage(const WebScreenState &screen);
QByteArray hitsMessage(const QList<WebHit> &hits);
QByteArray hitMessage(const WebHit &hit);
QByteArray audioMessage(int sampleRate, int channels);

// Whether every word (in lower case) is inside one of the hit's texts.
bool hitHasWords(const WebHit &hit, const QStringList &words);

// What a page asked for: a key ("key_" and letters, digits, "_"), a volume
// or squelch level 0..15, listening on or off. Anything else is Nothing.
struct PageMessage
{
    enum Kind { Nothing, Key, Volume, Squelch, Listen };
    Kind kind = Nothing;
    QString key;
    int level = 0;
    bool on = false;
};

PageMessage readPageMessage(const QString &text);
