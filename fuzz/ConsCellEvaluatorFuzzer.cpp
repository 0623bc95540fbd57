// Any bytes as a little program of cons cells for the cons-cell evaluator (see EvaluatorPrograms.h).
// Nothing may crash, and deep or self-applying programs must end in bounded time.
#include "fuzz/EvaluatorPrograms.h"

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    corvix::fuzzing::runConsCellProgram (data, size);
    return 0;
}
