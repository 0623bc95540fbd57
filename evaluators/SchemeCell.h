#pragma once

#include <string>
#include <utility>
#include <vector>

namespace NsOrvelA::evaluators
{
class SchemeEnvironment;
struct SchemeCell;

using SchemeCells = std::vector<SchemeCell>;

/** A built-in procedure: it receives the evaluated arguments. */
using SchemeProcedure = SchemeCell (*) (const SchemeCells& arguments);

enum class SchemeCellType : int
{
    symbol = 0,
    number = 1,
    list = 2,
    proc = 3,
    lambda = 4
};

/** A value of the string-cell evaluator. Numbers and symbols keep their text; a list owns its
    elements by value, so copying a cell copies the whole structure beneath it. */
struct SchemeCell
{
    explicit SchemeCell (SchemeCellType cellType = SchemeCellType::symbol) : type (cellType) {}
    SchemeCell (SchemeCellType cellType, std::string cellText) : type (cellType), text (std::move (cellText)) {}
    explicit SchemeCell (SchemeProcedure procedureToCall) : type (SchemeCellType::proc), procedure (procedureToCall) {}

    SchemeCellType type;
    std::string text;
    SchemeCells list;
    SchemeProcedure procedure = nullptr;

    /** For a lambda: where it was made. Not owned; the outermost environment keeps it alive. */
    SchemeEnvironment* environment = nullptr;
};
} // namespace NsOrvelA::evaluators
