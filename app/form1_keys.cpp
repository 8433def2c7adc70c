// The keypad, the keyboard, the macros, volume and squelch.
#include "app/form1.h"
#include "app/settingsfiles.h"

#include "link/keyboardmap.h"
#include "link/keyclicksteps.h"
#include "link/keyoperations.h"
#include "link/macros.h"
#include "link/widgets/keybutton.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <array>

namespace {

const QString macroSettingsName = QStringLiteral("/macro_settings.txt");

} // namespace

void Form1::runKeyOperation(const QString &keyName)
{
    if (const int macro = macroKeyNumber(keyName)) {
        PlayMacro(std::array{m1, m2, m3}[macro - 1]);
        return;
    }
    KeyClickHooks hooks;
    hooks.stopQuickScan = [this] { stopQuickScan(); };
    bool held = false;
    if (keyName == QLatin1String("key_f") || keyName == QLatin1String("key_rev")) {
        // The held state flips when the click is made, so that a second
        // click queued behind this one plays the other half of the toggle.
        bool &flag = keyName == QLatin1String("key_f") ? f_key_held : rev_key_held;
        held = flag;
        flag = !flag;
        KeyButton *key = m_keys.value(keyName);
        hooks.showHeld = [key](bool nowHeld) {
            if (key)
                key->setHeld(nowHeld);
        };
        bool &onRadio = keyName == QLatin1String("key_f") ? m_fKeyOnRadio : m_revKeyOnRadio;
        hooks.radioHeld = [&onRadio](bool nowHeld) { onRadio = nowHeld; };
    }
    m_sequencer.play(keyClickSteps(keyName, held, hooks));
}

void Form1::stopQuickScan()
{
    quick_scan_running = false;
    Timer4->stop();
    if (auto *button = findChild<QPushButton *>(QStringLiteral("key_start_quck_scan")))
        button->setText(QStringLiteral("Start Quick Scan"));
}

bool Form1::handleKeyPress(QKeyEvent *event)
{
    if (text_entry_focus)
        return false;
    // Scan codes say which physical key it was only where they are X11 / xkb
    // key codes.
    const QString platform = QGuiApplication::platformName();
    const bool xkbCodes =
        platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
    const QString operation =
        keyboardOperation(event->key(), event->modifiers(), xkbCodes ? event->nativeScanCode() : 0);
    if (operation.isEmpty())
        return false;
    if (operation == QLatin1String("RunStop")) {
        // Q does what the Run/Stop button does, and only when it could be
        // pressed: before a port and a speed are chosen there is nothing to run.
        if (Command2->isEnabled())
            RunStop();
        return true;
    }
    runKeyOperation(operation);
    return true;
}

void Form1::PlayMacro(QLineEdit *box)
{
    // Every item is a sequence of its own, so that Stop cuts between two
    // items; the status line counts the items as they leave.
    const int macro = box == m1 ? 1 : box == m2 ? 2 : 3;
    const QList<CommandStep> items = macroSteps(box->text());
    QList<CommandSequencer::Step> steps;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const int item = int(i) + 1;
        const int count = int(items.size());
        steps.append(
            {{}, 0, [this, macro, item, count] { showMacroProgress(macro, item, count); }});
        steps.append({items.at(i).command, items.at(i).waitAfterMs, {}});
    }
    m_sequencer.play(steps, true);
}

void Form1::SaveMacros()
{
    const QByteArray file = macroSettingsFile({m1->text(), m2->text(), m3->text()});
    QString error;
    if (writeSettingsFile(m_options.dataFolder + macroSettingsName, file, &error))
        tellUserBriefly(QStringLiteral("Your Macros Have Been Saved!"));
    else
        tellUser(QStringLiteral("The macros could not be saved to %1: %2")
                     .arg(m_options.dataFolder + macroSettingsName, error));
    focusLogo();
}

void Form1::loadMacros()
{
    const QString path = m_options.dataFolder + macroSettingsName;
    if (!FileExists(path))
        return;
    const auto file = readSettingsFile(path);
    if (!file)
        return;
    const QStringList texts = readMacroSettings(*file);
    QLineEdit *boxes[3] = {m1, m2, m3};
    for (int i = 0; i < 3 && i < texts.size(); ++i)
        boxes[i]->setText(texts.at(i));
}

void Form1::setVolume()
{
    m_sequencer.play(
        {{QByteArrayLiteral("VOL,") + QByteArray::number(Vol_Combo->currentIndex()), 0, {}}});
    focusLogo();
}

void Form1::setSquelch()
{
    m_sequencer.play(
        {{QByteArrayLiteral("SQL,") + QByteArray::number(Sql_Combo->currentIndex()), 0, {}}});
    focusLogo();
}
