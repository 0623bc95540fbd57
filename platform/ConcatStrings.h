#pragma once

#include <initializer_list>
#include <string>

namespace talvor
{
/** Joins the first text and the further ones, in order, stopping at the first null pointer among
    the further ones. A null first text counts as empty. The result owns its characters. */
std::string concatStrings (const char* first, std::initializer_list<const char*> further);
} // namespace talvor
