#include "tests/support/FakeBootloaderTool.h"

#include "platform/EnvironmentVariable.h"
#include "platform/WholeFile.h"

#include <cstdlib>

namespace corvix::testing
{
namespace
{
const char* const stateFolderVariable = "CORVIX_FAKE_TOOL_DIR";
}

FakeBootloaderTool::FakeBootloaderTool()
    : folder (juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("fake-tool-" + juce::Uuid().toString()))
{
    folder.createDirectory();
    talvor::setEnvironmentVariable (stateFolderVariable, folder.getFullPathName().toRawUTF8());
}

FakeBootloaderTool::~FakeBootloaderTool()
{
    talvor::removeEnvironmentVariable (stateFolderVariable);
    folder.deleteRecursively();
}

juce::String FakeBootloaderTool::executablePath() { return CORVIX_FAKE_BOOTLOADER_TOOL; }

void FakeBootloaderTool::script (const juce::String& command, const juce::String& behaviour)
{
    behaviours.emplace_back (command, behaviour);

    juce::String text;

    for (const auto& [name, answer] : behaviours)
        text << name << " " << answer << "\n";

    folder.getChildFile ("script").replaceWithText (text);
}

std::vector<juce::StringArray> FakeBootloaderTool::calls() const
{
    std::vector<juce::StringArray> runs;
    juce::StringArray lines;
    lines.addLines (folder.getChildFile ("calls.log").loadFileAsString());

    for (const auto& line : lines)
        if (line.isNotEmpty())
            runs.push_back (juce::StringArray::fromTokens (line, "\t", ""));

    return runs;
}

talvor::ByteList FakeBootloaderTool::flash (int count) const
{
    auto bytes = talvor::readWholeFile (folder.getChildFile ("flash.bin").getFullPathName());

    while (bytes.size() < count)
        bytes.add (0xFF);

    bytes.removeRange (count, bytes.size() - count);
    return bytes;
}

void FakeBootloaderTool::setFlash (const talvor::ByteList& bytes)
{
    talvor::writeWholeFile (folder.getChildFile ("flash.bin").getFullPathName(), bytes);
}
} // namespace corvix::testing
