#pragma once

namespace NsOrvelA::evaluators
{
/** How deeply a program text or a value built from it may nest. Copying, printing and releasing a
    cell recurse once per level, so this bounds the stack that any of them can use. */
constexpr int schemeNestingLimit = 500;

/** How many evaluations may be under way inside one another on a thread, so that a runaway
    recursion in a program is reported instead of exhausting the stack. Each takes a few hundred
    bytes of stack in an optimised build, so the limit stays well inside a 1 MB thread stack; a
    lambda calling itself uses about three per level. */
constexpr int schemeEvaluationDepthLimit = 1000;

/** How many evaluations one outermost evaluation may make, so that any program, however it
    recurses, ends in bounded time. */
constexpr long schemeEvaluationStepLimit = 1000000;
} // namespace NsOrvelA::evaluators
