#pragma once

#include <string>

namespace talvor
{
/** Runs a command through the command interpreter and returns what it wrote to its standard
    output, without one final line feed. Blocks the calling thread (the message loop does not run)
    until the command ends. A command that cannot be started gives the empty text.

    Only for command texts the program composed from its own constants: the interpreter would act
    on quotes, ampersands or semicolons in a file name or a server reply. */
std::string runCommandCapture (const std::string& command);
} // namespace talvor
