#include "evaluators/SchemeFatalHandler.h"

#include "evaluators/SchemeError.h"

#include <cstdlib>
#include <iostream>

namespace NsOrvelA::evaluators
{
namespace
{
void exitWithMessage (const std::string& message)
{
    std::cout << message << '\n' << std::flush;
    std::exit (1);
}

SchemeFatalHandler& installedHandler()
{
    static SchemeFatalHandler handler{ exitWithMessage };
    return handler;
}
} // namespace

SchemeFatalHandler setSchemeFatalHandler (SchemeFatalHandler handler)
{
    auto previous = std::move (installedHandler());
    installedHandler() = handler ? std::move (handler) : SchemeFatalHandler{ exitWithMessage };
    return previous;
}

void schemeFatal (const std::string& message)
{
    // A copy, so that a handler which installs another one does not destroy itself while running.
    const auto handler = installedHandler();
    handler (message);
    throw SchemeError (message);
}
} // namespace NsOrvelA::evaluators
