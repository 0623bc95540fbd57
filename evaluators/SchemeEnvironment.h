#pragma once

#include "evaluators/SchemeCell.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace NsOrvelA::evaluators
{
/** A frame of bindings from symbol names to values, chained to the frame it was made in.

    The embedding program owns the outermost environment. The evaluator makes one environment per
    lambda call; when a lambda made during the call keeps a pointer to it, the outermost environment
    of its chain takes it over and releases it with itself, otherwise it goes when the call returns.
*/
class SchemeEnvironment final
{
public:
    explicit SchemeEnvironment (SchemeEnvironment* outerEnvironment = nullptr);

    /** Binds the name of the n-th parameter to the n-th argument; arguments beyond the parameters
        are ignored. Throws SchemeError when there are fewer arguments than parameters. */
    SchemeEnvironment (const SchemeCells& parameters, const SchemeCells& arguments, SchemeEnvironment* outerEnvironment);

    ~SchemeEnvironment();

    SchemeEnvironment (const SchemeEnvironment&) = delete;
    SchemeEnvironment& operator= (const SchemeEnvironment&) = delete;

    /** The innermost environment, this one or an outer one, that binds the name. An unbound name
        goes to the fatal handler. */
    SchemeEnvironment& find (const std::string& name);

    /** The value bound to the name here, made (as an empty symbol) when there is none yet. */
    SchemeCell& operator[] (const std::string& name);

    bool binds (const std::string& name) const;
    SchemeEnvironment* getOuter() const noexcept { return outer; }

    /** Notes that a lambda keeps a pointer to this environment, which must then outlive its call. */
    void markCaptured() noexcept { captured = true; }
    bool isCaptured() const noexcept { return captured; }

    /** Keeps a captured call environment alive for as long as this environment's outermost one. */
    void keepAlive (std::unique_ptr<SchemeEnvironment> callEnvironment);

private:
    std::map<std::string, SchemeCell> bindings;
    SchemeEnvironment* outer = nullptr;
    std::vector<std::unique_ptr<SchemeEnvironment>> keptCallEnvironments;
    bool captured = false;
};
} // namespace NsOrvelA::evaluators
