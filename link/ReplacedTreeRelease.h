#pragma once

#include <juce_data_structures/juce_data_structures.h>

namespace NsOrvelA
{
/** Lets go of a live tree that was replaced. A map's tree holds about 1.7 million properties, and
    releasing them takes longer than reading a new map: when nothing but the given handle refers to
    any node of the tree (nobody can reach it any more), it is released on a thread of its own, so
    the user does not wait for it; otherwise here and now, as the last handle's release would.
    True when it went to the thread. */
bool releaseReplacedTree (juce::ValueTree&& tree);

/** Waits until every tree handed to releaseReplacedTree is gone. */
void waitForReplacedTreeReleases();
} // namespace NsOrvelA
