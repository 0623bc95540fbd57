#pragma once

namespace NsOrvelA::evaluators
{
/** A cell of the cons-cell evaluator. Cells are made by the routines below and live until the
    process ends; nil is the null pointer. The evaluator is meant for one thread. */
struct LispCell;

/** The value word of an atom. */
using LispAtomValue = long long;

/** A native function. It is called with as many leading arguments as its arity asks for, or with the
    whole argument list as `first` for an arity of 16; the parameters it does not ask for are nil. */
using LispNativeFunction = LispCell* (*) (LispCell* first, LispCell* second, LispCell* third);

enum LispCellType : int
{
    lispPairType = 1,
    lispSymbolType = 2,
    lispAtomType = 3,
    lispCFunctionType = 4
};

LispCell* lispCons (LispCell* car, LispCell* cdr);
LispCell* lispMakeAtom (LispAtomValue value);
LispCell* lispMakeCFunction (int arity, LispNativeFunction function);

/** The one symbol of this name; the name is copied, so the caller's text may go away. */
LispCell* lispIntern (const char* name);

/** The car or cdr of a pair; nil for nil and for any other cell. */
LispCell* lispCar (LispCell* cell) noexcept;
LispCell* lispCdr (LispCell* cell) noexcept;

/** The cell's type, 0 for nil. */
int lispType (LispCell* cell) noexcept;
bool lispIsPair (LispCell* cell) noexcept;
bool lispIsSymbol (LispCell* cell) noexcept;
bool lispIsAtom (LispCell* cell) noexcept;
bool lispIsCFunction (LispCell* cell) noexcept;
bool lispIsNull (LispCell* cell) noexcept;

/** The atom's value, 0 for any other cell. */
LispAtomValue lispAtomValue (LispCell* cell) noexcept;

/** The symbol's name, nullptr for any other cell. */
const char* lispSymbolName (LispCell* cell) noexcept;

/** The interned symbols, newest first; lispNextSymbol walks on (nil after the last). */
LispCell* lispSymbolList() noexcept;
LispCell* lispNextSymbol (LispCell* symbol) noexcept;

/** The native function's arity and pointer; 0 and nullptr for any other cell. */
int lispCFunctionArity (LispCell* cell) noexcept;
LispNativeFunction lispCFunctionPointer (LispCell* cell) noexcept;
} // namespace NsOrvelA::evaluators
