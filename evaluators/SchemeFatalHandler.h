#pragma once

#include <functional>
#include <string>

namespace NsOrvelA::evaluators
{
/** Receives the message of an unbound symbol or of a value in operator position that is no procedure. */
using SchemeFatalHandler = std::function<void (const std::string& message)>;

/** Replaces what happens on those two failures, and returns the handler that was installed.

    The standalone evaluator writes the message and a line feed to standard output and ends the
    process with status 1. A program that embeds the evaluator and must keep running installs its
    own handler; when that handler returns, the evaluation is abandoned with a SchemeError carrying
    the message. An empty handler brings back the standalone behaviour. Install it before evaluating:
    the handler is process-wide and not guarded against concurrent replacement.
*/
SchemeFatalHandler setSchemeFatalHandler (SchemeFatalHandler handler);

/** Hands the message to the installed handler; never returns to the failed evaluation. */
[[noreturn]] void schemeFatal (const std::string& message);
} // namespace NsOrvelA::evaluators
