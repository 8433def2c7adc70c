#include "support/radiofixture.h"

#include <QFile>
#include <QTest>

RadioFixture::RadioFixture()
    : clock(QDateTime(QDate(2026, 12, 6), QTime(15, 45, 12))), m_radio(std::make_unique<PtyRadio>())
{
    m_radio->start();
    QFile::link(m_radio->slavePath(), portLink());
}

bool RadioFixture::plugBackIn()
{
    if (!m_radio->start())
        return false;
    QFile::remove(portLink());
    return QFile::link(m_radio->slavePath(), portLink());
}

void RadioFixture::writeFile(const QString &name, const QByteArray &bytes) const
{
    QFile file(m_dataDir.filePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QByteArray RadioFixture::readFile(const QString &name) const
{
    QFile file(m_dataDir.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::unique_ptr<Form1> RadioFixture::makeForm(const QStringList &portsBefore,
                                              const QStringList &portsAfter)
{
    Form1Options options;
    options.dataFolder = dataFolder.isEmpty() ? dataDir() : dataFolder;
    options.givenPorts = portsBefore + QStringList{portLink()} + portsAfter;
    options.listSystemPorts = false;
    options.systemPorts = [this] { return systemPorts; };
    options.clock = &clock;
    options.showMessage = [this](const QString &text) {
        messages.append(text);
        if (whileMessageOpen)
            whileMessageOpen();
    };
    options.chooseFolder = [this](const QString &) { return folderToChoose; };
    options.askQuestion = [this](const QString &question) {
        questions.append(question);
        return answer;
    };
    options.soundModule = soundModule;
    options.webModule = webModule;
    options.webPort = webPort;
    return std::make_unique<Form1>(options);
}

QByteArray runningComSettings(int port, int interval)
{
    return QByteArray::number(port - 1) + "\r\n4\r\n" + QByteArray::number(interval) + "\r\n";
}

QByteArray RadioFixture::wireUpToMarker(Form1 &form)
{
    if (!QTest::qWaitFor([&] { return !form.sequencer().busy(); }, 10000))
        return QByteArrayLiteral("<a sequence still plays>");
    form.SendCommand(marker.toByteArray());
    const QByteArray end = marker.toByteArray() + '\r';
    if (!QTest::qWaitFor([&] { return m_radio->rawReceived().endsWith(end); }, 5000))
        return m_radio->rawReceived() + "<marker not received>";
    QByteArray raw = m_radio->rawReceived();
    raw.chop(end.size());
    return raw;
}

QByteArray readWholeFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
