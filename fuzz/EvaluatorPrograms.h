#pragma once

#include "evaluators/LispEvaluator.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// How the evaluators' fuzz targets turn bytes into programs. The normal suite reads every input of
// their corpora the same way, so that an input that once crashed or hung a target stays a test.
namespace corvix::fuzzing
{
/** Runs the bytes as a little program that builds cons cells (atoms, symbols, pairs, native
    functions and bindings) on a stack, then evaluates every cell left on it with the cons-cell
    evaluator; returns those last evaluations' results in stack order. Starts and ends with an
    empty environment. */
std::vector<NsOrvelA::evaluators::LispCell*> runConsCellProgram (const std::uint8_t* data, std::size_t size);

/** Runs the bytes as text of the string-cell evaluator: up to 64 values are read, each evaluated in
    one fresh global environment and printed. Returns the printed values, with "error: " and the
    message for a value whose evaluation failed, and the reader's error last when reading failed.
    A failure the evaluator hands to its fatal handler must return to it (an embedding program's
    handler) for this to come back. */
std::vector<std::string> runStringCellProgram (const std::uint8_t* data, std::size_t size);
} // namespace corvix::fuzzing
