#include "evaluators/LispCell.h"

#include <cstring>
#include <deque>
#include <string>

namespace NsOrvelA::evaluators
{
struct LispCell
{
    int type = 0;
    LispCell* car = nullptr; // pair
    LispCell* cdr = nullptr; // pair: the rest; symbol: the next symbol in the symbol list
    const char* name = nullptr;
    LispAtomValue atom = 0;
    int arity = 0;
    LispNativeFunction function = nullptr;
};

namespace
{
// Cells and names are never released while the process runs. The stores are reached through static
// pointers and never destroyed, so that cells stay valid during the other files' static destruction
// and still count as reachable, not leaked.
std::deque<LispCell>& cellStore()
{
    static auto* store = new std::deque<LispCell>();
    return *store;
}

std::deque<std::string>& nameStore()
{
    static auto* store = new std::deque<std::string>();
    return *store;
}

LispCell* symbolListHead = nullptr;

LispCell* newCell (int type)
{
    auto& cell = cellStore().emplace_back();
    cell.type = type;
    return &cell;
}

bool hasType (LispCell* cell, int type) noexcept { return cell != nullptr && cell->type == type; }
} // namespace

LispCell* lispCons (LispCell* car, LispCell* cdr)
{
    auto* cell = newCell (lispPairType);
    cell->car = car;
    cell->cdr = cdr;
    return cell;
}

LispCell* lispMakeAtom (LispAtomValue value)
{
    auto* cell = newCell (lispAtomType);
    cell->atom = value;
    return cell;
}

LispCell* lispMakeCFunction (int arity, LispNativeFunction function)
{
    auto* cell = newCell (lispCFunctionType);
    cell->arity = arity;
    cell->function = function;
    return cell;
}

LispCell* lispIntern (const char* name)
{
    if (name == nullptr)
        name = "";

    for (auto* symbol = symbolListHead; symbol != nullptr; symbol = symbol->cdr)
        if (std::strcmp (symbol->name, name) == 0)
            return symbol;

    auto* symbol = newCell (lispSymbolType);
    symbol->name = nameStore().emplace_back (name).c_str();
    symbol->cdr = symbolListHead;
    symbolListHead = symbol;
    return symbol;
}

LispCell* lispCar (LispCell* cell) noexcept { return lispIsPair (cell) ? cell->car : nullptr; }

LispCell* lispCdr (LispCell* cell) noexcept { return lispIsPair (cell) ? cell->cdr : nullptr; }

int lispType (LispCell* cell) noexcept { return cell != nullptr ? cell->type : 0; }

bool lispIsPair (LispCell* cell) noexcept { return hasType (cell, lispPairType); }

bool lispIsSymbol (LispCell* cell) noexcept { return hasType (cell, lispSymbolType); }

bool lispIsAtom (LispCell* cell) noexcept { return hasType (cell, lispAtomType); }

bool lispIsCFunction (LispCell* cell) noexcept { return hasType (cell, lispCFunctionType); }

bool lispIsNull (LispCell* cell) noexcept { return cell == nullptr; }

LispAtomValue lispAtomValue (LispCell* cell) noexcept { return lispIsAtom (cell) ? cell->atom : 0; }

const char* lispSymbolName (LispCell* cell) noexcept { return lispIsSymbol (cell) ? cell->name : nullptr; }

LispCell* lispSymbolList() noexcept { return symbolListHead; }

LispCell* lispNextSymbol (LispCell* symbol) noexcept { return lispIsSymbol (symbol) ? symbol->cdr : nullptr; }

int lispCFunctionArity (LispCell* cell) noexcept { return lispIsCFunction (cell) ? cell->arity : 0; }

LispNativeFunction lispCFunctionPointer (LispCell* cell) noexcept { return lispIsCFunction (cell) ? cell->function : nullptr; }
} // namespace NsOrvelA::evaluators
