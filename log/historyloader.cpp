#include "log/historyloader.h"

#include <QDir>
#include <QFile>
#include <QMetaObject>

HistoryLoader::HistoryLoader(QObject *parent) : QObject(parent) {}

HistoryLoader::~HistoryLoader()
{
    stop();
}

void HistoryLoader::stop()
{
    if (m_cancel)
        *m_cancel = true;
    if (m_worker.joinable())
        m_worker.join();
}

HistoryLoad HistoryLoader::load(const QStringList &folders, const QString &excludeName,
                                const std::function<void(int, int)> &progress,
                                const std::atomic_bool *cancel)
{
    HistoryLoad load;
    load.runs = findRunFiles(folders, excludeName);
    const int total = int(load.runs.size());
    for (int i = 0; i < total; ++i) {
        if (cancel && *cancel)
            break;
        QFile file(QDir(load.runs[i].folder).filePath(load.runs[i].name + QStringLiteral(".txt")));
        if (file.open(QIODevice::ReadOnly))
            readRunFile(file.readAll(), i, load);
        if (progress)
            progress(i + 1, total);
    }
    return load;
}

void HistoryLoader::start(const QStringList &folders, const QString &excludeName)
{
    stop();
    m_cancel = std::make_shared<std::atomic_bool>(false);
    m_done = false;
    auto cancel = m_cancel;
    m_worker = std::thread([this, folders, excludeName, cancel] {
        auto report = [this, cancel](int done, int total) {
            QMetaObject::invokeMethod(
                this,
                [this, cancel, done, total] {
                    if (!*cancel)
                        Q_EMIT progress(done, total);
                },
                Qt::QueuedConnection);
        };
        auto result =
            std::make_shared<HistoryLoad>(load(folders, excludeName, report, cancel.get()));
        QMetaObject::invokeMethod(
            this,
            [this, cancel, result] {
                if (*cancel)
                    return;
                m_done = true;
                Q_EMIT finished(result);
            },
            Qt::QueuedConnection);
    });
}
