#include "link/keyoperations.h"

namespace {

// "KEY," key "," mode: the radio's key command.
QByteArray keyCommand(char key, char mode)
{
    QByteArray command("KEY,");
    command += key;
    command += ',';
    command += mode;
    return command;
}

CommandStep press(char key)
{
    return {keyCommand(key, 'P')};
}

// Func held down around one key press: the radio's function-shifted keys.
QList<CommandStep> withFunc(char key)
{
    return {{keyCommand('F', 'H')}, press(key), {keyCommand('F', 'R')}};
}

// The digit of key_1..key_0 or key_g1..key_g0 after the given prefix, or 0.
char digitAfter(const QString &keyName, QLatin1StringView prefix)
{
    if (!keyName.startsWith(prefix) || keyName.size() != prefix.size() + 1)
        return 0;
    const QChar c = keyName.back();
    return c >= QLatin1Char('0') && c <= QLatin1Char('9') ? c.toLatin1() : 0;
}

} // namespace

QList<CommandStep> keyOperation(const QString &keyName)
{
    using namespace Qt::Literals::StringLiterals;

    if (keyName == "key_hold"_L1 || keyName == "key_hold_bar"_L1)
        return {press('H')};
    if (keyName == "key_scan"_L1)
        return {press('S')};
    if (keyName == "key_lo"_L1)
        return {press('L')};
    if (keyName == "key_light"_L1 || keyName == "key_power"_L1)
        return {press('P')};
    if (const char digit = digitAfter(keyName, "key_"_L1))
        return {press(digit)};
    if (keyName == "key_yes"_L1)
        return {press('E')};
    if (keyName == "key_no"_L1)
        return {press('.')};
    if (keyName == "key_menu"_L1)
        return {press('M')};
    if (keyName == "key_right"_L1)
        return {press('>')};
    if (keyName == "key_left"_L1)
        return {press('<')};
    if (keyName == "key_push"_L1)
        return {press('^')};
    if (const char digit = digitAfter(keyName, "key_g"_L1))
        return withFunc(digit);
    if (keyName == "key_pri"_L1)
        return withFunc('1');
    if (keyName == "key_wx"_L1)
        return withFunc('2') << press('^');
    if (keyName == "key_rcl"_L1)
        return withFunc('7');
    if (keyName == "key_cc"_L1)
        return withFunc('H');
    if (keyName == "key_srch"_L1)
        return withFunc('S');
    if (keyName == "key_att"_L1)
        return withFunc('E');
    if (keyName == "key_lock"_L1) {
        // The radio needs Func held for a second before it takes the lock.
        return {{keyCommand('F', 'H'), 1000}, press('P'), {keyCommand('F', 'R')}};
    }
    if (keyName == "key_cconly"_L1) {
        // Menu, three steps right to the close call setting, yes twice.
        return {press('M'), press('>'), press('>'), press('>'), press('E'), press('E')};
    }
    return {};
}

bool keyStopsQuickScan(const QString &keyName)
{
    return keyName == QLatin1String("key_scan") || keyName == QLatin1String("key_cconly");
}

QList<CommandStep> fKeyToggle(bool held)
{
    if (held)
        return {{keyCommand('F', 'R')}};
    return {{keyCommand('F', 'H')}};
}

QList<CommandStep> revKeyToggle(bool held)
{
    if (held)
        return {{keyCommand('.', 'R'), 1000}, {keyCommand('F', 'R')}};
    return {{keyCommand('F', 'H'), 1000}, {keyCommand('.', 'H')}};
}

bool isToggleKey(const QString &keyName)
{
    return keyName == QLatin1String("key_f") || keyName == QLatin1String("key_rev");
}

int macroKeyNumber(const QString &keyName)
{
    if (keyName == QLatin1String("key_m1"))
        return 1;
    if (keyName == QLatin1String("key_m2"))
        return 2;
    if (keyName == QLatin1String("key_m3"))
        return 3;
    return 0;
}

QStringList drawnKeyNames()
{
    return {
        QStringLiteral("key_hold"),  QStringLiteral("key_1"),      QStringLiteral("key_2"),
        QStringLiteral("key_3"),     QStringLiteral("key_f"),      QStringLiteral("key_menu"),
        QStringLiteral("key_left"),  QStringLiteral("key_right"),  QStringLiteral("key_push"),
        QStringLiteral("key_cc"),    QStringLiteral("key_cconly"), QStringLiteral("key_scan"),
        QStringLiteral("key_4"),     QStringLiteral("key_5"),      QStringLiteral("key_6"),
        QStringLiteral("key_g1"),    QStringLiteral("key_g2"),     QStringLiteral("key_g3"),
        QStringLiteral("key_g4"),    QStringLiteral("key_g5"),     QStringLiteral("key_pri"),
        QStringLiteral("key_wx"),    QStringLiteral("key_lo"),     QStringLiteral("key_7"),
        QStringLiteral("key_8"),     QStringLiteral("key_9"),      QStringLiteral("key_g6"),
        QStringLiteral("key_g7"),    QStringLiteral("key_g8"),     QStringLiteral("key_g9"),
        QStringLiteral("key_g0"),    QStringLiteral("key_srch"),   QStringLiteral("key_rcl"),
        QStringLiteral("key_light"), QStringLiteral("key_no"),     QStringLiteral("key_0"),
        QStringLiteral("key_yes"),   QStringLiteral("key_m1"),     QStringLiteral("key_m2"),
        QStringLiteral("key_m3"),    QStringLiteral("key_rev"),    QStringLiteral("key_att"),
        QStringLiteral("key_power"), QStringLiteral("key_lock"),   QStringLiteral("key_hold_bar"),
    };
}
