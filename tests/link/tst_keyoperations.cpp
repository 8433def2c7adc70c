#include "link/keyclicksteps.h"
#include "link/keyoperations.h"
#include "link/keypadlayout.h"

#include <QSet>
#include <QTest>

namespace {

// Commands only, each followed by its wait in ms when there is one:
// "KEY,F,H/1000".
QStringList describe(const QList<CommandStep> &steps)
{
    QStringList out;
    for (const CommandStep &step : steps) {
        QString text = QString::fromLatin1(step.command);
        if (step.waitAfterMs)
            text += QLatin1Char('/') + QString::number(step.waitAfterMs);
        out.append(text);
    }
    return out;
}

QStringList split(const char *commands)
{
    const QString text = QString::fromLatin1(commands);
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char(' '));
}

} // namespace

class TestKeyOperations : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keyBytes_data();
    void keyBytes();
    void everyOrdinaryKeyHasCommands();
    void quickScanStoppers_data();
    void quickScanStoppers();
    void toggles_data();
    void toggles();
    void clickStepsStopQuickScanFirst();
    void clickStepsShowHeldAfterCommands_data();
    void clickStepsShowHeldAfterCommands();
    void clickStepsPlayMacro();
    void layoutHasEveryDrawnKey();
    void layoutPlacement_data();
    void layoutPlacement();
    void layoutHasNoOverlaps();
    void miniMoves();
};

void TestKeyOperations::keyBytes_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("commands");

    const struct
    {
        const char *key;
        const char *commands;
    } rows[] = {
        {"key_hold", "KEY,H,P"},
        {"key_hold_bar", "KEY,H,P"},
        {"key_scan", "KEY,S,P"},
        {"key_lo", "KEY,L,P"},
        {"key_light", "KEY,P,P"},
        {"key_power", "KEY,P,P"},
        {"key_1", "KEY,1,P"},
        {"key_5", "KEY,5,P"},
        {"key_9", "KEY,9,P"},
        {"key_0", "KEY,0,P"},
        {"key_yes", "KEY,E,P"},
        {"key_no", "KEY,.,P"},
        {"key_menu", "KEY,M,P"},
        {"key_right", "KEY,>,P"},
        {"key_left", "KEY,<,P"},
        {"key_push", "KEY,^,P"},
        {"key_g1", "KEY,F,H KEY,1,P KEY,F,R"},
        {"key_g3", "KEY,F,H KEY,3,P KEY,F,R"},
        {"key_g0", "KEY,F,H KEY,0,P KEY,F,R"},
        {"key_pri", "KEY,F,H KEY,1,P KEY,F,R"},
        {"key_wx", "KEY,F,H KEY,2,P KEY,F,R KEY,^,P"},
        {"key_rcl", "KEY,F,H KEY,7,P KEY,F,R"},
        {"key_cc", "KEY,F,H KEY,H,P KEY,F,R"},
        {"key_srch", "KEY,F,H KEY,S,P KEY,F,R"},
        {"key_att", "KEY,F,H KEY,E,P KEY,F,R"},
        {"key_lock", "KEY,F,H/1000 KEY,P,P KEY,F,R"},
        {"key_cconly", "KEY,M,P KEY,>,P KEY,>,P KEY,>,P KEY,E,P KEY,E,P"},
        {"key_f", ""},
        {"key_rev", ""},
        {"key_m1", ""},
        {"key_m3", ""},
        {"key_g", ""},
        {"key_g10", ""},
        {"key_nothing", ""},
        {"", ""},
    };
    for (const auto &row : rows)
        QTest::newRow(row.key[0] ? row.key : "empty name")
            << QString::fromLatin1(row.key) << QString::fromLatin1(row.commands);
}

void TestKeyOperations::keyBytes()
{
    QFETCH(QString, key);
    QFETCH(QString, commands);
    QCOMPARE(describe(keyOperation(key)), split(commands.toLatin1().constData()));
}

void TestKeyOperations::everyOrdinaryKeyHasCommands()
{
    const QStringList names = drawnKeyNames();
    QCOMPARE(names.size(), 45);
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
    for (const QString &name : names) {
        const bool special = isToggleKey(name) || macroKeyNumber(name) != 0;
        QVERIFY2(keyOperation(name).isEmpty() == special, qPrintable(name));
    }
}

void TestKeyOperations::quickScanStoppers_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("stops");
    QTest::newRow("scan") << "key_scan" << true;
    QTest::newRow("close call only") << "key_cconly" << true;
    QTest::newRow("search") << "key_srch" << false;
    QTest::newRow("hold") << "key_hold" << false;
    QTest::newRow("close call") << "key_cc" << false;
}

