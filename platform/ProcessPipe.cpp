#include "platform/ProcessPipe.h"

namespace talvor
{
std::FILE* openProcessPipe (const char* command, const char* mode)
{
#if defined(_WIN32)
    return ::_popen (command, mode);
#else
    return ::popen (command, mode);
#endif
}

int closeProcessPipe (std::FILE* pipe)
{
#if defined(_WIN32)
    return ::_pclose (pipe);
#else
    return ::pclose (pipe);
#endif
}
} // namespace talvor
