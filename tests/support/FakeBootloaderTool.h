#pragma once

#include "platform/ByteList.h"

#include <vector>

namespace corvix::testing
{
/** The test's side of the bootloader tool's stand-in (the program corvix_fake_bootloader_tool):
    gives it a fresh state folder for the lifetime of the object, scripts how it answers, and
    reads back what it was run with and what its flash holds. One at a time. */
class FakeBootloaderTool
{
public:
    FakeBootloaderTool();
    ~FakeBootloaderTool();

    FakeBootloaderTool (const FakeBootloaderTool&) = delete;
    FakeBootloaderTool& operator= (const FakeBootloaderTool&) = delete;

    /** The stand-in program, to be named as the bootloader tool. */
    static juce::String executablePath();

    /** Makes the tool answer one of its commands ("get-property", "flash-erase-region",
        "write-memory", "read-memory", "reset") with "fail", "silent", "crash", "hang", "stderr"
        (does its work but prints its answer on standard error), and for "read-memory" also
        "differ" or "nofile"; "ok" restores the normal answer. */
    void script (const juce::String& command, const juce::String& behaviour);

    /** Every run so far, oldest first, each as its arguments after the program name. */
    std::vector<juce::StringArray> calls() const;

    /** The first count bytes of the flash from the firmware address on (erased bytes are FF). */
    talvor::ByteList flash (int count) const;
    void setFlash (const talvor::ByteList& bytes);

private:
    juce::File folder;
    std::vector<std::pair<juce::String, juce::String>> behaviours;
};
} // namespace corvix::testing
