#pragma once

#include "evaluators/LispCell.h"

namespace NsOrvelA::evaluators
{
/** The process-wide environment: an association list of (name . value) pairs, newest first. */
LispCell*& lispEnvironment() noexcept;

LispCell* lispAcons (LispCell* key, LispCell* value, LispCell* list);

/** Puts a (name . value) pair in front of the list for each name, the first name deepest; names
    beyond the values are paired with nil. */
LispCell* lispPairlis (LispCell* names, LispCell* values, LispCell* list);

/** The first pair of the list whose car is the very key cell, else nil. */
LispCell* lispAssoc (LispCell* key, LispCell* list) noexcept;

/** The symbol's value in the environment, nil when it has none. */
LispCell* lispLookup (LispCell* symbol) noexcept;

/** Atoms stand for themselves, symbols for their value, a pair for the application of its car's
    value to its cdr; anything else is nil. Evaluations nested more than lispEvaluationDepthLimit
    deep give the symbol "EVAL:TOO-DEEP" instead of exhausting the stack, and every application
    after lispEvaluationStepLimit steps (applications, arguments, bindings made and searched)
    within one outermost evaluation gives "EVAL:TOO-LONG", so that any program ends in bounded
    time; an outermost evaluation cut off so gives "EVAL:TOO-LONG" too, whatever its pending
    applications made of the error. */
LispCell* lispEval (LispCell* expression);
LispCell* lispEvlis (LispCell* expressions);
LispCell* lispProgn (LispCell* expressions);

/** Applies a native function or a lambda form (MARKER PARAMS BODY...); lambda parameters are bound
    dynamically, in front of the environment, for the time of the call. Failures are values: the
    symbols "APPLY:NOPTR-IN-CFUNC" and "EVAL:NO-SUCH-LAM" and the list (EVAL:ERROR f . arguments). */
LispCell* lispApply (LispCell* function, LispCell* argumentExpressions);

/** Calls the function with as many leading arguments as the arity's absolute value (0 to 3), or with
    the whole list for 16; any other arity gives the symbol "NOTGOODFUNC". */
LispCell* lispCallCFunction (LispNativeFunction function, int arity, LispCell* arguments);

/** The evaluator's true value, the symbol T; false is nil. */
LispCell* lispTrue();
LispCell* lispMakeBool (bool value);

/** True for the same cell (nil included), for atoms of equal value and for pairs whose cars and
    cdrs are equal; false for anything else. */
LispCell* lispEqual (LispCell* a, LispCell* b);

constexpr int lispEvaluationDepthLimit = 2000;
constexpr long lispEvaluationStepLimit = 1000000;
} // namespace NsOrvelA::evaluators
