#pragma once

#include <QString>

// Whether this user may open a serial device, and if not, which group to
// join. Serial devices belong to a group (usually "dialout"); a user outside
// it cannot open them until added and logged in again.
struct SerialAccess
{
    QString group;           // the group that owns the device; empty when unknown
    bool userInGroup = true; // the user is a member of that group
    bool canOpen = true;     // the user may read and write the device now

    // The user should be told to join the device's group.
    bool needsGroup() const { return !canOpen && !userInGroup && !group.isEmpty(); }
};

// Reads the device's group and this user's access to it. A device that does
// not exist (or a symbolic link to nothing) reports access as it is unknown:
// canOpen stays true, so no hint is shown for it.
SerialAccess serialAccessOf(const QString &device);

// The command that adds the user to the group, for the user to run.
QString joinGroupCommand(const QString &group);

// The words shown when this user cannot open the device for lack of the
// group's membership.
QString joinGroupHint(const QString &device, const QString &group);
