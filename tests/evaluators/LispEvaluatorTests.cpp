#include "evaluators/LispEvaluator.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

namespace
{
using namespace NsOrvelA::evaluators;

LispCell* listOf (std::initializer_list<LispCell*> cells)
{
    LispCell* list = nullptr;

    for (auto cell = std::rbegin (cells); cell != std::rend (cells); ++cell)
        list = lispCons (*cell, list);

    return list;
}

LispCell* symbol (const char* name) { return lispIntern (name); }

bool isSymbolNamed (LispCell* cell, const char* name) { return lispIsSymbol (cell) && std::strcmp (lispSymbolName (cell), name) == 0; }

LispCell* addTwo (LispCell* a, LispCell* b, LispCell*) { return lispMakeAtom (lispAtomValue (a) + lispAtomValue (b)); }

LispCell* firstTwoAsList (LispCell* a, LispCell* b, LispCell*) { return listOf ({ a, b }); }

LispCell* identity (LispCell* a, LispCell*, LispCell*) { return a; }

class LispEvaluation : public ::testing::Test
{
protected:
    LispEvaluation() { lispEnvironment() = nullptr; }
    ~LispEvaluation() override { lispEnvironment() = nullptr; }
};

TEST_F (LispEvaluation, InterningKeepsOneSymbolPerNameAndCopiesTheName)
{
    char name[] = "alpha-interned";
    auto* alpha = lispIntern (name);
    std::strcpy (name, "overwritten!!");

    EXPECT_EQ (lispIntern ("alpha-interned"), alpha);
    EXPECT_STREQ (lispSymbolName (alpha), "alpha-interned");

    auto* beta = lispIntern ("beta-interned");
    EXPECT_EQ (lispSymbolList(), beta);
    EXPECT_EQ (lispNextSymbol (beta), alpha);
    EXPECT_NE (beta, alpha);
}

TEST_F (LispEvaluation, AccessorsAreSafeOnNilAndNonPairs)
{
    auto* atom = lispMakeAtom (3);

    for (auto* cell : { (LispCell*) nullptr, atom, symbol ("s"), lispMakeCFunction (1, identity) })
    {
        EXPECT_EQ (lispCar (cell), nullptr);
        EXPECT_EQ (lispCdr (cell), nullptr);
    }

    EXPECT_EQ (lispType (nullptr), 0);
    EXPECT_TRUE (lispIsNull (nullptr));
    EXPECT_FALSE (lispIsPair (nullptr) || lispIsSymbol (nullptr) || lispIsAtom (nullptr) || lispIsCFunction (nullptr));
    EXPECT_EQ (lispType (lispCons (atom, nullptr)), lispPairType);
    EXPECT_EQ (lispAtomValue (atom), 3);
}

TEST_F (LispEvaluation, SymbolsEvaluateToTheirBindingOrNil)
{
    auto* five = lispMakeAtom (5);
    lispEnvironment() = lispAcons (symbol ("x"), five, nullptr);

    EXPECT_EQ (lispEval (symbol ("x")), five);
    EXPECT_EQ (lispEval (symbol ("unbound-name")), nullptr);
    EXPECT_EQ (lispEval (five), five);
    EXPECT_EQ (lispEval (nullptr), nullptr);
}

TEST_F (LispEvaluation, PairlisPutsTheFirstNameDeepestAndPadsWithNil)
{
    auto* a = symbol ("a");
    auto* b = symbol ("b");
    auto* c = symbol ("c");
    auto* one = lispMakeAtom (1);
    auto* list = lispPairlis (listOf ({ a, b, c }), listOf ({ one }), nullptr);

    EXPECT_EQ (lispCar (lispCar (list)), c);
    EXPECT_EQ (lispCdr (lispAssoc (c, list)), nullptr);
    EXPECT_EQ (lispCdr (lispAssoc (a, list)), one);
    EXPECT_EQ (lispAssoc (symbol ("d"), list), nullptr);
}

TEST_F (LispEvaluation, LambdaBindsDynamicallyAndRestoresTheEnvironment)
{
    lispEnvironment() = lispAcons (symbol ("add"), lispMakeCFunction (2, addTwo), nullptr);
    auto* before = lispEnvironment();

    auto* lambda =
        listOf ({ symbol ("lambda"), listOf ({ symbol ("a"), symbol ("b") }), listOf ({ symbol ("add"), symbol ("a"), symbol ("b") }) });
    auto* result = lispApply (lambda, listOf ({ lispMakeAtom (2), lispMakeAtom (40) }));

    EXPECT_EQ (lispAtomValue (result), 42);
    EXPECT_EQ (lispEnvironment(), before);

    // The callee sees the caller's binding of y, which is not its own parameter.
    auto* inner = listOf ({ symbol ("lambda"), nullptr, listOf ({ symbol ("add"), symbol ("y"), lispMakeAtom (1) }) });
    lispEnvironment() = lispAcons (symbol ("inner"), inner, lispEnvironment());
    auto* outer = listOf ({ symbol ("lambda"), listOf ({ symbol ("y") }), listOf ({ symbol ("inner") }) });
    EXPECT_EQ (lispAtomValue (lispApply (outer, listOf ({ lispMakeAtom (9) }))), 10);

    EXPECT_EQ (lispApply (listOf ({ symbol ("lambda") }), nullptr), nullptr) << "a form without parameters or body";
    EXPECT_EQ (lispProgn (nullptr), nullptr);
}

TEST_F (LispEvaluation, FailuresAreValues)
{
    auto* seven = lispMakeAtom (7);
    auto* arguments = listOf ({ lispMakeAtom (1) });
    auto* error = lispApply (seven, arguments);

    EXPECT_TRUE (isSymbolNamed (lispCar (error), "EVAL:ERROR"));
    EXPECT_EQ (lispCar (lispCdr (error)), seven);
    EXPECT_EQ (lispCdr (lispCdr (error)), arguments);

    EXPECT_TRUE (isSymbolNamed (lispApply (nullptr, nullptr), "EVAL:NO-SUCH-LAM"));
    EXPECT_TRUE (isSymbolNamed (lispApply (lispMakeCFunction (1, nullptr), nullptr), "APPLY:NOPTR-IN-CFUNC"));
    EXPECT_TRUE (isSymbolNamed (lispEval (listOf ({ symbol ("unbound-operator") })), "EVAL:NO-SUCH-LAM"));
}

TEST_F (LispEvaluation, NativeFunctionsAreCalledByArity)
{
    auto* x = symbol ("x");
    auto* y = symbol ("y");
    lispEnvironment() = lispAcons (x, lispMakeAtom (1), lispAcons (y, lispMakeAtom (2), nullptr));
    auto* expressions = listOf ({ x, y, x });

    EXPECT_TRUE (isSymbolNamed (lispApply (lispMakeCFunction (5, firstTwoAsList), expressions), "NOTGOODFUNC"));
    EXPECT_TRUE (isSymbolNamed (lispApply (lispMakeCFunction (INT_MIN, firstTwoAsList), expressions), "NOTGOODFUNC"));

    auto* unevaluated = lispApply (lispMakeCFunction (-2, firstTwoAsList), expressions);
    EXPECT_EQ (lispCar (unevaluated), x);
    EXPECT_EQ (lispCar (lispCdr (unevaluated)), y);

    auto* evaluated = lispApply (lispMakeCFunction (2, firstTwoAsList), expressions);
    EXPECT_EQ (lispAtomValue (lispCar (evaluated)), 1);
    EXPECT_EQ (lispAtomValue (lispCar (lispCdr (evaluated))), 2);

    auto* whole = lispApply (lispMakeCFunction (16, identity), expressions);
    EXPECT_EQ (lispAtomValue (lispCar (lispCdr (lispCdr (whole)))), 1);

    // Missing arguments arrive as nil, never read past the list.
    auto* shortCall = lispApply (lispMakeCFunction (2, firstTwoAsList), listOf ({ x }));
    EXPECT_EQ (lispCar (lispCdr (shortCall)), nullptr);
}

TEST_F (LispEvaluation, EqualityHasATrueValueAndACellEqualsItself)
{
    auto* t = lispTrue();
    EXPECT_TRUE (isSymbolNamed (t, "T"));
    EXPECT_EQ (lispMakeBool (false), nullptr);

    auto* atom = lispMakeAtom (4);
    auto* list = listOf ({ atom, symbol ("s") });
    EXPECT_EQ (lispEqual (atom, atom), t);
    EXPECT_EQ (lispEqual (list, list), t);
    EXPECT_EQ (lispEqual (nullptr, nullptr), t);
    EXPECT_EQ (lispEqual (atom, lispMakeAtom (4)), t);
    EXPECT_EQ (lispEqual (list, listOf ({ lispMakeAtom (4), symbol ("s") })), t);

    EXPECT_EQ (lispEqual (atom, lispMakeAtom (5)), nullptr);
    EXPECT_EQ (lispEqual (atom, nullptr), nullptr);
    EXPECT_EQ (lispEqual (symbol ("s"), symbol ("r")), nullptr);
    EXPECT_EQ (lispEqual (list, listOf ({ lispMakeAtom (4) })), nullptr);
    EXPECT_EQ (lispEqual (lispMakeCFunction (1, identity), lispMakeCFunction (1, identity)), nullptr);
}

TEST_F (LispEvaluation, LongAndDeepStructuresDoNotExhaustTheStack)
{
    LispCell* longA = nullptr;
    LispCell* longB = nullptr;
    LispCell* deepA = lispMakeAtom (0);
    LispCell* deepB = lispMakeAtom (0);

    for (int i = 0; i < 300000; ++i)
    {
        longA = lispCons (lispMakeAtom (i), longA);
        longB = lispCons (lispMakeAtom (i), longB);
        deepA = lispCons (deepA, nullptr);
        deepB = lispCons (deepB, nullptr);
    }

    EXPECT_EQ (lispEqual (longA, longB), lispTrue());
    EXPECT_EQ (lispEqual (deepA, deepB), lispTrue());

    auto* id = symbol ("id");
    lispEnvironment() = lispAcons (id, lispMakeCFunction (1, identity), nullptr);
    LispCell* nested = symbol ("id");

    for (int i = 0; i < 300000; ++i)
        nested = listOf ({ id, nested });

    EXPECT_TRUE (isSymbolNamed (lispEval (nested), "EVAL:TOO-DEEP"));
    EXPECT_EQ (lispAtomValue (lispEval (listOf ({ id, lispMakeAtom (6) }))), 6) << "evaluation works again afterwards";
    EXPECT_EQ (lispAtomValue (lispCar (lispEvlis (longA))), 299999);
}
TEST_F (LispEvaluation, AProgramThatCallsItselfTwicePerCallEndsInBoundedTime)
{
    // f = (lambda () (f) (f)): within the depth limit its calls double on every level.
    auto* f = symbol ("twice");
    auto* callF = listOf ({ f });
    lispEnvironment() = lispAcons (f, listOf ({ symbol ("lambda"), nullptr, callF, callF }), nullptr);

    EXPECT_TRUE (isSymbolNamed (lispEval (callF), "EVAL:TOO-LONG"));

    lispEnvironment() = lispAcons (symbol ("id"), lispMakeCFunction (1, identity), nullptr);
    EXPECT_EQ (lispAtomValue (lispEval (listOf ({ symbol ("id"), lispMakeAtom (6) }))), 6) << "a new evaluation starts afresh";
}
TEST_F (LispEvaluation, ListsThatShareTheirPartsCompareInTimeOfTheirCells)
{
    // Sixty levels, each holding the level below twice: 2^60 paths, 61 cells.
    LispCell* left = lispMakeAtom (1);
    LispCell* right = lispMakeAtom (1);

    for (int level = 0; level < 60; ++level)
    {
        left = lispCons (left, left);
        right = lispCons (right, right);
    }

    EXPECT_EQ (lispEqual (left, right), lispTrue());
    EXPECT_EQ (lispEqual (left, lispCons (lispCar (right), lispMakeAtom (2))), nullptr);
}

TEST_F (LispEvaluation, SearchingTheBindingsCountsTowardsTheStepLimit)
{
    // A thousand lookups of a name missing from a thousand bindings: three applications but a
    // million steps, so the body's application after them is cut off.
    auto* const body = listOf ({ symbol ("id"), lispMakeAtom (6) });
    lispEnvironment() = lispAcons (symbol ("id"), lispMakeCFunction (1, identity), nullptr);
    lispEnvironment() = lispAcons (symbol ("f"), listOf ({ symbol ("lambda"), nullptr, body }), lispEnvironment());

    for (int i = 0; i < 1000; ++i)
        lispEnvironment() = lispAcons (lispMakeAtom (i), nullptr, lispEnvironment());

    LispCell* lookups = nullptr;
    LispCell* halfAsMany = nullptr;

    for (int i = 0; i < 1000; ++i)
    {
        lookups = lispCons (symbol ("missing"), lookups);

        if (i == 499)
            halfAsMany = lookups;
    }

    EXPECT_TRUE (isSymbolNamed (lispEval (lispCons (symbol ("f"), lookups)), "EVAL:TOO-LONG"));
    EXPECT_EQ (lispAtomValue (lispEval (lispCons (symbol ("f"), halfAsMany))), 6);
}
} // namespace
