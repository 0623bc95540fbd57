#pragma once

#include <stdexcept>
#include <string>

namespace NsOrvelA::evaluators
{
/** Thrown when the string-cell evaluator meets input it cannot evaluate safely: a form or call with
    too few parts, a division by zero, a number out of range, unbalanced parentheses or nesting
    deeper than the evaluator allows. */
class SchemeError final : public std::runtime_error
{
public:
    explicit SchemeError (const std::string& message) : std::runtime_error (message) {}
};
} // namespace NsOrvelA::evaluators
