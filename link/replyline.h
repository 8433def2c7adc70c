#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The name of a command line: the text before its first ",".
QByteArrayView commandName(QByteArrayView command);

// Looks through the complete lines (ended by CR) at the front of received
// for the radio's answer to a command with the given name: the first line
// whose first field is that name, or the bare "ERR" the radio gives to a
// command it does not know. That line and every line before it (late
// answers to earlier commands) are taken out of received; the answer comes
// back without its CR. Without such a line, every complete line is dropped,
// an unfinished last line stays, and the result is empty.
std::optional<QByteArray> takeReplyLine(QByteArray &received, QByteArrayView name);
