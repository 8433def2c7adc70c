// What the Tuner tab and the level lists hold, kept across restarts in
// tuning_settings.txt, and the macro boxes edited and not saved.
#include "app/form1.h"
#include "app/settingsfiles.h"
#include "app/tuningsettings.h"

#include "link/macros.h"
#include "tuning/listlines.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

const QString tuningSettingsName = QStringLiteral("/tuning_settings.txt");
const QString macroFileName = QStringLiteral("/macro_settings.txt");

} // namespace

void Form1::loadTuningSettings()
{
    const QString path = m_options.dataFolder + tuningSettingsName;
    if (!FileExists(path))
        return;
    const auto file = readSettingsFile(path);
    if (!file)
        return;
    const TuningSettings s = readTuningSettings(*file);
    if (s.entry1)
        direct_entry->setText(*s.entry1);
    if (s.modulation1)
        direct_entry_mod->setCurrentIndex(*s.modulation1);
    if (s.entry2)
        direct_entry2->setText(*s.entry2);
    if (s.modulation2)
        direct_entry_mod2->setCurrentIndex(*s.modulation2);
    if (s.volume)
        Vol_Combo->setCurrentIndex(*s.volume);
    if (s.squelch)
        Sql_Combo->setCurrentIndex(*s.squelch);
    if (s.skipList) {
        // Skipping goes on from where the last run left it; the lines left
        // out of an over-long list were told at its "Apply".
        Auto_Skip_List->setPlainText(*s.skipList);
        m_skipList.apply(listLines(*s.skipList));
    }
    if (s.quickScanList)
        Quick_Scan_List->setPlainText(*s.quickScanList);
}

void Form1::saveTuningSettings()
{
    saveEditedMacros();
    TuningSettings s;
    s.entry1 = direct_entry->text();
    s.modulation1 = direct_entry_mod->currentIndex();
    s.entry2 = direct_entry2->text();
    s.modulation2 = direct_entry_mod2->currentIndex();
    s.volume = Vol_Combo->currentIndex();
    s.squelch = Sql_Combo->currentIndex();
    s.skipList = Auto_Skip_List->toPlainText();
    s.quickScanList = Quick_Scan_List->toPlainText();
    saveSettingsFile(m_options.dataFolder + tuningSettingsName, writeTuningSettings(s));
}

void Form1::saveEditedMacros()
{
    // Saved as "Save Macros" saves them, without its message: nothing may
    // wait for the user while the program ends.
    const QString path = m_options.dataFolder + macroFileName;
    const QByteArray wanted = macroSettingsFile({m1->text(), m2->text(), m3->text()});
    const auto onDisk = FileExists(path) ? readSettingsFile(path) : std::optional<QByteArray>();
    const QStringList saved = readMacroSettings(onDisk.value_or(QByteArray()));
    if (readMacroSettings(wanted) != saved)
        saveSettingsFile(path, wanted);
}
