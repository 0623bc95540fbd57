#pragma once

/*  Included by every source file of the program. Each file gets its own copy of the constants and
    the two recursive function objects below; they are built during the file's static initialisation
    in the order written here and destroyed in reverse order at exit.
*/

#include "evaluators/FixedPointFunction.h"
#include "evaluators/SchemeCell.h"
#include "evaluators/TypedLogFormat.h"

#include <string>
#include <tuple>

namespace NsOrvelA::evaluators
{
namespace
{
const std::tuple<int, std::string, int> nilRecord{ -1, "NIL", 9 };

const FixedPointFunction fixedPointFibonacci{ [] (const std::function<int (int)>& self, int n)
                                              { return n < 2 ? n : wrappingAdd (self (n - 1), self (n - 2)); } };

const FixedPointFunction fixedPointFactorial{ [] (const std::function<int (int)>& self, int n)
                                              {
                                                  // 34! holds 2^32 as a factor, so every larger product wraps to 0;
                                                  // answering at once keeps a large n from recursing n levels deep.
                                                  if (n > 34)
                                                      return 0;

                                                  return n > 1 ? wrappingMultiply (n, self (n - 1)) : n;
                                              } };

const SchemeCell falseCell{ SchemeCellType::symbol, "#f" };
const SchemeCell trueCell{ SchemeCellType::symbol, "#t" };
const SchemeCell nilCell{ SchemeCellType::symbol, "nil" };
} // namespace
} // namespace NsOrvelA::evaluators
