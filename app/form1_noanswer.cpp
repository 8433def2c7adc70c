// A radio that does not answer: no radio on the port, the wrong speed, the
// radio's remote setting off, the radio switched off or its line dead. The
// poll keeps asking; after two seconds without a reply the status line names
// the port, its device and the speed, and the first reply clears it.
#include "app/form1.h"

#include "link/portcatalogue.h"
#include "poll/widgets/signalmeter.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

void Form1::connectNoAnswer()
{
    m_noAnswerClock.start();
    m_noAnswerTimer = new QTimer(this);
    m_noAnswerTimer->setObjectName(QStringLiteral("noAnswerTimer"));
    m_noAnswerTimer->setSingleShot(true);
    connect(m_noAnswerTimer, &QTimer::timeout, this, &Form1::onNoAnswerTimeout);
    // A reply is looked for only while one is awaited: once per poll set.
    connect(&m_port, &RadioPort::bytesArrived, this, [this] {
        if (m_noAnswer.waiting())
            heardFromRadio(m_port.peekWaiting());
    });
}

void Form1::pollAsked(const QByteArray &read)
{
    if (!read.isEmpty())
        heardFromRadio(read);
    const qint64 now = m_noAnswerClock.elapsed();
    m_noAnswer.asked(now);
    // A wait begun before a pause of the poll (the harvest) is looked at too.
    if (m_noAnswerText.isEmpty() && !m_noAnswerTimer->isActive())
        m_noAnswerTimer->start(int(m_noAnswer.msToSilence(now)));
}

void Form1::heardFromRadio(QByteArrayView bytes)
{
    if (!m_noAnswer.took(bytes))
        return;
    m_noAnswerTimer->stop();
    if (m_noAnswerText.isEmpty())
        return;
    m_noAnswerText.clear();
    Text3->setToolTip(QString());
    onStatusTick();
}

void Form1::onNoAnswerTimeout()
{
    // A timer may fire a little early: it then waits out the rest.
    const qint64 left = m_noAnswer.msToSilence(m_noAnswerClock.elapsed());
    if (left > 0)
        m_noAnswerTimer->start(int(left));
    if (left != 0 || !Timer1->isActive())
        return;
    m_noAnswerText =
        noAnswerText(leadingPortNumber(Combo1->currentText()), m_port.device(), m_port.baud());
    Text3->setToolTip(m_noAnswerText);
    onStatusTick();
    showOnScreen(QStringLiteral("No Answer\nFrom The Radio\n"));
}

void Form1::showStopped()
{
    m_noAnswer.reset();
    m_noAnswerTimer->stop();
    m_noAnswerText.clear();
    Text3->setToolTip(QString());
    // What the status line said before a macro or a note was of the run.
    m_statusBeforeMacro.reset();
    m_statusNote.clear();
    Text3->setText(QStringLiteral("Stopped"));
    showOnScreen(QStringLiteral("Stopped\nHit Run\n"));
}

// The radio's last screen would look live: it gives way to the words, and
// the next reply draws the radio's screen again.
void Form1::showOnScreen(const QString &text)
{
    Text1->setText(text);
    for (QLabel *box : {sigdisplay, moddisp, IconsSet1, IconsSet2, freq})
        box->clear();
    sigpic->setLevel(0);
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    floating_taskbar->setText(QLatin1Char(' ') + line.trimmed());
    UpdateWindowTitle();
}
