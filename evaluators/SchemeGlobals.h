#pragma once

namespace NsOrvelA::evaluators
{
class SchemeEnvironment;

/** Binds "nil", "#f" and "#t" and the fourteen built-in procedures into the environment.

    The built-ins read numbers as int the way atoi does (a text without leading digits counts as 0)
    and throw SchemeError for too few arguments, a division by zero, a number outside int and a
    result outside int, which includes the most negative number divided by -1.
*/
void schemeAddGlobals (SchemeEnvironment& environment);
} // namespace NsOrvelA::evaluators
