#pragma once

#include "web/webremote.h"

#include <QString>

#include <memory>

class HitStore;

// The hit database read for the web remote: a read-only connection of its
// own to the file, on the thread that uses it, beside the database's writer.
// The file is opened at the first question, and again at the next one when
// it could not be (it may not exist yet).
class HitLookup : public WebHitSource
{
public:
    explicit HitLookup(const QString &databaseFile);
    ~HitLookup() override;
    HitLookup(const HitLookup &) = delete;
    HitLookup &operator=(const HitLookup &) = delete;

    // The hits holding every word, newest first, as the History finds them.
    QList<WebHit> find(const QString &words, int limit) override;
    QString recordingFile(qint64 hitId) override;

private:
    bool open();

    QString m_path;
    std::unique_ptr<HitStore> m_store;
};
