#pragma once

#include <juce_core/juce_core.h>

namespace talvor
{
/** The running program's own file, from which the resources folder and the page registry are
    found. */
juce::File programFile();

/** Makes programFile() answer the given file while this object lives, so that a test can place
    the program anywhere in a folder tree of its own. */
class ScopedProgramFile
{
public:
    explicit ScopedProgramFile (const juce::File& pretendedProgram);

private:
    juce::ScopedValueSetter<juce::File> setter;
};
} // namespace talvor
