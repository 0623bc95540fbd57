#pragma once

#include "evaluators/SchemeCell.h"

#include <string>

namespace NsOrvelA::evaluators
{
/** The text of a value: lists in parentheses with their elements separated by spaces, "<Lambda>"
    and "<Proc>" for procedures, and its own text for a symbol or number. Throws SchemeError for a
    value that nests deeper than schemeNestingLimit. */
std::string schemeToString (const SchemeCell& cell);

std::string schemeNumberToString (long number);
} // namespace NsOrvelA::evaluators
