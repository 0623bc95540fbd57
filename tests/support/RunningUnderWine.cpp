#include "tests/support/RunningUnderWine.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace corvix::testing
{
bool runningUnderWine()
{
#if defined(_WIN32)
    // Wine's ntdll exports its version; Windows' does not.
    const auto ntdll = GetModuleHandleW (L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress (ntdll, "wine_get_version") != nullptr;
#else
    return false;
#endif
}
} // namespace corvix::testing
