// The poll: ten times a second ask the radio for its screen, its reception
// and its frequency, and hand the replies on.
#include "app/form1.h"

#include "poll/displaydecode.h"
#include "poll/replyset.h"
#include "poll/widgets/screenlabel.h"
#include "poll/widgets/signalmeter.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace {

// Screen boxes show CR LF line ends as plain new lines.
QString shown(const QString &text)
{
    if (!text.contains(QLatin1Char('\r')))
        return text;
    QString s = text;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return s;
}

void setTextIfChanged(QLabel *label, const QString &text)
{
    const QString s = shown(text);
    if (auto *screen = qobject_cast<ScreenLabel *>(label))
        screen->showText(s);
    else if (label->text() != s)
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

    m_port.SendCommands(
        {QByteArrayLiteral("STS"), QByteArrayLiteral("GLG"), QByteArrayLiteral("WIN")});

    const QByteArray raw = m_port.snapshotRead();
    holdRestOfReplies();
    pollAsked(raw);
    if (raw.isEmpty())
        return;
    // Replies identical to the last tick's are not split or decoded again.
    const std::optional<ReplySet> &set = m_lastReplies.split(raw);
    if (!set)
        return;

    sts_fields = set->sts;
    glg_fields = set->glg;
    const QString &debugText = m_lastReplies.debugText();
    if (debug_box->text() != debugText)
        debug_box->setText(debugText);

    if (isFourLineScreen(sts_fields)) {
        showFourLineDisplay();
        return;
    }
    if (!isSixLineScreen(sts_fields))
        return;

    IconsSet1->setVisible(true);
    IconsSet2->setVisible(true);
    moddisp->setVisible(true);
    freq->setVisible(true);

    if (isReceptionReply(glg_fields) && isFrequencyReply(set->win))
        handleReception(set->win);
    updateSixLineDisplay();
    UpdateWindowTitle();
}

QString Form1::timeOfDayNow()
{
    const QTime now = m_clock->now().time();
    const QTime second(now.hour(), now.minute(), now.second());
    if (second != m_timeOfDayAt || m_timeOfDayText.isEmpty()) {
        m_timeOfDayAt = second;
        m_timeOfDayText = timeOfDayText(second, m_locale, m_timeFormat);
    }
    return m_timeOfDayText;
}

void Form1::handleReception(const QList<QByteArray> &win)
{
    const QString now = timeOfDayNow();
    const bool wasActive = m_hits.state().hit_active;
    applyHitResult(m_hits.tick(sts_fields, glg_fields, win, now, startup_date), wasActive);
}

void Form1::endHitOnAir()
{
    const QString now = timeOfDayNow();
    const bool wasActive = m_hits.state().hit_active;
    applyHitResult(m_hits.endHitNow(now, startup_date), wasActive);
}

void Form1::applyHitResult(const HitTickResult &result, bool wasActive)
{
    for (const QByteArray &command : std::as_const(result.commands))
        SendCommand(command);
    if (result.freqText)
        setTextIfChanged(freq, *result.freqText);
    if (!result.logLine.isEmpty()) {
        m_log.insertHitLine(result.logLine);
        onLogChanged();
    }
    if (result.recordingStart)
        startHitRecording();
    if (result.showExtendedInfo)
        ShowExtendedInfo();
    if (result.ended)
        stopHitRecording(*result.ended);
    if (m_hits.state().hit_active != wasActive) {
        // A passing note gives way to the hit's state; a macro's progress
        // stays until the macro ends.
        if (!m_statusBeforeMacro)
            m_statusNote.clear();
        Timer3->start();
    }
    checkAlerts(result);
}

void Form1::updateSixLineDisplay()
{
    const SixLineScreen &screen = m_lastReplies.sixLineScreen(sts_fields);
    setTextIfChanged(Text1, screen.text1);
    setTextIfChanged(floating_taskbar, screen.floatingTaskbar);
    if (m_hits.state().trunked_hit)
        setTextIfChanged(freq, QStringLiteral("ID: ") + m_hits.state().hit_talkgroup);
    setTextIfChanged(IconsSet1, screen.iconsSet1);
    setTextIfChanged(IconsSet2, screen.iconsSet2);
    sts_fields[2] = screen.line1;
    sts_fields[8] = screen.line4;
    m_hits.screenShowsP25(screen.p25);
    sigpic->setLevel(screen.signalLevel);
    setTextIfChanged(sigdisplay, screen.sigdisplay);
    setTextIfChanged(moddisp, screen.moddisp);
    publishScreen();
}

void Form1::showFourLineDisplay()
{
    setTextIfChanged(Text1, decodeFourLineScreen(sts_fields));
    IconsSet1->setVisible(false);
    IconsSet2->setVisible(false);
    moddisp->setVisible(false);
    // The frequency sits where the menu's third line is drawn.
    freq->setVisible(false);
    publishScreen();
}

void Form1::onStatusTick()
{
    QString word;
    if (!m_noAnswerText.isEmpty() && !m_statusBeforeMacro)
        word = m_noAnswerText;
    else if (!m_statusNote.isEmpty())
        word = m_statusNote; // a macro playing, the radio found again
    else if (!m_hits.state().hit_active)
        word = QStringLiteral("Waiting");
    else if (RecordAudioCheck->isChecked())
        word = QStringLiteral("Recording");
    else
        word = QStringLiteral("Active");
    if (Text3->text() != word) {
        Text3->setText(word);
        // A long text shows its beginning.
        Text3->setCursorPosition(0);
    }
}
