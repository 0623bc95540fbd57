#pragma once

#include <juce_core/juce_core.h>

#include <functional>

namespace talvor
{
/** The bootloader tool's result: it could not run or printed no status line, it printed a status
    without success, or it reported success. Only its printed text decides, never its exit status. */
enum BlhostResult
{
    blhostNoStatus = -1,
    blhostFailed = 0,
    blhostSucceeded = 1,
};

/** The five operations: "keep" (probe), "erase", "write", "read" and "reset", compared ignoring
    case. The erase takes the region size in bytes as its first argument, write and read a file
    path, read also the byte count as its second. The tool is run with an argument list, never
    through a command interpreter, and is ended when it overruns its deadline. Returns
    blhostNoStatus at once when bootloaderToolPath names no file or the operation is unknown. */
int runBlhost (const juce::String& operation, const juce::String& first = {}, const juce::String& second = {});

/** The tool's arguments for an operation (the tool's path first); empty for an unknown operation. */
juce::StringArray blhostArguments (const juce::String& toolPath, const juce::String& operation, const juce::String& first,
                                   const juce::String& second);

/** Reads the tool's printed text: "status = " and "Success.", both ignoring case. */
int blhostResultOf (const juce::String& output);

/** True when bootloaderToolPath names an existing file. */
bool blhostToolExists();

/** The waits and deadlines of the tool's runs. Tests record the waits instead of spending them,
    and shorten the deadlines to meet a tool that hangs. */
struct BlhostTiming
{
    /** Waits while the message loop runs; waitMs unless replaced. */
    std::function<void (int milliseconds)> wait;

    /** How long the probe and the reset may take. */
    int probeDeadlineMs = 15000;

    /** How long writing or reading a whole image may take. */
    int transferDeadlineMs = 300000;

    /** How long an erase may take beyond the time-out the tool itself is given. */
    int eraseDeadlineMarginMs = 30000;
};

/** The timing in force; tests change it through ScopedBlhostTiming. */
const BlhostTiming& blhostTiming();

/** Installs a timing for the lifetime of the object, then restores the previous one. */
class ScopedBlhostTiming
{
public:
    explicit ScopedBlhostTiming (BlhostTiming timing);
    ~ScopedBlhostTiming();

    ScopedBlhostTiming (const ScopedBlhostTiming&) = delete;
    ScopedBlhostTiming& operator= (const ScopedBlhostTiming&) = delete;

private:
    BlhostTiming previous;
};

/** Waits through the timing in force. */
void blhostWait (int milliseconds);
} // namespace talvor
