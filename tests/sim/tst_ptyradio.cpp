#include "sim/ptyradio.h"

#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The far end of the line, opened with plain POSIX calls as a serial
// device would be.
class SlaveEnd
{
public:
    explicit SlaveEnd(const QString &path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {}
    ~SlaveEnd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    SlaveEnd(const SlaveEnd &) = delete;
    SlaveEnd &operator=(const SlaveEnd &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    bool send(const QByteArray &bytes)
    {
        return ::write(m_fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    }
    // Takes what is waiting into buffer(); false once the line is gone.
    bool drain()
    {
        char chunk[1024];
        for (;;) {
            const ssize_t count = ::read(m_fd, chunk, sizeof chunk);
            if (count > 0) {
                m_buffer.append(chunk, count);
                continue;
            }
            if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return true;
            if (count < 0 && errno == EINTR)
                continue;
            return false;
        }
    }
    QByteArray buffer() const { return m_buffer; }
    int lines()
    {
        drain();
        return int(m_buffer.count('\r'));
    }
    // Read results since the line went away: end of file or an error.
    bool lineGone()
    {
        char byte;
        const ssize_t count = ::read(m_fd, &byte, 1);
        return count == 0 || (count < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
    }

private:
    int m_fd;
    QByteArray m_buffer;
};

} // namespace

class TestPtyRadio : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answersPollInOrder();
    void logsWhatArrived();
    void lineFeedAndSplitCommands();
    void manyCommandsKeepTheirOrder();
    void keyChangesTheScreen();
    void silentRadioAnswersNothing();
    void garbageHasNoLineEnd();
    void splitRepliesArriveWhole();
    void floodSendsJunk();
    void unplugEndsTheLine();
    void startAgainServesNewLine();
};

void TestPtyRadio::answersPollInOrder()
{
    PtyRadio radio;
    QVERIFY2(radio.start(), qPrintable(radio.errorText()));
    QVERIFY(radio.slavePath().startsWith(QStringLiteral("/dev/pts/")));
    SlaveEnd line(radio.slavePath());
    QVERIFY(line.isOpen());
    QVERIFY(line.send("STS\rGLG\rWIN\r"));
    QTRY_COMPARE(line.lines(), 3);
    const QList<QByteArray> replies = line.buffer().split('\r');
    QCOMPARE(replies.size(), 4);
    QCOMPARE(replies.at(0).split(',').size(), 18);
    QVERIFY(replies.at(0).startsWith("STS,011000,"));
    QCOMPARE(replies.at(1), QByteArray("GLG,,,,,,,,,"));
    QVERIFY(replies.at(2).startsWith("WIN,"));
    QCOMPARE(replies.at(2).split(',').size(), 3);
    QCOMPARE(replies.at(3), QByteArray());
    QCOMPARE(radio.rawSent(), line.buffer());
    QCOMPARE(radio.radio().tick(), 1);
}

void TestPtyRadio::logsWhatArrived()
{
    PtyRadio radio;
    QVERIFY(radio.start());
    QSignalSpy commands(&radio, &PtyRadio::commandReceived);
    SlaveEnd line(radio.slavePath());
    QVERIFY(line.send("STS\rGLG\rWIN\r"));
    QTRY_COMPARE(line.lines(), 3);
    QCOMPARE(radio.rawReceived(), QByteArray("STS\rGLG\rWIN\r"));
    const QList<PtyRadio::Received> received = radio.received();
    QCOMPARE(received.size(), 3);
    QCOMPARE(received.at(0).line, QByteArray("STS"));
    QCOMPARE(received.at(1).line, QByteArray("GLG"));
    QCOMPARE(received.at(2).line, QByteArray("WIN"));
    QVERIFY(received.at(0).atMs <= received.at(2).atMs);
    QVERIFY(received.at(2).atMs <= radio.elapsedMs());
    QCOMPARE(commands.size(), 3);
    QCOMPARE(commands.at(1).at(0).toByteArray(), QByteArray("GLG"));

    radio.clearReceived();
    QVERIFY(radio.received().isEmpty());
    QVERIFY(radio.rawReceived().isEmpty());
}

void TestPtyRadio::lineFeedAndSplitCommands()
{
    PtyRadio radio;
    QVERIFY(radio.start());
    SlaveEnd line(radio.slavePath());
    QVERIFY(line.send("MD"));
    QTRY_COMPARE(radio.rawReceived(), QByteArray("MD"));
    QVERIFY(radio.received().isEmpty());
    QVERIFY(line.send("L\r\nVOL\r"));
    QTRY_COMPARE(line.lines(), 2);
    QCOMPARE(line.buffer(), QByteArray("MDL,BCD396T\rVOL,8\r"));
    QCOMPARE(radio.received().size(), 2);
    QCOMPARE(radio.received().at(0).line, QByteArray("MDL"));
    QCOMPARE(radio.received().at(1).line, QByteArray("VOL"));
    QCOMPARE(radio.rawReceived(), QByteArray("MDL\r\nVOL\r"));
}

void TestPtyRadio::manyCommandsKeepTheirOrder()
{
    PtyRadio radio;
    radio.setReplyDelayMs(0);
    QVERIFY(radio.start());
    SlaveEnd line(radio.slavePath());
    QByteArray commands;
    QByteArray expected;
    for (int i = 0; i < 40; ++i) {
        const int level = i % 16;
        commands += "VOL," + QByteArray::number(level) + "\rVOL\rFOO\rKEY,Z,P\r";
        expected += "VOL,OK\rVOL," + QByteArray::number(level) + "\rERR\rKEY,ERR\r";
    }
    QVERIFY(line.send(commands));
    QTRY_COMPARE(line.lines(), 160);
    QCOMPARE(line.buffer(), expected);
}

void TestPtyRadio::keyChangesTheScreen()
{
    PtyRadio radio;
    QVERIFY(radio.start());
    SlaveEnd line(radio.slavePath());
    QVERIFY(line.send("KEY,M,P\rSTS\rKEY,M,P\rSTS\r"));
    QTRY_COMPARE(line.lines(), 4);
    const QList<QByteArray> replies = line.buffer().split('\r');
    QCOMPARE(replies.at(0), QByteArray("KEY,OK"));
    QCOMPARE(replies.at(1).split(',').size(), 14);
    QCOMPARE(replies.at(2), QByteArray("KEY,OK"));
    QCOMPARE(replies.at(3).split(',').size(), 18);
}

void TestPtyRadio::silentRadioAnswersNothing()
{
    PtyRadio radio;
    QVERIFY(radio.start());
    SlaveEnd line(radio.slavePath());
    radio.setFault(PtyRadio::Fault::Silent);
    QVERIFY(line.send("MDL\rSTS\r"));
    QTRY_COMPARE(radio.received().size(), 2);
    radio.setFault(PtyRadio::Fault::None);
    QVERIFY(line.send("VOL\r"));
    QTRY_COMPARE(line.lines(), 1);
    QCOMPARE(line.buffer(), QByteArray("VOL,8\r"));
    QCOMPARE(radio.radio().tick(), 0);
}

void TestPtyRadio::garbageHasNoLineEnd()
{
    PtyRadio radio;
    QVERIFY(radio.start());
    SlaveEnd line(radio.slavePath());
    radio.setFault(PtyRadio::Fault::Garbage);
    QVERIFY(line.send("STS\rGLG\rWIN\r"));
    QTRY_VERIFY(line.drain() && line.buffer().size() >= 12);
    QTRY_COMPARE(line.buffer().size(), radio.rawSent().size());
    QVERIFY(!line.buffer().contains('\r'));
    QVERIFY(!line.buffer().contains("STS"));
    radio.setFault(PtyRadio::Fault::None);
    QVERIFY(line.send("MDL\r"));
    QTRY_VERIFY(line.lines() == 1);
    QVERIFY(line.buffer().endsWith("MDL,BCD396T\r"));
}

void TestPtyRadio::splitRepliesArriveWhole()
{
    PtyRadio radio;
    QVERIFY(radio.start());
    SlaveEnd line(radio.slavePath());
    radio.setFault(PtyRadio::Fault::SplitReplies);
    QVERIFY(line.send("MDL\rVOL\r"));
    QTRY_COMPARE(line.lines(), 2);
    QCOMPARE(line.buffer(), QByteArray("MDL,BCD396T\rVOL,8\r"));
}

void TestPtyRadio::floodSendsJunk()
{
    PtyRadio radio;
    QVERIFY(radio.start());
    SlaveEnd line(radio.slavePath());
    radio.flood(300);
    QTRY_VERIFY(line.drain() && line.buffer().size() == 300);
    QVERIFY(!line.buffer().contains('\r'));
    QVERIFY(!line.buffer().contains(','));
    QVERIFY(line.send("MDL\r"));
    QTRY_COMPARE(line.lines(), 1);
    QVERIFY(line.buffer().endsWith("MDL,BCD396T\r"));
}

void TestPtyRadio::unplugEndsTheLine()
{
    PtyRadio radio;
    QVERIFY(radio.start());
    SlaveEnd line(radio.slavePath());
    QVERIFY(line.send("MDL\r"));
    QTRY_COMPARE(line.lines(), 1);
    QVERIFY(radio.isRunning());
    radio.unplug();
    QVERIFY(!radio.isRunning());
    QVERIFY(line.lineGone());
    QVERIFY(!line.send("STS\r"));
}

void TestPtyRadio::startAgainServesNewLine()
{
    PtyRadio radio;
    QVERIFY(radio.start());
    const QString first = radio.slavePath();
    SlaveEnd oldLine(first);
    radio.unplug();
    QVERIFY(radio.start());
    QVERIFY(radio.slavePath() != first);
    QVERIFY(oldLine.lineGone());
    SlaveEnd line(radio.slavePath());
    QVERIFY(line.send("MDL\r"));
    QTRY_COMPARE(line.lines(), 1);
    QCOMPARE(line.buffer(), QByteArray("MDL,BCD396T\r"));
}

QTEST_GUILESS_MAIN(TestPtyRadio)
#include "tst_ptyradio.moc"
