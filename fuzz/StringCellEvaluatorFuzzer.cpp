// Any text as a program of the string-cell evaluator (see EvaluatorPrograms.h). Errors end an
// evaluation with SchemeError; nothing may crash, and deep or long programs must end in bounded time.
#include "evaluators/SchemeFatalHandler.h"
#include "fuzz/EvaluatorPrograms.h"

extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    // As an embedding program does: a failure abandons the evaluation instead of ending the process.
    NsOrvelA::evaluators::setSchemeFatalHandler ([] (const std::string&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    corvix::fuzzing::runStringCellProgram (data, size);
    return 0;
}