void TestKeyOperations::quickScanStoppers()
{
    QFETCH(QString, key);
    QFETCH(bool, stops);
    QCOMPARE(keyStopsQuickScan(key), stops);
}

void TestKeyOperations::toggles_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("held");
    QTest::addColumn<QString>("commands");
    QTest::newRow("func: hold") << "key_f" << false << "KEY,F,H";
    QTest::newRow("func: release") << "key_f" << true << "KEY,F,R";
    QTest::newRow("rev: hold") << "key_rev" << false << "KEY,F,H/1000 KEY,.,H";
    QTest::newRow("rev: release") << "key_rev" << true << "KEY,.,R/1000 KEY,F,R";
}

void TestKeyOperations::toggles()
{
    QFETCH(QString, key);
    QFETCH(bool, held);
    QFETCH(QString, commands);
    const QList<CommandStep> steps =
        key == QLatin1String("key_f") ? fKeyToggle(held) : revKeyToggle(held);
    QCOMPARE(describe(steps), split(commands.toLatin1().constData()));
}

void TestKeyOperations::clickStepsStopQuickScanFirst()
{
    for (const QString &key : {QStringLiteral("key_scan"), QStringLiteral("key_cconly")}) {
        QStringList happened;
        KeyClickHooks hooks;
        hooks.stopQuickScan = [&happened] { happened.append(QStringLiteral("stop")); };
        const QList<CommandSequencer::Step> steps = keyClickSteps(key, false, hooks);
        for (const CommandSequencer::Step &step : steps) {
            if (step.action)
                step.action();
            else
                happened.append(QString::fromLatin1(step.command));
        }
        QStringList expected{QStringLiteral("stop")};
        expected += describe(keyOperation(key));
        QCOMPARE(happened, expected);
    }
}

void TestKeyOperations::clickStepsShowHeldAfterCommands_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("held");
    QTest::addColumn<QString>("expected");
    QTest::newRow("func: hold") << "key_f" << false << "KEY,F,H show:1";
    QTest::newRow("func: release") << "key_f" << true << "KEY,F,R show:0";
    QTest::newRow("rev: hold") << "key_rev" << false << "KEY,F,H/1000 KEY,.,H show:1";
    QTest::newRow("rev: release") << "key_rev" << true << "KEY,.,R/1000 KEY,F,R show:0";
}

void TestKeyOperations::clickStepsShowHeldAfterCommands()
{
    QFETCH(QString, key);
    QFETCH(bool, held);
    QFETCH(QString, expected);
    QStringList happened;
    KeyClickHooks hooks;
    hooks.showHeld = [&happened](bool nowHeld) {
        happened.append(QStringLiteral("show:") + QString::number(nowHeld));
    };
    const QList<CommandSequencer::Step> steps = keyClickSteps(key, held, hooks);
    for (const CommandSequencer::Step &step : steps) {
        if (step.action) {
            step.action();
            continue;
        }
        QString text = QString::fromLatin1(step.command);
        if (step.waitAfterMs)
            text += QLatin1Char('/') + QString::number(step.waitAfterMs);
        happened.append(text);
    }
    QCOMPARE(happened, expected.split(QLatin1Char(' ')));
}

void TestKeyOperations::clickStepsPlayMacro()
{
    KeyClickHooks hooks;
    hooks.macroText = [](int macro) {
        return macro == 2 ? QStringLiteral("F,H 1,P F,R") : QString();
    };
    const QList<CommandSequencer::Step> steps =
        keyClickSteps(QStringLiteral("key_m2"), false, hooks);
    QCOMPARE(steps.size(), 3);
    QCOMPARE(steps.at(0).command, QByteArray("KEY,F,H"));
    QCOMPARE(steps.at(2).command, QByteArray("KEY,F,R"));
    QCOMPARE(steps.at(2).waitAfterMs, 100);
    QVERIFY(keyClickSteps(QStringLiteral("key_m1"), false, hooks).isEmpty());
    QVERIFY(keyClickSteps(QStringLiteral("key_m1"), false, KeyClickHooks()).isEmpty());
}

void TestKeyOperations::layoutHasEveryDrawnKey()
{
    QStringList placed;
    const QList<KeyPlacement> layout = fullKeypadLayout();
    for (const KeyPlacement &key : layout) {
        placed.append(key.name);
        QVERIFY2(!key.label.isEmpty(), qPrintable(key.name));
    }
    QStringList names = drawnKeyNames();
    names.sort();
    placed.sort();
    QCOMPARE(placed, names);
}

