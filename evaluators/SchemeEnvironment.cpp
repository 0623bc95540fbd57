#include "evaluators/SchemeEnvironment.h"

#include "evaluators/SchemeError.h"
#include "evaluators/SchemeFatalHandler.h"

namespace NsOrvelA::evaluators
{
SchemeEnvironment::SchemeEnvironment (SchemeEnvironment* outerEnvironment) : outer (outerEnvironment) {}

SchemeEnvironment::SchemeEnvironment (const SchemeCells& parameters, const SchemeCells& arguments, SchemeEnvironment* outerEnvironment)
    : outer (outerEnvironment)
{
    if (arguments.size() < parameters.size())
        throw SchemeError ("too few arguments: " + std::to_string (parameters.size()) + " expected, " + std::to_string (arguments.size())
                           + " given");

    for (size_t i = 0; i < parameters.size(); ++i)
        bindings[parameters[i].text] = arguments[i];
}

SchemeEnvironment::~SchemeEnvironment() = default;

SchemeEnvironment& SchemeEnvironment::find (const std::string& name)
{
    // A loop rather than recursion: a deep chain of calls makes a deep chain of environments.
    for (auto* environment = this; environment != nullptr; environment = environment->outer)
        if (environment->binds (name))
            return *environment;

    schemeFatal ("unbound symbol '" + name + "'");
}

SchemeCell& SchemeEnvironment::operator[] (const std::string& name) { return bindings[name]; }

bool SchemeEnvironment::binds (const std::string& name) const { return bindings.find (name) != bindings.end(); }

void SchemeEnvironment::keepAlive (std::unique_ptr<SchemeEnvironment> callEnvironment)
{
    auto* outermost = this;

    while (outermost->outer != nullptr)
        outermost = outermost->outer;

    outermost->keptCallEnvironments.push_back (std::move (callEnvironment));
}
} // namespace NsOrvelA::evaluators
