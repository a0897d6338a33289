#pragma once

#include <QList>
#include <QString>

#include <sys/types.h>

// Whether the user may open serial devices through the dialout group, and whether that
// membership already holds for this process: a user who has just joined the group
// keeps the old groups until logging in again.
enum class DialoutState {
    NotMember,         // not in the group at all
    JoinedNotLoggedIn, // in /etc/group, but not among the process's groups yet
    Active,            // the process has the group
};

// groupFile: the contents of /etc/group.
DialoutState dialoutState(const QString &groupFile, const QString &userName, gid_t primaryGroup,
                          const QList<gid_t> &processGroups);
// The same for this process and the system's /etc/group.
DialoutState currentDialoutState();
