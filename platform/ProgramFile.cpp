#include "platform/ProgramFile.h"

namespace talvor
{
namespace
{
juce::File& pretendedProgramFile()
{
    static juce::File file;
    return file;
}
} // namespace

juce::File programFile()
{
    const auto& pretended = pretendedProgramFile();
    return pretended != juce::File() ? pretended : juce::File::getSpecialLocation (juce::File::currentApplicationFile);
}

ScopedProgramFile::ScopedProgramFile (const juce::File& pretendedProgram) : setter (pretendedProgramFile(), pretendedProgram) {}
} // namespace talvor
