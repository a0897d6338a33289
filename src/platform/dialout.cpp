#include "dialout.h"

#include <QFile>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

DialoutState dialoutState(const QString &groupFile, const QString &userName, gid_t primaryGroup,
                          const QList<gid_t> &processGroups)
{
    // group:password:gid:member,member
    for (const QString &line : groupFile.split(u'\n')) {
        const QStringList fields = line.split(u':');
        if (fields.size() < 4 || fields[0] != QLatin1String("dialout"))
            continue;
        bool ok = false;
        const gid_t gid = gid_t(fields[2].toUInt(&ok));
        if (!ok)
            continue;
        if (processGroups.contains(gid))
            return DialoutState::Active;
        const bool member = primaryGroup == gid || fields[3].trimmed().split(u',').contains(userName);
        return member ? DialoutState::JoinedNotLoggedIn : DialoutState::NotMember;
    }
    return DialoutState::NotMember;
}

DialoutState currentDialoutState()
{
    QFile file(QStringLiteral("/etc/group"));
    const QString groups = file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
    const passwd *user = ::getpwuid(::getuid());
    const QString name = user ? QString::fromLocal8Bit(user->pw_name) : QString();
    const gid_t primary = user ? user->pw_gid : ::getgid();

    QList<gid_t> processGroups{::getegid()};
    const int count = ::getgroups(0, nullptr);
    if (count > 0) {
        QList<gid_t> list(count);
        const int n = ::getgroups(count, list.data());
        for (int i = 0; i < n; ++i)
            processGroups << list[i];
    }
    return dialoutState(groups, name, primary, processGroups);
}
