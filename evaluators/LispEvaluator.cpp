#include "evaluators/LispEvaluator.h"

#include <set>
#include <utility>
#include <vector>

namespace NsOrvelA::evaluators
{
namespace
{
LispCell* environmentList = nullptr;
int evaluationDepth = 0;
long stepCount = 0; // of the outermost evaluation under way: applications, bindings made and searched, arguments
bool cutOff = false; // the outermost evaluation under way has passed the step limit somewhere below

void countSteps (long steps) noexcept { stepCount += steps; }

class EvaluationDepthCount final
{
public:
    EvaluationDepthCount() noexcept
    {
        if (evaluationDepth++ == 0)
        {
            stepCount = 0;
            cutOff = false;
        }

        countSteps (1);
    }

    ~EvaluationDepthCount() { --evaluationDepth; }

    EvaluationDepthCount (const EvaluationDepthCount&) = delete;
    EvaluationDepthCount& operator= (const EvaluationDepthCount&) = delete;

    bool isOutermost() const noexcept { return evaluationDepth == 1; }
    bool tooDeep() const noexcept { return evaluationDepth > lispEvaluationDepthLimit; }
    bool tooLong() const noexcept { return stepCount > lispEvaluationStepLimit; }
};

LispCell* applyLambda (LispCell* lambda, LispCell* argumentExpressions)
{
    auto* values = lispEvlis (argumentExpressions);
    auto* const savedEnvironment = environmentList;
    environmentList = lispPairlis (lispCar (lispCdr (lambda)), values, environmentList);
    auto* result = lispProgn (lispCdr (lispCdr (lambda)));
    environmentList = savedEnvironment;
    return result;
}
} // namespace

LispCell*& lispEnvironment() noexcept { return environmentList; }

LispCell* lispAcons (LispCell* key, LispCell* value, LispCell* list) { return lispCons (lispCons (key, value), list); }

LispCell* lispPairlis (LispCell* names, LispCell* values, LispCell* list)
{
    for (; lispIsPair (names); names = lispCdr (names), values = lispCdr (values))
    {
        countSteps (1);
        list = lispAcons (lispCar (names), lispCar (values), list);
    }

    return list;
}

LispCell* lispAssoc (LispCell* key, LispCell* list) noexcept
{
    for (; lispIsPair (list); list = lispCdr (list))
    {
        countSteps (1);

        if (lispCar (lispCar (list)) == key)
            return lispCar (list);
    }

    return nullptr;
}

LispCell* lispLookup (LispCell* symbol) noexcept { return lispCdr (lispAssoc (symbol, environmentList)); }

LispCell* lispEval (LispCell* expression)
{
    if (lispIsAtom (expression))
        return expression;

    if (lispIsSymbol (expression))
        return lispLookup (expression);

    if (! lispIsPair (expression))
        return nullptr;

    // Only an application recurses, so only it counts towards the depth.
    const EvaluationDepthCount depth;

    if (depth.tooDeep())
        return lispIntern ("EVAL:TOO-DEEP");

    // A program that calls itself more than once per call runs for exponential time within the
    // depth limit: it is cut off, and every application still pending ends at once.
    if (depth.tooLong())
    {
        cutOff = true;
        return lispIntern ("EVAL:TOO-LONG");
    }

    auto* const value = lispApply (lispEval (lispCar (expression)), lispCdr (expression));

    // The applications still pending go on with the error as a value and can make anything of it
    // (looked up it is nil, applied "EVAL:NO-SUCH-LAM"): the program's own result still says why
    // it ended.
    return depth.isOutermost() && cutOff ? lispIntern ("EVAL:TOO-LONG") : value;
}

LispCell* lispEvlis (LispCell* expressions)
{
    std::vector<LispCell*> values;

    for (; lispIsPair (expressions); expressions = lispCdr (expressions))
    {
        countSteps (1);
        values.push_back (lispEval (lispCar (expressions)));
    }

    LispCell* list = nullptr;

    for (auto value = values.rbegin(); value != values.rend(); ++value)
        list = lispCons (*value, list);

    return list;
}

LispCell* lispProgn (LispCell* expressions)
{
    LispCell* result = nullptr;

    for (; lispIsPair (expressions); expressions = lispCdr (expressions))
        result = lispEval (lispCar (expressions));

    return result;
}

LispCell* lispApply (LispCell* function, LispCell* argumentExpressions)
{
    if (lispIsCFunction (function))
    {
        const auto pointer = lispCFunctionPointer (function);

        if (pointer == nullptr)
            return lispIntern ("APPLY:NOPTR-IN-CFUNC");

        const auto arity = lispCFunctionArity (function);
        return lispCallCFunction (pointer, arity, arity > 0 ? lispEvlis (argumentExpressions) : argumentExpressions);
    }

    if (lispIsNull (function))
        return lispIntern ("EVAL:NO-SUCH-LAM");

    if (lispIsPair (function))
        return applyLambda (function, argumentExpressions);

    return lispCons (lispIntern ("EVAL:ERROR"), lispCons (function, argumentExpressions));
}

LispCell* lispCallCFunction (LispNativeFunction function, int arity, LispCell* arguments)
{
    if (function == nullptr)
        return lispIntern ("APPLY:NOPTR-IN-CFUNC");

    auto* const first = lispCar (arguments);
    auto* const second = lispCar (lispCdr (arguments));
    auto* const third = lispCar (lispCdr (lispCdr (arguments)));

    // The count is taken in long long, so that the most negative arity is just one more bad count.
    switch (arity < 0 ? -static_cast<long long> (arity) : arity)
    {
        case 0:
            return function (nullptr, nullptr, nullptr);
        case 1:
            return function (first, nullptr, nullptr);
        case 2:
            return function (first, second, nullptr);
        case 3:
            return function (first, second, third);
        case 16:
            return function (arguments, nullptr, nullptr);
        default:
            return lispIntern ("NOTGOODFUNC");
    }
}

LispCell* lispTrue() { return lispIntern ("T"); }

LispCell* lispMakeBool (bool value) { return value ? lispTrue() : nullptr; }

LispCell* lispEqual (LispCell* a, LispCell* b)
{
    // Pairs are compared through a work list rather than recursion, so long or deep lists cannot
    // exhaust the stack; and each two cells are compared once, so lists that share their parts
    // (a list of n levels can hold 2^n paths) take time in their cells, not in their paths.
    std::vector<std::pair<LispCell*, LispCell*>> pending{ { a, b } };
    std::set<std::pair<LispCell*, LispCell*>> compared;

    while (! pending.empty())
    {
        const auto [left, right] = pending.back();
        pending.pop_back();

        if (left == right)
            continue;

        if (lispType (left) != lispType (right))
            return lispMakeBool (false);

        if (lispIsPair (left))
        {
            if (! compared.emplace (left, right).second)
                continue;

            pending.emplace_back (lispCdr (left), lispCdr (right));
            pending.emplace_back (lispCar (left), lispCar (right));
        }
        else if (! lispIsAtom (left) || lispAtomValue (left) != lispAtomValue (right))
        {
            return lispMakeBool (false);
        }
    }

    return lispMakeBool (true);
}
} // namespace NsOrvelA::evaluators
