#include "firmware/BlhostFlashing.h"

#include "firmware/BootloaderTool.h"
#include "firmware/FirmwareCache.h"
#include "firmware/FirmwareSizes.h"
#include "firmware/WizardState.h"
#include "platform/WholeFile.h"

namespace talvor
{
namespace
{
constexpr int settleAfterProbeMs = 235;
constexpr int settleAfterCompareMs = 470;

/** Erasing the start of the image leaves a unit that stays in its bootloader. */
const char* const bootBlockSize = "4096";

juce::Result failure (const juce::String& text) { return juce::Result::fail (text); }

/** Writes and verifies the tool copy after a good erase. */
juce::Result writeAndVerify (const juce::File& toolCopy, const juce::File& readBack, const ByteList& image)
{
    if (runBlhost ("write", toolCopy.getFullPathName()) == blhostNoStatus)
        return failure ("Write firmware failed!");

    runBlhost ("keep");
    toolCopy.deleteFile();
    blhostWait (settleAfterProbeMs);

    // A read-back left by an earlier run must never stand in for this one's.
    readBack.deleteFile();

    if (runBlhost ("read", readBack.getFullPathName(), juce::String (image.size())) != blhostSucceeded)
        return failure ("Check failed!");

    if (! readBack.existsAsFile())
        return failure ("check failed!");

    // The whole bytes, not a digest of them: one byte that differs is found whatever it is.
    const auto same = readWholeFile (readBack.getFullPathName()) == image;
    blhostWait (settleAfterCompareMs);
    return same ? juce::Result::ok() : failure ("Wrote wrong data!");
}
} // namespace

juce::String missingBlhostToolMessage() { return "Lacked of upgrade tool!\n" + bootloaderToolPath; }

juce::Result flashWithBlhost (const juce::String& firmwarePathToFlash)
{
    const juce::File firmware (firmwarePathToFlash);

    if (firmwarePathToFlash.isEmpty() || ! firmware.existsAsFile())
        return failure ("No firmware file!");

    if (! blhostToolExists())
        return failure (missingBlhostToolMessage());

    const auto image = readWholeFile (firmware.getFullPathName());
    const auto size = static_cast<juce::int64> (image.size());

    if (size < smallestFirmwareSize || size > largestBootloaderFirmwareSize)
        return failure (firmwareSizeRefusedText);

    const juce::File toolCopy (cacheCopy (firmware.getFullPathName(), "_", toolCacheSubFolder));

    if (toolCopy == juce::File())
        return failure ("Cannot create firmware file!");

    if (abortRequested)
    {
        toolCopy.deleteFile();
        return failure ("Firmware upgrade aborted!");
    }

    if (runBlhost ("erase", juce::String (size + eraseMarginBytes)) != blhostSucceeded)
    {
        runBlhost ("erase", bootBlockSize);
        return failure ("Erase failed!");
    }

    const auto readBack = readBackFileFor (firmware);
    auto result = writeAndVerify (toolCopy, readBack, image);
    readBack.deleteFile();

    if (result.wasOk())
    {
        if (runBlhost ("reset") != blhostSucceeded)
            result = failure ("OK. But reset failed!");
    }
    else
    {
        // An image that failed its check must never boot, whatever the user pressed meanwhile.
        runBlhost ("erase", bootBlockSize);
    }

    unitFound = false;
    return result;
}
} // namespace talvor
