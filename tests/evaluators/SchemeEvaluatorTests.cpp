#include "evaluators/SchemeEnvironment.h"
#include "evaluators/SchemeError.h"
#include "evaluators/SchemeEvaluator.h"
#include "evaluators/SchemeFatalHandler.h"
#include "evaluators/SchemeGlobals.h"
#include "evaluators/SchemeLimits.h"
#include "evaluators/SchemePrinter.h"
#include "evaluators/SchemeReader.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace
{
using namespace NsOrvelA::evaluators;

class SchemeEvaluation : public ::testing::Test
{
protected:
    SchemeEvaluation() { schemeAddGlobals (global); }

    SchemeCell evaluate (const std::string& text) { return schemeEval (schemeRead (text), global); }
    std::string run (const std::string& text) { return schemeToString (evaluate (text)); }

    void expectPrints (std::initializer_list<std::pair<const char*, const char*>> programsAndTexts)
    {
        for (const auto& [program, text] : programsAndTexts)
            EXPECT_EQ (run (program), text) << program;
    }

    SchemeEnvironment global;
};

/** In a death test's child: what the child writes to standard output is what the death test
    matches, and anything else (the test framework's own diagnostics at exit) is dropped. */
void matchStandardOutputOnly()
{
    const auto pipeToParent = dup (STDERR_FILENO);
    const auto nowhere = open ("/dev/null", O_WRONLY);
    dup2 (nowhere, STDERR_FILENO);
    dup2 (pipeToParent, STDOUT_FILENO);
}

std::string repeated (const std::string& text, int count)
{
    std::string result;

    for (int i = 0; i < count; ++i)
        result += text;

    return result;
}

TEST_F (SchemeEvaluation, DefinitionsAndLambdas)
{
    const auto radius = evaluate ("(define r 10)");
    EXPECT_EQ (radius.type, SchemeCellType::number);
    EXPECT_EQ (radius.text, "10");
    EXPECT_EQ (run ("(* r r)"), "100");
    EXPECT_EQ (run ("(begin (define sq (lambda (x) (* x x))) (sq 12))"), "144");
    EXPECT_EQ (run ("((lambda (a) a) 1 2)"), "1") << "arguments beyond the parameters are ignored";

    run ("(define fact (lambda (n) (if (<= n 1) 1 (* n (fact (- n 1))))))");
    EXPECT_EQ (run ("(fact 10)"), "3628800");
}

TEST_F (SchemeEvaluation, ClosuresOutliveTheirCallsAndSetReachesTheBindingScope)
{
    run ("(define adder (lambda (n) (lambda (x) (+ x n))))");
    run ("(define add3 (adder 3))");
    EXPECT_EQ (run ("(add3 4)"), "7");
    EXPECT_EQ (run ("((adder 10) 5)"), "15");

    run ("(define total 0)");
    run ("(define bump (lambda (by) (set! total (+ total by))))");
    EXPECT_EQ (run ("(begin (bump 2) (bump 5) total)"), "7");

    // A closure made before a call fails must stay usable after the failure.
    run ("(define saved 0)");
    run ("(define keep (lambda (n) (begin (set! saved (lambda (x) (+ x n))) (car (list)))))");
    EXPECT_THROW (run ("(keep 5)"), SchemeError);
    EXPECT_EQ (run ("(saved 1)"), "6");
}

TEST_F (SchemeEvaluation, IfWithoutElseYieldsWhatNilIsBoundTo)
{
    EXPECT_EQ (run ("(if (< 2 1) 5)"), "nil");
    EXPECT_EQ (run ("(if (< 1 2) 5)"), "5");
    EXPECT_EQ (run ("(if () 5 6)"), "5") << "only #f is false";
    EXPECT_EQ (run ("(if nil 5 6)"), "5");
    EXPECT_EQ (run ("()"), "nil");

    run ("(define nil 7)");
    EXPECT_EQ (run ("(if (< 2 1) 5)"), "7");
}

TEST_F (SchemeEvaluation, ListBuiltinsAndPrinting)
{
    expectPrints ({
        { "(cdr (list 1))", "nil" },
        { "(cdr (list 1 2 3))", "(2 3)" },
        { "(cons 1 (list 2 3))", "(1 2 3)" },
        { "(append (list 1 2) (list 3))", "(1 2 3)" },
        { "(car (list 4 5))", "4" },
        { "(length (list 4 5 6))", "3" },
        { "(null? (list))", "#t" },
        { "(null? (list 1))", "#f" },
        { "(list)", "()" },
        { "(quote (a (b c)))", "(a (b c))" },
        { "(lambda (x) x)", "<Lambda>" },
        { "car", "<Proc>" },
    });
}

TEST_F (SchemeEvaluation, ArithmeticAndComparisons)
{
    expectPrints ({
        { "(- 10 1 2)", "7" },
        { "(- 5)", "5" },
        { "(*)", "1" },
        { "(/ 7 2)", "3" },
        { "(/ -7 2)", "-3" },
        { "(+ 5a 1)", "6" },
        { "(+ (quote abc) 2)", "2" },
        { "(- -2147483647 1)", "-2147483648" },
    });

    // Argument 0 is compared with each of the others, not neighbours with each other.
    expectPrints ({
        { "(< 1 3 2)", "#t" },
        { "(< 2 1 3)", "#f" },
        { "(> 3 1 2)", "#t" },
        { "(<= 2 2 3)", "#t" },
        { "(<= 3 2)", "#f" },
    });
}

TEST (SchemeReader, TokensAndAtoms)
{
    EXPECT_EQ (schemeTokenize ("(a\tb  (c))"), (SchemeTokens{ "(", "a\tb", "(", "c", ")", ")" }));
    EXPECT_EQ (schemeTokenize ("x\ny"), (SchemeTokens{ "x\ny" }));

    EXPECT_EQ (schemeAtom ("-5").type, SchemeCellType::number);
    EXPECT_EQ (schemeAtom ("5a").type, SchemeCellType::number);
    EXPECT_EQ (schemeAtom ("-").type, SchemeCellType::symbol);
    EXPECT_EQ (schemeAtom ("-x").type, SchemeCellType::symbol);
    EXPECT_EQ (schemeAtom ("").type, SchemeCellType::symbol);

    const auto stray = schemeRead (")");
    EXPECT_EQ (stray.type, SchemeCellType::symbol);
    EXPECT_EQ (stray.text, ")");
    EXPECT_EQ (schemeToString (schemeRead ("(1 (2) ()) extra")), "(1 (2) ())");
    EXPECT_EQ (schemeNumberToString (-42), "-42");
}

TEST_F (SchemeEvaluation, MalformedProgramsAreErrorsOfTheEvaluator)
{
    const char* programs[]{
        "",
        "(",
        "(+ 1 2",
        "((",
        "(quote)",
        "(if)",
        "(if 1)",
        "(define x)",
        "(set! x)",
        "(lambda (x))",
        "((lambda (x)) 1)",
        "(begin)",
        "((lambda (a b) a) 1)",
        "(car)",
        "(car (list))",
        "(cdr)",
        "(cons 1)",
        "(append (list 1))",
        "(length)",
        "(null?)",
        "(+)",
        "(-)",
        "(/)",
        "(<)",
        "(>)",
        "(<=)",
        "(/ 1 0)",
        "(/ 5 2 0)",
        "(/ -2147483648 -1)",
        "(+ 2147483647 1)",
        "(- -2147483648 1)",
        "(* 65536 65536)",
        "(+ 2147483648 0)",
        "(+ 99999999999999999999999 0)",
    };

    for (const auto* program : programs)
        EXPECT_THROW (run (program), SchemeError) << program;

    EXPECT_EQ (run ("(+ 1 2)"), "3") << "the evaluator stays usable after its errors";
}

TEST_F (SchemeEvaluation, DeepNestingIsAnErrorNotAStackOverflow)
{
    EXPECT_THROW (schemeRead (repeated ("(", 200000)), SchemeError);
    EXPECT_THROW (schemeRead (repeated ("(", schemeNestingLimit + 1) + repeated (")", schemeNestingLimit + 1)), SchemeError);
    EXPECT_EQ (run (repeated ("(+ 1 ", schemeNestingLimit - 1) + "0" + repeated (")", schemeNestingLimit - 1)),
               std::to_string (schemeNestingLimit - 1));

    run ("(define down (lambda (n) (if (< n 1) 0 (+ 1 (down (- n 1))))))");
    EXPECT_THROW (run ("(down 1000000)"), SchemeError);
    EXPECT_EQ (run ("(down 100)"), "100");

    // Values grown one level per step of a flat program.
    EXPECT_THROW (run ("(begin (define x (list)) " + repeated ("(set! x (list x)) ", schemeNestingLimit + 5) + "x)"), SchemeError);
    EXPECT_THROW (run ("(begin (define y (list)) " + repeated ("(set! y (cons y (list 1))) ", schemeNestingLimit + 5) + "y)"), SchemeError);

    // A value built by hand, beyond what the reader and the built-ins allow, does not print.
    SchemeCell deep (SchemeCellType::list);

    for (int i = 0; i < schemeNestingLimit + 5; ++i)
    {
        SchemeCell outer (SchemeCellType::list);
        outer.list.push_back (std::move (deep));
        deep = std::move (outer);
    }

    EXPECT_THROW (schemeToString (deep), SchemeError);
}

TEST_F (SchemeEvaluation, UnboundSymbolEndsTheStandaloneProcess)
{
    EXPECT_EXIT (
        {
            matchStandardOutputOnly();
            run ("(x)");
        },
        ::testing::ExitedWithCode (1), "^unbound symbol 'x'\n$");
}

TEST_F (SchemeEvaluation, NonProcedureInOperatorPositionEndsTheStandaloneProcess)
{
    EXPECT_EXIT (
        {
            matchStandardOutputOnly();
            run ("(5 1)");
        },
        ::testing::ExitedWithCode (1), "^not a function\n$");
}

TEST_F (SchemeEvaluation, EmbeddingProgramReplacesTheExit)
{
    std::vector<std::string> messages;
    const auto previous = setSchemeFatalHandler ([&messages] (const std::string& message) { messages.push_back (message); });

    EXPECT_THROW (run ("(x)"), SchemeError);
    EXPECT_THROW (run ("(set! y 1)"), SchemeError);
    EXPECT_THROW (run ("((quote f) 1)"), SchemeError);
    EXPECT_EQ (messages, (std::vector<std::string>{ "unbound symbol 'x'", "unbound symbol 'y'", "not a function" }));

    setSchemeFatalHandler (previous);
    EXPECT_EQ (run ("(+ 1 1)"), "2");
}
TEST_F (SchemeEvaluation, AProgramThatCallsItselfTwicePerCallEndsInBoundedTime)
{
    run ("(define f (lambda (n) (if (<= n 0) 0 (+ (f (- n 1)) (f (- n 1))))))");
    EXPECT_THROW (run ("(f 60)"), SchemeError);
    EXPECT_EQ (run ("(f 10)"), "0") << "a new evaluation starts afresh";
}
} // namespace
