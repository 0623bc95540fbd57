// Any text as a program of the string-cell evaluator: every value it holds is read, evaluated in one
// global environment and printed. Errors end an evaluation with SchemeError; nothing may crash, and
// deep or long programs must end in bounded time.
#include "evaluators/SchemeEnvironment.h"
#include "evaluators/SchemeError.h"
#include "evaluators/SchemeEvaluator.h"
#include "evaluators/SchemeFatalHandler.h"
#include "evaluators/SchemeGlobals.h"
#include "evaluators/SchemePrinter.h"
#include "evaluators/SchemeReader.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace NsOrvelA::evaluators;

extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    // As an embedding program does: a failure abandons the evaluation instead of ending the process.
    setSchemeFatalHandler ([] (const std::string&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    SchemeEnvironment global;
    schemeAddGlobals (global);

    try
    {
        auto tokens = schemeTokenize (std::string (reinterpret_cast<const char*> (data), size));

        for (int values = 0; ! tokens.empty() && values < 64; ++values)
        {
            const auto value = schemeReadFrom (tokens);

            try
            {
                schemeToString (schemeEval (value, global));
            }
            catch (const SchemeError&)
            {
            }
        }
    }
    catch (const SchemeError&)
    {
    }

    return 0;
}
