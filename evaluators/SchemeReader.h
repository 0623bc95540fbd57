#pragma once

#include "evaluators/SchemeCell.h"

#include <list>
#include <string>

namespace NsOrvelA::evaluators
{
using SchemeTokens = std::list<std::string>;

/** Splits a program text at spaces and around parentheses. Only the space character separates:
    tabs and line ends belong to the tokens they touch. */
SchemeTokens schemeTokenize (const std::string& text);

/** A Number when the token starts with a digit, or with "-" and a digit; any other token is a Symbol. */
SchemeCell schemeAtom (const std::string& token);

/** Reads one value off the front of the tokens, consuming them. Throws SchemeError when the tokens
    run out, a list is never closed or lists nest deeper than schemeNestingLimit. */
SchemeCell schemeReadFrom (SchemeTokens& tokens);

/** The first value of the program text. */
SchemeCell schemeRead (const std::string& text);
} // namespace NsOrvelA::evaluators
