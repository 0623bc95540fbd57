#pragma once

#include "map/Workstations.h"

#include <juce_core/juce_core.h>

#include <array>

namespace NsOrvelA
{
/** The factory maps put hotkeys on the last 96 button controls, 57..152 (two layers of 48), and a
    hotkey row carries no name of its own: these are the names the default maps give them, by
    workstation. Entry [dawId - 1][controlId - 57]; an empty text where the button has no label. */
constexpr int firstLabelledControl = 57;
constexpr int labelledControlCount = 96;

using DawLabelLayers = std::array<const char*, labelledControlCount>;

extern const DawLabelLayers dawFunctionLabels[dawCount];

/** The label of a button control of a workstation; empty outside workstations 1..18 and controls
    57..152. */
juce::String dawFunctionLabelOf (int dawId, int controlId);
} // namespace NsOrvelA
