#include "link/keyclicksteps.h"

#include "link/keyoperations.h"
#include "link/macros.h"

#include <algorithm>

QList<CommandSequencer::Step> keyClickSteps(const QString &keyName, bool held,
                                            const KeyClickHooks &hooks)
{
    if (isToggleKey(keyName)) {
        const bool isF = keyName == QLatin1String("key_f");
        QList<CommandSequencer::Step> steps =
            CommandSequencer::steps(isF ? fKeyToggle(held) : revKeyToggle(held));
        if (hooks.radioHeld) {
            const QByteArray key = isF ? "KEY,F," : "KEY,.,";
            const auto at = std::find_if(steps.begin(), steps.end(), [&key](const auto &step) {
                return step.command.startsWith(key);
            });
            if (at != steps.end()) {
                // The wait after the command moves behind the note of it.
                const std::function<void(bool)> note = hooks.radioHeld;
                const bool nowHeld = !held;
                CommandSequencer::Step noted{
                    {}, at->waitAfterMs, [note, nowHeld] { note(nowHeld); }};
                at->waitAfterMs = 0;
                steps.insert(at + 1, noted);
            }
        }
        if (hooks.showHeld) {
            const std::function<void(bool)> show = hooks.showHeld;
            const bool nowHeld = !held;
            steps.append({{}, 0, [show, nowHeld] { show(nowHeld); }});
        }
        return steps;
    }

    if (const int macro = macroKeyNumber(keyName)) {
        if (!hooks.macroText)
            return {};
        return CommandSequencer::steps(macroSteps(hooks.macroText(macro)));
    }

    QList<CommandSequencer::Step> steps;
    if (keyStopsQuickScan(keyName) && hooks.stopQuickScan)
        steps.append({{}, 0, hooks.stopQuickScan});
    steps.append(CommandSequencer::steps(keyOperation(keyName)));
    return steps;
}
