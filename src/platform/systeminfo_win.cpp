#include "platform/SystemInfo.h"

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

} // namespace platform
