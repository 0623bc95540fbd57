#include "fuzz/EvaluatorPrograms.h"

#include "evaluators/SchemeEnvironment.h"
#include "evaluators/SchemeError.h"
#include "evaluators/SchemeEvaluator.h"
#include "evaluators/SchemeGlobals.h"
#include "evaluators/SchemePrinter.h"
#include "evaluators/SchemeReader.h"

#include <array>

namespace corvix::fuzzing
{
using namespace NsOrvelA::evaluators;

namespace
{
LispCell* add (LispCell* a, LispCell* b, LispCell*) { return lispMakeAtom (lispAtomValue (a) + lispAtomValue (b)); }
LispCell* car (LispCell* a, LispCell*, LispCell*) { return lispCar (a); }
LispCell* cdr (LispCell* a, LispCell*, LispCell*) { return lispCdr (a); }
LispCell* cons (LispCell* a, LispCell* b, LispCell*) { return lispCons (a, b); }
LispCell* equal (LispCell* a, LispCell* b, LispCell*) { return lispEqual (a, b); }
LispCell* quote (LispCell* a, LispCell*, LispCell*) { return lispCar (a); }
LispCell* eval (LispCell* a, LispCell*, LispCell*) { return lispEval (a); }
LispCell* progn (LispCell* a, LispCell*, LispCell*) { return lispProgn (a); }
LispCell* apply (LispCell* a, LispCell* b, LispCell*) { return lispApply (a, b); }
LispCell* evlis (LispCell* a, LispCell*, LispCell*) { return lispEvlis (a); }

struct Native
{
    int arity;
    LispNativeFunction function;
};

constexpr std::array<Native, 12> natives{ { { 2, add },
                                            { 1, car },
                                            { 1, cdr },
                                            { 2, cons },
                                            { 2, equal },
                                            { -1, quote },
                                            { 1, eval },
                                            { 16, progn },
                                            { 2, apply },
                                            { 1, evlis },
                                            { 7, add },
                                            { 3, cons } } };

constexpr std::array<const char*, 8> names{ "A", "B", "F", "G", "X", "Y", "T", "LAMBDA" };
} // namespace

std::vector<LispCell*> runConsCellProgram (const std::uint8_t* data, std::size_t size)
{
    lispEnvironment() = nullptr;
    std::vector<LispCell*> stack;

    const auto pop = [&stack]() -> LispCell*
    {
        if (stack.empty())
            return nullptr;

        auto* top = stack.back();
        stack.pop_back();
        return top;
    };

    // Each byte: an operation in its low three bits, an operand in the five above.
    for (std::size_t i = 0; i < size; ++i)
    {
        const auto operation = data[i] & 7;
        const auto operand = data[i] >> 3;

        switch (operation)
        {
            case 0: stack.push_back (lispMakeAtom (operand - 16)); break;
            case 1: stack.push_back (lispIntern (names[operand % names.size()])); break;
            case 2: stack.push_back (nullptr); break;
            case 3:
            {
                auto* cdrCell = pop();
                stack.push_back (lispCons (pop(), cdrCell));
                break;
            }
            case 4:
            {
                const auto& native = natives[operand % natives.size()];
                stack.push_back (lispMakeCFunction (native.arity, native.function));
                break;
            }
            case 5: // binds a name to the value on top
                lispEnvironment() = lispAcons (lispIntern (names[operand % names.size()]), pop(), lispEnvironment());
                break;
            case 6: stack.push_back (lispEval (pop())); break;
            default:
                if (! stack.empty())
                    stack.push_back (stack[operand % stack.size()]);
                break;
        }
    }

    std::vector<LispCell*> results;

    for (auto* cell : stack)
        results.push_back (lispEval (cell));

    lispEnvironment() = nullptr;
    return results;
}

std::vector<std::string> runStringCellProgram (const std::uint8_t* data, std::size_t size)
{
    SchemeEnvironment global;
    schemeAddGlobals (global);
    std::vector<std::string> printed;

    try
    {
        auto tokens = schemeTokenize (std::string (reinterpret_cast<const char*> (data), size));

        for (int values = 0; ! tokens.empty() && values < 64; ++values)
        {
            const auto value = schemeReadFrom (tokens);

            try
            {
                printed.push_back (schemeToString (schemeEval (value, global)));
            }
            catch (const SchemeError& error)
            {
                printed.push_back (std::string ("error: ") + error.what());
            }
        }
    }
    catch (const SchemeError& error)
    {
        printed.push_back (std::string ("error: ") + error.what());
    }

    return printed;
}
} // namespace corvix::fuzzing