void TestKeyOperations::layoutPlacement_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QRect>("twips");

    const struct
    {
        const char *key;
        const char *label;
        QRect twips;
    } rows[] = {
        {"key_hold", "HOLD", {4095, 225, 570, 345}},
        {"key_scan", "SCAN", {4095, 675, 570, 345}},
        {"key_lo", "L/O", {4110, 1125, 570, 345}},
        {"key_light", "LIGHT", {4110, 1575, 570, 345}},
        {"key_power", "PWR", {4110, 2025, 570, 345}},
        {"key_1", "1", {4755, 225, 570, 345}},
        {"key_3", "3", {6090, 225, 570, 345}},
        {"key_f", "FUNC", {6840, 225, 570, 345}},
        {"key_menu", "MENU", {7485, 225, 570, 345}},
        {"key_left", "<", {8130, 225, 570, 345}},
        {"key_right", ">", {8775, 225, 570, 345}},
        {"key_push", "PUSH", {9435, 225, 570, 345}},
        {"key_cc", "CC", {10200, 225, 570, 345}},
        {"key_cconly", "CC Only", {10860, 225, 570, 345}},
        {"key_5", "5", {5430, 675, 570, 345}},
        {"key_g1", "G1", {6840, 675, 570, 345}},
        {"key_g5", "G5", {9435, 675, 570, 345}},
        {"key_pri", "PRI", {10200, 675, 570, 345}},
        {"key_wx", "WX", {10860, 675, 570, 345}},
        {"key_9", "9", {6090, 1125, 570, 345}},
        {"key_g6", "G6", {6840, 1125, 570, 345}},
        {"key_g0", "G0", {9435, 1125, 570, 345}},
        {"key_srch", "SRCH", {10200, 1125, 570, 345}},
        {"key_rcl", "RCL", {10860, 1125, 570, 345}},
        {"key_no", "./no", {4755, 1575, 570, 345}},
        {"key_0", "0", {5430, 1575, 570, 345}},
        {"key_yes", "E/yes", {6090, 1575, 570, 345}},
        {"key_m1", "M1", {8130, 1575, 570, 345}},
        {"key_m2", "M2", {8775, 1575, 570, 345}},
        {"key_m3", "M3", {9435, 1575, 570, 345}},
        {"key_rev", "REV", {10200, 1575, 570, 345}},
        {"key_att", "ATT", {10860, 1575, 570, 345}},
        {"key_lock", "LOCK", {10860, 2025, 570, 345}},
        {"key_hold_bar", "HOLD", {255, 2340, 3570, 345}},
    };
    for (const auto &row : rows)
        QTest::newRow(row.key) << QString::fromLatin1(row.key) << QString::fromLatin1(row.label)
                               << row.twips;
}

void TestKeyOperations::layoutPlacement()
{
    QFETCH(QString, key);
    QFETCH(QString, label);
    QFETCH(QRect, twips);
    const KeyPlacement place = keyPlacement(key);
    QCOMPARE(place.name, key);
    QCOMPARE(place.label, label);
    QCOMPARE(QRect(place.left, place.top, place.width, place.height), twips);
    QCOMPARE(pixelRect(place),
             QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
}

void TestKeyOperations::layoutHasNoOverlaps()
{
    const QList<KeyPlacement> layout = fullKeypadLayout();
    for (qsizetype i = 0; i < layout.size(); ++i) {
        for (qsizetype j = i + 1; j < layout.size(); ++j) {
            QVERIFY2(!pixelRect(layout.at(i)).intersects(pixelRect(layout.at(j))),
                     qPrintable(layout.at(i).name + QLatin1Char('/') + layout.at(j).name));
        }
    }
    QVERIFY(keyPlacement(QStringLiteral("key_none")).name.isEmpty());
}

void TestKeyOperations::miniMoves()
{
    const QList<KeyPlacement> moves = miniLayoutKeyMoves();
    QCOMPARE(moves.size(), 3);
    QCOMPARE(moves.at(0).name, QStringLiteral("key_f"));
    QCOMPARE(QPoint(moves.at(0).left, moves.at(0).top), QPoint(4755, 2025));
    QCOMPARE(moves.at(1).name, QStringLiteral("key_menu"));
    QCOMPARE(QPoint(moves.at(1).left, moves.at(1).top), QPoint(5430, 2025));
    QCOMPARE(moves.at(2).name, QStringLiteral("key_right"));
    QCOMPARE(QPoint(moves.at(2).left, moves.at(2).top), QPoint(6090, 2025));
    // The mini layout's bottom row is free where the three keys land.
    const QList<KeyPlacement> layout = fullKeypadLayout();
    for (const KeyPlacement &moved : moves) {
        for (const KeyPlacement &key : layout) {
            if (key.name != moved.name)
                QVERIFY(!pixelRect(key).intersects(pixelRect(moved)));
        }
    }
}

QTEST_GUILESS_MAIN(TestKeyOperations)
#include "tst_keyoperations.moc"
