#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The text format shared by the program's small settings files: one value a
// line, every line ended by CR LF, numbers in plain decimal, text values in
// double quotes, a value never set as an empty line.
namespace SettingsText {

// A line that holds a text value: the text with every double quote removed,
// then enclosed in double quotes.
QByteArray quoted(const QString &text);

// Joins the given lines, each followed by CR LF.
QByteArray join(const QList<QByteArray> &lines);

// Splits a file's bytes into its lines (CR LF, a bare LF or a bare CR end a
// line). A missing end of the last line is accepted.
QList<QByteArray> lines(const QByteArray &file);

// The leading number of a line ("100", "-1", " 3 apples" -> 3); an empty or
// non-numeric line reads as 0. Real numbers keep their fraction.
double leadingNumber(const QByteArray &line);

// As above, truncated to a whole number (e.g. a list index). A number too
// large for an int reads as the smallest int, which no list accepts.
int leadingInt(const QByteArray &line);

// A text line with every double quote removed.
QString unquoted(const QByteArray &line);

// Shortest decimal form of a real number with a point, e.g. 1200 or 1187.5.
QByteArray number(double value);

} // namespace SettingsText
