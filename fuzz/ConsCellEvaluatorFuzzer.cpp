// Any bytes as a little program that builds cons cells (atoms, symbols, pairs, native functions and
// bindings) on a stack and then evaluates everything on it with the cons-cell evaluator. Nothing may
// crash, and deep or self-applying programs must end in bounded time.
#include "evaluators/LispEvaluator.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

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

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
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

    for (auto* cell : stack)
        lispEval (cell);

    lispEnvironment() = nullptr;
    return 0;
}
