#pragma once

#include <juce_core/juce_core.h>

namespace talvor
{
/** What a program run left behind. */
struct ProgramRunResult
{
    /** False when the program could not be started at all (missing, not executable). */
    bool started = false;

    /** True when the program was still running at its deadline and was ended. */
    bool timedOut = false;

    /** Everything it wrote to its standard output; its standard error is not read. */
    juce::String output;
};

/** Runs a program with an argument list (the program first) and waits for it, collecting what it
    prints on its standard output. No command interpreter sees the arguments, so each reaches the program as it is,
    quotes, ampersands and "$(...)" included. A program still running after deadlineMs is killed.
    Blocks the calling thread; the message loop does not run meanwhile.

    An empty argument cannot be passed on (the framework's process start drops it). */
ProgramRunResult runProgram (const juce::StringArray& arguments, int deadlineMs);
} // namespace talvor
