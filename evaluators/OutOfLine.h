#pragma once

/*  Marks a function that the compiler must not inline. The evaluators' recursive paths keep their
    rare branches (messages, temporaries) in such functions: inlined, their locals would widen the
    stack frame of every nesting level.
*/
#if defined(_MSC_VER)
#define EVALUATOR_OUT_OF_LINE __declspec(noinline)
#else
#define EVALUATOR_OUT_OF_LINE __attribute__ ((noinline))
#endif
