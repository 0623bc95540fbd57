#pragma once

namespace NsOrvelA
{
/** The captions of the editor's command buttons. The fader indicator switches between its two
    captions as the units report the fader lock of the current slot. */
namespace commandCaptions
{
inline constexpr const char* firmware = "FIRMWARE UPGRADE";
inline constexpr const char* saveDefault = "SAVE AS DEFAULT";
inline constexpr const char* faderUnlocked = "FADER UNLOCKED";
inline constexpr const char* faderLocked = "FADER LOCKED";
inline constexpr const char* connect = "CONNECT";
inline constexpr const char* send = "SEND DATA";
inline constexpr const char* saveFile = "SAVE FILE";
inline constexpr const char* loadFile = "LOAD FILE";
} // namespace commandCaptions
} // namespace NsOrvelA
