#pragma once

#include "evaluators/SchemeCell.h"

namespace NsOrvelA::evaluators
{
class SchemeEnvironment;

/** Evaluates the value in the environment: symbols are looked up, numbers stand for themselves, the
    empty list is nil, "quote", "if", "set!", "define", "lambda" and "begin" are special forms and any
    other list is a call.

    An unbound symbol and a value in operator position that is no procedure go to the fatal handler.
    A special form or call with too few parts, an error of a built-in and evaluations nested more
    than schemeEvaluationDepthLimit deep or more than schemeEvaluationStepLimit in one outermost
    evaluation throw SchemeError.
*/
SchemeCell schemeEval (SchemeCell x, SchemeEnvironment& environment);
} // namespace NsOrvelA::evaluators
