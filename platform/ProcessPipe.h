#pragma once

#include <cstdio>

namespace talvor
{
/** The runtime library's process pipe: `_popen`/`_pclose` on Windows, `popen`/`pclose` elsewhere.
    The command goes through the system's command interpreter, so it must be a text the program
    composed itself; never splice a file name or a server reply into it. */
std::FILE* openProcessPipe (const char* command, const char* mode);

/** Closes a pipe opened by openProcessPipe and returns the command's exit status. */
int closeProcessPipe (std::FILE* pipe);
} // namespace talvor
