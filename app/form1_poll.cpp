// The poll: ten times a second ask the radio for its screen, its reception
// and its frequency, and hand the replies on.
#include "app/form1.h"

#include "poll/displaydecode.h"
#include "poll/replyset.h"
#include "poll/widgets/signalmeter.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace {

// Screen boxes show CR LF line ends as plain new lines.
QString shown(const QString &text)
{
    QString s = text;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return s;
}

void setTextIfChanged(QLabel *label, const QString &text)
{
    const QString s = shown(text);
    if (label->text() != s)
        label->setText(s);
}

} // namespace

void Form1::PollRadio()
{
    // A key sequence owns the line until it has ended; its replies are
    // dropped by the first tick after it.
    if (m_sequencer.busy() || !m_port.isOpen())
        return;
    // On a slow line the next set waits for the last one's replies.
    if (!pacePoll())
        return;

    m_port.SendCommand(QByteArrayLiteral("STS"));
    m_port.SendCommand(QByteArrayLiteral("GLG"));
    m_port.SendCommand(QByteArrayLiteral("WIN"));

    const QByteArray raw = m_port.snapshotRead();
    if (raw.isEmpty())
        return;
    std::optional<ReplySet> set = splitReplySet(raw);
    if (!set)
        return;

    sts_fields = std::move(set->sts);
    glg_fields = std::move(set->glg);
    debug_box->setText(debugBoxText(ReplySet{sts_fields, glg_fields, set->win}, raw));

    if (isFourLineScreen(sts_fields)) {
        showFourLineDisplay();
        return;
    }
    if (!isSixLineScreen(sts_fields))
        return;

    IconsSet1->setVisible(true);
    IconsSet2->setVisible(true);
    moddisp->setVisible(true);

    if (isReceptionReply(glg_fields) && isFrequencyReply(set->win))
        handleReception(set->win);
    updateSixLineDisplay();
    UpdateWindowTitle();
}

void Form1::handleReception(const QList<QByteArray> &win)
{
    const QString now = timeOfDayText(m_clock->now().time(), m_locale, m_timeFormat);
    HitTickResult result = m_hits.tick(sts_fields, glg_fields, win, now, startup_date);
    for (const QByteArray &command : std::as_const(result.commands))
        SendCommand(command);
    if (result.freqText)
        setTextIfChanged(freq, *result.freqText);
    // The recording and the extended info come in with their own features;
    // the decode already tells when they are due.
    if (!result.logLine.isEmpty()) {
        m_log.insertHitLine(result.logLine);
        onLogChanged();
    }
}

void Form1::updateSixLineDisplay()
{
    const SixLineScreen screen = decodeSixLineScreen(sts_fields);
    setTextIfChanged(Text1, screen.text1);
    setTextIfChanged(floating_taskbar, screen.floatingTaskbar);
    if (m_hits.state().trunked_hit)
        setTextIfChanged(freq, QStringLiteral("ID: ") + m_hits.state().hit_talkgroup);
    setTextIfChanged(IconsSet1, screen.iconsSet1);
    setTextIfChanged(IconsSet2, screen.iconsSet2);
    sts_fields[2] = screen.line1;
    sts_fields[8] = screen.line4;
    if (screen.p25)
        m_hits.markP25();
    sigpic->setLevel(screen.signalLevel);
    setTextIfChanged(sigdisplay, screen.sigdisplay);
    setTextIfChanged(moddisp, screen.moddisp);
}

void Form1::showFourLineDisplay()
{
    setTextIfChanged(Text1, decodeFourLineScreen(sts_fields));
    IconsSet1->setVisible(false);
    IconsSet2->setVisible(false);
    moddisp->setVisible(false);
}

void Form1::UpdateWindowTitle()
{
    if (isMinimized()) {
        // Lines 2 and 3 joined by "/", as the one-line strip shows them.
        const QString title = floating_taskbar->text().mid(1);
        if (windowTitle() != title)
            setWindowTitle(title);
        return;
    }
    if (windowTitle() != QLatin1String("Tollvane"))
        setWindowTitle(QStringLiteral("Tollvane"));
}

void Form1::onStatusTick()
{
    QString word;
    if (!m_hits.state().hit_active)
        word = QStringLiteral("Waiting");
    else if (RecordAudioCheck->isChecked())
        word = QStringLiteral("Recording");
    else
        word = QStringLiteral("Active");
    if (Text3->text() != word)
        Text3->setText(word);
}
