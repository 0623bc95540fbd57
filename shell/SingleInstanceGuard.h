#pragma once

#include <juce_core/juce_core.h>

/** The program's single-instance lock, held for as long as it lives: one per user. The lock is a
    file of the user's own, locked by the running program, in the user's runtime folder
    ($XDG_RUNTIME_DIR), or in the home folder when there is none or it cannot be used there, or
    else in a folder of the user's own in the temporary folder; it is never in a place other users
    can make or hold. Where a file can be opened but not locked for another reason than a running
    program, the next place is tried, so that the guard does not quietly vanish.

    On Windows the framework's own single-instance mechanism guards instead, and this one always
    lets the program start. */
class SingleInstanceGuard final
{
public:
    explicit SingleInstanceGuard (const juce::String& programName);
    ~SingleInstanceGuard();

    /** False when another start of the program by the same user holds the lock. */
    bool isOnlyInstance() const { return onlyInstance; }

    /** The locked file; no file when none could be locked. */
    const juce::File& getLockFile() const { return lockFile; }

private:
    int handle{ -1 };
    bool onlyInstance{ true };
    juce::File lockFile;

    JUCE_DECLARE_NON_COPYABLE (SingleInstanceGuard)
};
