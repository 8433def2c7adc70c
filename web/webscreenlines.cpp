#include "web/webscreenlines.h"

namespace {

QStringList splitLines(const QString &text, qsizetype count)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    lines.resize(count);
    return lines;
}

} // namespace

WebScreenState webScreenState(const WindowScreenText &screen)
{
    WebScreenState state;
    state.signal = qBound(0, screen.signal, 5);
    if (screen.fourLine) {
        state.lines = splitLines(screen.text1, 4);
        state.lines << QString() << QString();
        return state;
    }
    const QStringList big = splitLines(screen.text1, 2);
    QString fourth = screen.modulation.trimmed();
    const QString frequency = screen.frequency.trimmed();
    if (!frequency.isEmpty())
        fourth += (fourth.isEmpty() ? QString() : QStringLiteral("  ")) + frequency;
    state.lines = {screen.line1, big.at(0), big.at(1), fourth, screen.icons1, screen.icons2};
    return state;
}
