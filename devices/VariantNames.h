#pragma once

namespace talvor
{
/** 1 while the second set of device names is in force, 0 otherwise (the start value). Each
    upgrade wizard sets it from the product it is launched for; the name lookups read it. */
extern int variantNamesActive;

/** True exactly for the products whose devices carry the second set of names. */
bool usesVariantNames (int productId) noexcept;
} // namespace talvor
