#include "firmware/BootloaderTool.h"

#include "firmware/FirmwareSizes.h"
#include "firmware/WizardState.h"
#include "platform/MessageLoopWait.h"
#include "platform/ProgramRunner.h"

namespace talvor
{
namespace
{
const char* const firmwareAddress = "0x60010000";

constexpr int defaultWaitMs = 235;
constexpr int writeWaitMs = 3000;
constexpr int eraseBytesPerMs = 64;
constexpr int shortestEraseTimeoutMs = 5000;
constexpr int longestEraseTimeoutMs = 64000;

/** Before an erase the user is given a few seconds to read the warning not to interrupt it. */
constexpr int eraseWarningPauseMs = 4000;

enum class Operation
{
    keep,
    erase,
    write,
    read,
    reset,
    unknown,
};

Operation operationNamed (const juce::String& name)
{
    for (auto [text, operation] :
         { std::pair{ "keep", Operation::keep }, std::pair{ "erase", Operation::erase }, std::pair{ "write", Operation::write },
           std::pair{ "read", Operation::read }, std::pair{ "reset", Operation::reset } })
        if (name.equalsIgnoreCase (text))
            return operation;

    return Operation::unknown;
}

/** The byte count an erase is timed for: the region size, or the whole erasable region when
    the size lies outside it. */
juce::int64 erasedBytesTimedFor (const juce::String& regionSize)
{
    const auto size = regionSize.getLargeIntValue();
    return size < 0 || size > largestErasedRegion ? largestErasedRegion : size;
}

int eraseTimeoutMs (juce::int64 erasedBytes)
{
    const auto timeout = erasedBytes / eraseBytesPerMs;
    return static_cast<int> (timeout >= shortestEraseTimeoutMs && timeout <= longestEraseTimeoutMs ? timeout : shortestEraseTimeoutMs);
}

juce::String toolFilePath (const juce::String& path)
{
#if JUCE_WINDOWS
    return path.replaceCharacter ('/', '\\');
#else
    return path;
#endif
}

BlhostTiming& installedTiming()
{
    static BlhostTiming timing;
    return timing;
}
} // namespace

juce::StringArray blhostArguments (const juce::String& toolPath, const juce::String& operation, const juce::String& first,
                                   const juce::String& second)
{
    juce::StringArray arguments{ toolPath, "-u" };

    switch (operationNamed (operation))
    {
        case Operation::keep:
            arguments.addArray ({ "--", "get-property", "1" });
            break;
        case Operation::erase:
            arguments.addArray (
                { "-t", juce::String (eraseTimeoutMs (erasedBytesTimedFor (first))), "--", "flash-erase-region", firmwareAddress, first });
            break;
        case Operation::write:
            arguments.addArray ({ "--", "write-memory", firmwareAddress, toolFilePath (first) });
            break;
        case Operation::read:
            arguments.addArray ({ "--", "read-memory", firmwareAddress, second, toolFilePath (first) });
            break;
        case Operation::reset:
            arguments.addArray ({ "--", "reset" });
            break;
        case Operation::unknown:
            return {};
    }

    return arguments;
}

int blhostResultOf (const juce::String& output)
{
    if (! output.containsIgnoreCase ("status = "))
        return blhostNoStatus;

    return output.containsIgnoreCase ("Success.") ? blhostSucceeded : blhostFailed;
}

bool blhostToolExists() { return bootloaderToolPath.isNotEmpty() && juce::File (bootloaderToolPath).existsAsFile(); }

int runBlhost (const juce::String& operation, const juce::String& first, const juce::String& second)
{
    if (! blhostToolExists())
        return blhostNoStatus;

    const auto arguments = blhostArguments (bootloaderToolPath, operation, first, second);

    if (arguments.isEmpty())
        return blhostNoStatus;

    const auto& timing = blhostTiming();
    auto deadlineMs = timing.probeDeadlineMs;
    auto waitAfterMs = defaultWaitMs;

    switch (operationNamed (operation))
    {
        case Operation::erase:
        {
            const auto erasedBytes = erasedBytesTimedFor (first);
            blhostWait (eraseWarningPauseMs);
            deadlineMs = eraseTimeoutMs (erasedBytes) + timing.eraseDeadlineMarginMs;
            waitAfterMs = static_cast<int> (erasedBytes / eraseBytesPerMs);
            break;
        }
        case Operation::write:
            deadlineMs = timing.transferDeadlineMs;
            waitAfterMs = writeWaitMs;
            break;
        case Operation::read:
            deadlineMs = timing.transferDeadlineMs;
            break;
        case Operation::keep:
        case Operation::reset:
        case Operation::unknown:
            break;
    }

    const auto run = runProgram (arguments, deadlineMs);
    blhostWait (waitAfterMs);

    // Whatever a tool printed before it had to be ended, its work is not known to be done.
    return run.timedOut ? blhostNoStatus : blhostResultOf (run.output);
}

const BlhostTiming& blhostTiming() { return installedTiming(); }

ScopedBlhostTiming::ScopedBlhostTiming (BlhostTiming timing) : previous (std::move (installedTiming()))
{
    installedTiming() = std::move (timing);
}

ScopedBlhostTiming::~ScopedBlhostTiming() { installedTiming() = std::move (previous); }

void blhostWait (int milliseconds)
{
    if (const auto& wait = blhostTiming().wait)
        wait (milliseconds);
    else
        waitMs (milliseconds);
}
} // namespace talvor
