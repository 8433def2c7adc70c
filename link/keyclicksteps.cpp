#include "link/keyclicksteps.h"

#include "link/keyoperations.h"
#include "link/macros.h"

QList<CommandSequencer::Step> keyClickSteps(const QString &keyName, bool held,
                                            const KeyClickHooks &hooks)
{
    if (isToggleKey(keyName)) {
        const bool isF = keyName == QLatin1String("key_f");
        QList<CommandSequencer::Step> steps =
            CommandSequencer::steps(isF ? fKeyToggle(held) : revKeyToggle(held));
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
