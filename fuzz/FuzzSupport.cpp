#include "fuzz/FuzzSupport.h"

#include <cstdio>
#include <cstdlib>

namespace corvix::fuzzing
{
namespace
{
struct ScratchFolder
{
    ScratchFolder()
    {
        folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("corvix-fuzz-" + juce::Uuid().toString());
        folder.createDirectory();
    }

    ~ScratchFolder() { folder.deleteRecursively(); }

    juce::File folder;
};
} // namespace

juce::File scratchFolder()
{
    static ScratchFolder scratch;
    return scratch.folder;
}

juce::MemoryBlock terminatedCopy (const std::uint8_t* data, std::size_t size)
{
    juce::MemoryBlock bytes (data, size);
    bytes.append ("", 1);
    return bytes;
}

void fail (const char* what)
{
    std::fprintf (stderr, "fuzz finding: %s\n", what);
    std::abort();
}
} // namespace corvix::fuzzing
