#include "evaluators/LispEvaluator.h"
#include "evaluators/SchemeFatalHandler.h"
#include "fuzz/EvaluatorPrograms.h"

#include <juce_core/juce_core.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

// Every input of the evaluators' fuzz corpora, among them every input that ever crashed or hung a
// target, is run here as its target runs it: it must end (the test's time limit stands for the
// fuzzer's), and under the sanitizer build without a finding.
namespace
{
using namespace NsOrvelA::evaluators;

juce::File corpusFolder (const char* target) { return juce::File (CORVIX_SOURCE_DIR).getChildFile ("fuzz/corpus").getChildFile (target); }

juce::Array<juce::File> corpus (const char* target)
{
    auto files = corpusFolder (target).findChildFiles (juce::File::findFiles, false);
    files.sort();
    EXPECT_FALSE (files.isEmpty()) << corpusFolder (target).getFullPathName();
    return files;
}

juce::MemoryBlock bytesOf (const juce::File& file)
{
    juce::MemoryBlock bytes;
    EXPECT_TRUE (file.loadFileAsData (bytes)) << file.getFullPathName();
    return bytes;
}

std::vector<LispCell*> runConsCellInput (const juce::MemoryBlock& bytes)
{
    return corvix::fuzzing::runConsCellProgram (static_cast<const std::uint8_t*> (bytes.getData()), bytes.getSize());
}

bool isSymbolNamed (LispCell* cell, const char* name) { return lispIsSymbol (cell) && std::strcmp (lispSymbolName (cell), name) == 0; }

TEST (EvaluatorFuzzCorpus, EveryConsCellProgramEnds)
{
    for (const auto& file : corpus ("ConsCellEvaluatorFuzzer"))
    {
        SCOPED_TRACE (file.getFileName().toStdString());
        runConsCellInput (bytesOf (file));
        EXPECT_EQ (lispEnvironment(), nullptr);
    }
}

TEST (EvaluatorFuzzCorpus, LongParameterListsInDeepCallsAreCutOffAsTooLong)
{
    // 48 bytes whose calls bind and search long parameter lists at every level: while only
    // applications counted, they stayed under the limit and the input outran the fuzzer's time-out.
    const auto results = runConsCellInput (bytesOf (corpusFolder ("ConsCellEvaluatorFuzzer").getChildFile ("long-bindings-in-deep-calls.bin")));

    EXPECT_TRUE (std::any_of (results.begin(), results.end(), [] (LispCell* cell) { return isSymbolNamed (cell, "EVAL:TOO-LONG"); }));
}

TEST (EvaluatorFuzzCorpus, EveryStringCellProgramEnds)
{
    // As the target runs them: a failure abandons the evaluation instead of ending the process.
    const auto previous = setSchemeFatalHandler ([] (const std::string&) {});

    for (const auto& file : corpus ("StringCellEvaluatorFuzzer"))
    {
        SCOPED_TRACE (file.getFileName().toStdString());
        const auto bytes = bytesOf (file);
        const auto printed = corvix::fuzzing::runStringCellProgram (static_cast<const std::uint8_t*> (bytes.getData()), bytes.getSize());
        EXPECT_FALSE (printed.empty());
    }

    setSchemeFatalHandler (previous);
}
} // namespace
