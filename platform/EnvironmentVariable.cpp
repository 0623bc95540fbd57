#include "platform/EnvironmentVariable.h"

#include <cstdlib>

namespace talvor
{
// Windows' C runtime keeps the system's environment block in step with its own, so programs
// started through either see the change.
void setEnvironmentVariable (const char* name, const char* value)
{
#if defined(_WIN32)
    ::_putenv_s (name, value);
#else
    ::setenv (name, value, 1);
#endif
}

void removeEnvironmentVariable (const char* name)
{
#if defined(_WIN32)
    ::_putenv_s (name, ""); // an empty value removes the variable there
#else
    ::unsetenv (name);
#endif
}
} // namespace talvor
