#pragma once

#include <juce_core/juce_core.h>

namespace corvix::testing
{
/** The outcome of running the current test once more inside a mount namespace of its own. */
struct OwnMountsRun
{
    bool passed = false;
    bool skipped = false;
    juce::String output; // all the child printed, for the failure message
};

/** True inside the child process that runCurrentTestInOwnMounts starts: the test then does its
    work there, with the file tree as the parent arranged it. */
bool insideOwnMounts();

/** Runs the current test again in a child process of this test program, inside bubblewrap, with
    the machine's whole file tree and the given bubblewrap arguments on top of it ("--ro-bind",
    folder, folder makes a read-only file system of a folder; "--bind", file, "/etc/resolv.conf"
    names another name server). For the failures of the world that a test must not cause on the
    machine itself. The child is given up after the time-out (a hang guard). Linux only; elsewhere
    the run counts as skipped. */
OwnMountsRun runCurrentTestInOwnMounts (const juce::StringArray& bubblewrapArguments, int timeoutMs = 120000);

/** Runs the current test again (runCurrentTestInOwnMounts) with the folder, which must exist, on
    a file system mounted read-only; inside that run, readOnlyFolder() names it. */
OwnMountsRun runCurrentTestWithReadOnlyFolder (const juce::File& folder, int timeoutMs = 120000);

/** Inside runCurrentTestWithReadOnlyFolder, the folder that is read-only there. */
juce::File readOnlyFolder();
} // namespace corvix::testing
