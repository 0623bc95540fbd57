#pragma once

#include "link/Host.h"

namespace NsOrvelA
{
/** One upload conversation with a unit on the Host's selected output: compare slot signatures,
    send the slots the unit reports as changed, each request awaited before the next. Any
    failure ends the sending but not the conversation: the output is closed and transferBusy
    cleared however it ends. The result's message is the first failure's text. */
juce::Result runUploadConversation (Host& host, const juce::String& outputName, int productId);
} // namespace NsOrvelA
