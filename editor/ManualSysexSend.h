#pragma once

namespace NsOrvelA
{
/** The service send of one System Exclusive message typed in hexadecimal: opens the output of
    the given product's unit (nothing when it has none; "MIDI output failed!" when it cannot be
    opened), asks for the text in "Input MIDI SYSEX" and sends its bytes at once, only when "OK"
    was pressed and the text is not empty. A text of odd length says "Wrong length!". */
void sendManualSysex (int productId);
} // namespace NsOrvelA
