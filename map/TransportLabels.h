#pragma once

namespace NsOrvelA
{
/** The transport functions every list of function names in use starts with. */
constexpr int transportLabelCount = 6;
constexpr const char* transportLabels[transportLabelCount] = { "Play", "Stop", "Record", "Rewind", "Fast Forward", "Loop" };
} // namespace NsOrvelA
