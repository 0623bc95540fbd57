#include "evaluators/SchemeGlobals.h"

#include "evaluators/SchemeEnvironment.h"
#include "evaluators/SchemeError.h"
#include "evaluators/SchemeLimits.h"
#include "evaluators/SchemePrinter.h"

#include <climits>
#include <utility>

namespace NsOrvelA::evaluators
{
namespace
{
// Made afresh rather than taken from the shared header's constants, whose per-file copies may not be
// built yet when another file's start-up code fills an environment.
SchemeCell symbolCell (const char* name) { return { SchemeCellType::symbol, name }; }

SchemeCell truthCell (bool isTrue) { return symbolCell (isTrue ? "#t" : "#f"); }

void requireArguments (const SchemeCells& arguments, size_t count, const char* name)
{
    if (arguments.size() < count)
        throw SchemeError (std::string (name) + ": too few arguments");
}

bool isSpace (char c) noexcept { return c == ' ' || (c >= '\t' && c <= '\r'); }

/** atoi's reading, with a text beyond int reported instead of left undefined. */
int numberOf (const SchemeCell& cell)
{
    const auto& text = cell.text;
    size_t i = 0;

    while (i < text.size() && isSpace (text[i]))
        ++i;

    const auto negative = i < text.size() && text[i] == '-';

    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;

    long long magnitude = 0;

    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    {
        magnitude = magnitude * 10 + (text[i] - '0');

        if (magnitude > -static_cast<long long> (INT_MIN))
            throw SchemeError ("number out of range: " + text);
    }

    const auto value = negative ? -magnitude : magnitude;

    if (value > INT_MAX)
        throw SchemeError ("number out of range: " + text);

    return static_cast<int> (value);
}

long long checkedInt (long long value)
{
    if (value < INT_MIN || value > INT_MAX)
        throw SchemeError ("arithmetic overflow");

    return value;
}

SchemeCell numberCell (long long value)
{
    return { SchemeCellType::number, schemeNumberToString (static_cast<long> (checkedInt (value))) };
}

/** Combines the numbers from index `first` on into `initial`. Every step is exact in long long and
    checked against int, so the next step cannot overflow either. */
template <typename Combine>
SchemeCell foldNumbers (const SchemeCells& arguments, size_t first, long long initial, Combine combine)
{
    auto value = initial;

    for (size_t i = first; i < arguments.size(); ++i)
        value = checkedInt (combine (value, static_cast<long long> (numberOf (arguments[i]))));

    return numberCell (value);
}

template <typename Combine>
SchemeCell foldFromFirst (const SchemeCells& arguments, const char* name, Combine combine)
{
    requireArguments (arguments, 1, name);
    return foldNumbers (arguments, 1, numberOf (arguments[0]), combine);
}

/** Compares argument 0 with each of the others (not neighbours with each other). */
template <typename Compare>
SchemeCell compareFirstWithRest (const SchemeCells& arguments, const char* name, Compare compare)
{
    requireArguments (arguments, 1, name);
    const auto first = numberOf (arguments[0]);

    for (size_t i = 1; i < arguments.size(); ++i)
        if (! compare (first, numberOf (arguments[i])))
            return truthCell (false);

    return truthCell (true);
}

/** A list made by the built-ins may not nest deeper than a program text can; walked without
    recursion so that the check itself cannot run out of stack. */
SchemeCell withinNestingLimit (SchemeCell value)
{
    std::vector<std::pair<const SchemeCell*, int>> pending{ { &value, 1 } };

    while (! pending.empty())
    {
        const auto [cell, level] = pending.back();
        pending.pop_back();

        if (level > schemeNestingLimit)
            throw SchemeError ("lists nest more than " + std::to_string (schemeNestingLimit) + " deep");

        for (const auto& element : cell->list)
            if (element.type == SchemeCellType::list || ! element.list.empty())
                pending.emplace_back (&element, level + 1);
    }

    return value;
}

SchemeCell listOf (SchemeCells elements)
{
    SchemeCell list (SchemeCellType::list);
    list.list = std::move (elements);
    return withinNestingLimit (std::move (list));
}

SchemeCell add (const SchemeCells& arguments)
{
    return foldFromFirst (arguments, "+", [] (long long a, long long b) { return a + b; });
}

SchemeCell subtract (const SchemeCells& arguments)
{
    return foldFromFirst (arguments, "-", [] (long long a, long long b) { return a - b; });
}

SchemeCell multiply (const SchemeCells& arguments)
{
    return foldNumbers (arguments, 0, 1, [] (long long a, long long b) { return a * b; });
}

SchemeCell divide (const SchemeCells& arguments)
{
    return foldFromFirst (arguments, "/",
                          [] (long long a, long long b)
                          {
                              if (b == 0)
                                  throw SchemeError ("/: division by zero");

                              return a / b;
                          });
}

SchemeCell greater (const SchemeCells& arguments)
{
    return compareFirstWithRest (arguments, ">", [] (int a, int b) { return a > b; });
}

SchemeCell less (const SchemeCells& arguments)
{
    return compareFirstWithRest (arguments, "<", [] (int a, int b) { return a < b; });
}

SchemeCell lessOrEqual (const SchemeCells& arguments)
{
    return compareFirstWithRest (arguments, "<=", [] (int a, int b) { return a <= b; });
}

SchemeCell length (const SchemeCells& arguments)
{
    requireArguments (arguments, 1, "length");
    return numberCell (static_cast<long long> (arguments[0].list.size()));
}

SchemeCell isNull (const SchemeCells& arguments)
{
    requireArguments (arguments, 1, "null?");
    return truthCell (arguments[0].list.empty());
}

SchemeCell car (const SchemeCells& arguments)
{
    requireArguments (arguments, 1, "car");

    if (arguments[0].list.empty())
        throw SchemeError ("car: empty list");

    return arguments[0].list.front();
}

SchemeCell cdr (const SchemeCells& arguments)
{
    requireArguments (arguments, 1, "cdr");

    if (arguments[0].list.size() < 2)
        return symbolCell ("nil");

    auto rest = arguments[0];
    rest.list.erase (rest.list.begin());
    return rest;
}

SchemeCell append (const SchemeCells& arguments)
{
    requireArguments (arguments, 2, "append");
    auto elements = arguments[0].list;
    elements.insert (elements.end(), arguments[1].list.begin(), arguments[1].list.end());
    return listOf (std::move (elements));
}

SchemeCell cons (const SchemeCells& arguments)
{
    requireArguments (arguments, 2, "cons");
    SchemeCells elements{ arguments[0] };
    elements.insert (elements.end(), arguments[1].list.begin(), arguments[1].list.end());
    return listOf (std::move (elements));
}

SchemeCell list (const SchemeCells& arguments) { return listOf (arguments); }
} // namespace

void schemeAddGlobals (SchemeEnvironment& environment)
{
    environment["nil"] = symbolCell ("nil");
    environment["#f"] = symbolCell ("#f");
    environment["#t"] = symbolCell ("#t");

    const std::pair<const char*, SchemeProcedure> builtIns[]{
        { "append", append }, { "car", car },      { "cdr", cdr }, { "cons", cons },      { "length", length },
        { "list", list },     { "null?", isNull }, { "+", add },   { "-", subtract },     { "*", multiply },
        { "/", divide },      { ">", greater },    { "<", less },  { "<=", lessOrEqual },
    };

    for (const auto& [name, procedure] : builtIns)
        environment[name] = SchemeCell (procedure);
}
} // namespace NsOrvelA::evaluators
