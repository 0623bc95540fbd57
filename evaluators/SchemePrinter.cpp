#include "evaluators/SchemePrinter.h"

#include "evaluators/SchemeError.h"
#include "evaluators/SchemeLimits.h"

namespace NsOrvelA::evaluators
{
namespace
{
void appendText (std::string& out, const SchemeCell& cell, int depth)
{
    switch (cell.type)
    {
        case SchemeCellType::list:
        {
            // Values built outside the reader and the built-ins are not bounded, so check here too.
            if (depth >= schemeNestingLimit)
                throw SchemeError ("value nests too deep to print");

            out += '(';

            for (const auto& element : cell.list)
            {
                appendText (out, element, depth + 1);
                out += ' ';
            }

            if (! cell.list.empty())
                out.pop_back();

            out += ')';
            return;
        }

        case SchemeCellType::lambda:
            out += "<Lambda>";
            return;

        case SchemeCellType::proc:
            out += "<Proc>";
            return;

        case SchemeCellType::symbol:
        case SchemeCellType::number:
            break;
    }

    out += cell.text;
}
} // namespace

std::string schemeToString (const SchemeCell& cell)
{
    std::string text;
    appendText (text, cell, 0);
    return text;
}

std::string schemeNumberToString (long number) { return std::to_string (number); }
} // namespace NsOrvelA::evaluators
