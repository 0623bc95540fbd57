#pragma once

namespace talvor
{
/** The family id a device carries in its enter-upgrade-mode request; an id of no family is its own. */
int productFamilyId (int productId) noexcept;

/** The id under which a family's firmware is catalogued: every extender is catalogued as the plain Orvel-B. */
int normaliseProductId (int productId) noexcept;

/** True when the device is flashed through the bootloader tool rather than over MIDI. */
bool usesBlhostBackend (int productId) noexcept;
} // namespace talvor
