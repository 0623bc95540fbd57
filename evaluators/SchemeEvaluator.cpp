#include "evaluators/SchemeEvaluator.h"

#include "evaluators/OutOfLine.h"
#include "evaluators/SchemeEnvironment.h"
#include "evaluators/SchemeError.h"
#include "evaluators/SchemeFatalHandler.h"
#include "evaluators/SchemeLimits.h"

#include <memory>

namespace NsOrvelA::evaluators
{
namespace
{
thread_local int evaluationDepth = 0;
thread_local long evaluationCount = 0; // of the outermost evaluation under way

[[noreturn]] EVALUATOR_OUT_OF_LINE void throwTooDeep()
{
    throw SchemeError ("evaluation nests more than " + std::to_string (schemeEvaluationDepthLimit) + " deep");
}

[[noreturn]] EVALUATOR_OUT_OF_LINE void throwTooLong()
{
    throw SchemeError ("evaluation takes more than " + std::to_string (schemeEvaluationStepLimit) + " steps");
}

[[noreturn]] EVALUATOR_OUT_OF_LINE void throwTooFewParts (const char* name) { throw SchemeError (std::string (name) + ": too few parts"); }

class EvaluationDepthGuard final
{
public:
    EvaluationDepthGuard()
    {
        if (evaluationDepth >= schemeEvaluationDepthLimit)
            throwTooDeep();

        if (evaluationDepth == 0)
            evaluationCount = 0;

        // A program that calls itself more than once per call runs for exponential time within
        // the depth limit.
        if (++evaluationCount > schemeEvaluationStepLimit)
            throwTooLong();

        ++evaluationDepth;
    }

    ~EvaluationDepthGuard() { --evaluationDepth; }

    EvaluationDepthGuard (const EvaluationDepthGuard&) = delete;
    EvaluationDepthGuard& operator= (const EvaluationDepthGuard&) = delete;
};

void requireParts (const SchemeCell& form, size_t count, const char* name)
{
    if (form.list.size() < count)
        throwTooFewParts (name);
}

const SchemeCell& nilSymbol()
{
    static const SchemeCell nil{ SchemeCellType::symbol, "nil" };
    return nil;
}

SchemeCell evaluate (const SchemeCell& x, SchemeEnvironment& environment);

EVALUATOR_OUT_OF_LINE SchemeCell makeLambda (const SchemeCell& form, SchemeEnvironment& environment)
{
    requireParts (form, 3, "lambda");
    environment.markCaptured();
    auto lambda = form;
    lambda.type = SchemeCellType::lambda;
    lambda.environment = &environment;
    return lambda;
}

EVALUATOR_OUT_OF_LINE SchemeCell callLambda (const SchemeCell& lambda, const SchemeCells& arguments)
{
    requireParts (lambda, 3, "lambda");

    if (lambda.environment == nullptr)
        throw SchemeError ("lambda without an environment");

    auto callEnvironment = std::make_unique<SchemeEnvironment> (lambda.list[1].list, arguments, lambda.environment);

    // A lambda made during the call points at its environment, which must then outlive the call,
    // even when the call ends with an error.
    const auto keepIfCaptured = [&]
    {
        if (callEnvironment->isCaptured())
            lambda.environment->keepAlive (std::move (callEnvironment));
    };

    try
    {
        auto result = evaluate (lambda.list[2], *callEnvironment);
        keepIfCaptured();
        return result;
    }
    catch (...)
    {
        keepIfCaptured();
        throw;
    }
}

EVALUATOR_OUT_OF_LINE SchemeCell evaluateCall (const SchemeCell& x, SchemeEnvironment& environment)
{
    const auto procedure = evaluate (x.list[0], environment);
    SchemeCells arguments;
    arguments.reserve (x.list.size() - 1);

    for (size_t i = 1; i < x.list.size(); ++i)
        arguments.push_back (evaluate (x.list[i], environment));

    if (procedure.type == SchemeCellType::lambda)
        return callLambda (procedure, arguments);

    if (procedure.type == SchemeCellType::proc && procedure.procedure != nullptr)
        return procedure.procedure (arguments);

    schemeFatal ("not a function");
}

EVALUATOR_OUT_OF_LINE SchemeCell evaluateBegin (const SchemeCell& x, SchemeEnvironment& environment)
{
    requireParts (x, 2, "begin");

    for (size_t i = 1; i + 1 < x.list.size(); ++i)
        evaluate (x.list[i], environment);

    return evaluate (x.list.back(), environment);
}

EVALUATOR_OUT_OF_LINE SchemeCell evaluateIf (const SchemeCell& x, SchemeEnvironment& environment)
{
    requireParts (x, 3, "if");

    if (evaluate (x.list[1], environment).text != "#f")
        return evaluate (x.list[2], environment);

    // Without an else part the symbol nil is evaluated, so the answer is whatever nil is bound to.
    return evaluate (x.list.size() < 4 ? nilSymbol() : x.list[3], environment);
}

EVALUATOR_OUT_OF_LINE SchemeCell evaluateDefinition (const SchemeCell& x, SchemeEnvironment& environment, bool replaceExisting)
{
    requireParts (x, 3, replaceExisting ? "set!" : "define");
    auto value = evaluate (x.list[2], environment);
    const auto& name = x.list[1].text;
    auto& target = replaceExisting ? environment.find (name) : environment;
    return target[name] = std::move (value);
}

SchemeCell evaluateList (const SchemeCell& x, SchemeEnvironment& environment)
{
    if (x.list[0].type == SchemeCellType::symbol)
    {
        const auto& name = x.list[0].text;

        if (name == "quote")
        {
            requireParts (x, 2, "quote");
            return x.list[1];
        }

        if (name == "if")
            return evaluateIf (x, environment);

        if (name == "set!")
            return evaluateDefinition (x, environment, true);

        if (name == "define")
            return evaluateDefinition (x, environment, false);

        if (name == "lambda")
            return makeLambda (x, environment);

        if (name == "begin")
            return evaluateBegin (x, environment);
    }

    return evaluateCall (x, environment);
}

SchemeCell evaluate (const SchemeCell& x, SchemeEnvironment& environment)
{
    const EvaluationDepthGuard guard;

    if (x.type == SchemeCellType::symbol)
        return environment.find (x.text)[x.text];

    if (x.type == SchemeCellType::number)
        return x;

    if (x.list.empty())
        return nilSymbol();

    return evaluateList (x, environment);
}
} // namespace

SchemeCell schemeEval (SchemeCell x, SchemeEnvironment& environment) { return evaluate (x, environment); }
} // namespace NsOrvelA::evaluators
