// Slow links: at 9600 and 19200 baud one set of replies takes longer than a
// poll tick, so the poll sends its next STS, GLG and WIN only once the last
// set is answered, and takes the replies as soon as they are in.
#include "app/form1.h"

#include <QComboBox>
#include <QLabel>

void Form1::connectPacing()
{
    connect(&m_port, &RadioPort::stateChanged, this, [this](RadioPort::State state) {
        if (state == RadioPort::State::Open)
            m_pacing.restart();
    });
    connect(&m_port, &RadioPort::bytesArrived, this, &Form1::onRepliesArriving);
    connect(Combo2, &QComboBox::currentIndexChanged, this, &Form1::showSpeedNote);
}

bool Form1::pacePoll()
{
    m_pacing.setBaud(m_port.baud());
    if (PollPacing::pacedAt(m_port.baud()) && !m_pacing.tickMaySend(m_port.peekWaiting()))
        return false;
    m_pacing.sent();
    m_sinceSetSent.start();
    return true;
}

void Form1::holdRestOfReplies()
{
    // The tick takes its set's replies only at the next tick, so they need
    // not wake the program as they come; a slow line takes them as soon as
    // they are in. A poll of a second or less hears a silent radio, and
    // finds a line hung up meanwhile, soon enough.
    if (!PollPacing::pacedAt(m_port.baud()) && Timer1->interval() <= 1000)
        m_port.holdReplies();
}

void Form1::onRepliesArriving()
{
    // Not before the poll's interval has passed since the set went out.
    if (!PollPacing::pacedAt(m_port.baud()) || !Timer1->isActive() || !m_sinceSetSent.isValid() ||
        m_sinceSetSent.elapsed() < Timer1->interval())
        return;
    if (m_pacing.repliesIn(m_port.peekWaiting()))
        PollRadio();
}

void Form1::showSpeedNote()
{
    speed_note->setText(PollPacing::speedNote(Combo2->currentText().toInt()));
}
