#include "sim/reception.h"

int Reception::totalTicks() const
{
    if (kind == Kind::Blip)
        return gapTicks + 1;
    return gapTicks + activeTicks + lingerTicks;
}

QByteArray Reception::glgIdentity() const
{
    return isTrunked() ? talkgroup : frequency;
}

Reception Reception::asLogged() const
{
    Reception logged = *this;
    if (kind == Kind::Blip) {
        logged.system.clear();
        logged.group.clear();
        logged.channel.clear();
    } else if (kind == Kind::CloseCall) {
        logged.system = logged.group = logged.channel = "Close Call";
    } else if (isTrunked() && channel.isEmpty()) {
        logged.group = "Search";
        logged.channel = "ID:" + talkgroup;
    }
    logged.system = logged.system.trimmed();
    logged.group = logged.group.trimmed();
    logged.channel = logged.channel.trimmed();
    logged.expectLogged =
        !(logged.system.isEmpty() && logged.group.isEmpty() && logged.channel.isEmpty());
    return logged;
}

const char *kindName(Reception::Kind kind)
{
    switch (kind) {
    case Reception::Kind::Conventional:
        return "Conventional";
    case Reception::Kind::Trunked:
        return "Trunked";
    case Reception::Kind::P25:
        return "P25";
    case Reception::Kind::CloseCall:
        return "CloseCall";
    case Reception::Kind::Blip:
        return "Blip";
    }
    return "";
}
