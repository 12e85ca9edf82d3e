#include "platform/SystemInfo.h"

#include <QFileInfo>

#include <tlhelp32.h>
#include <windows.h>

namespace platform {

// Member of the local Administrators group (S-1-5-32-544).
bool runsAsAdministrator()
{
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                  DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators))
        return false;
    BOOL member = FALSE;
    CheckTokenMembership(nullptr, administrators, &member);
    FreeSid(administrators);
    return member;
}

bool processRunning(const QString& executableName)
{
    const QString wanted = QFileInfo(executableName).fileName();
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    bool found = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
         more = Process32NextW(snapshot, &entry)) {
        const QString name = QFileInfo(QString::fromWCharArray(entry.szExeFile)).fileName();
        found = name.compare(wanted, Qt::CaseInsensitive) == 0;
    }
    CloseHandle(snapshot);
    return found;
}

} // namespace platform
