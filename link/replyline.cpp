#include "link/replyline.h"

QByteArrayView commandName(QByteArrayView command)
{
    const qsizetype comma = command.indexOf(',');
    return comma < 0 ? command : command.first(comma);
}

std::optional<QByteArray> takeReplyLine(QByteArray &received, QByteArrayView name)
{
    qsizetype start = 0;
    while (true) {
        const qsizetype end = received.indexOf('\r', start);
        if (end < 0)
            break;
        const QByteArrayView line = QByteArrayView(received).sliced(start, end - start);
        if (commandName(line) == name || line == "ERR") {
            QByteArray answer = line.toByteArray();
            received.remove(0, end + 1);
            return answer;
        }
        start = end + 1;
    }
    received.remove(0, start);
    return std::nullopt;
}
