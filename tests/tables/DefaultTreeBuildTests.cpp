#include "map/MapState.h"
#include "map/SharedEditingState.h"
#include "tables/DefaultMaps.h"
#include "tests/support/HostTest.h"
#include "tests/support/MapXmlTestTrees.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;

/** The tree as the two steps make it, one after the other. */
juce::ValueTree stepByStepDefaultTree()
{
    MapState state (juce::ValueTree (mapIds::store));
    buildDefaultMapTree (state);
    initControlTable (state);
    return state.getTree();
}

TEST (DefaultTreeBuild, ANewTreeIsTheTreeOfTheDefaultBuildFollowedByTheDefaultMaps)
{
    corvix::testing::resetProcessWideState();
    EXPECT_TRUE (corvix::testing::identicalTrees (stepByStepDefaultTree(), makeDefaultMapState().getTree()));

    // The slot options are read when the tree is made.
    slotOptionFlags = { { { 1, 1, 0 }, { 0, 0, 0 }, { 1, 0, 1 } } };
    EXPECT_TRUE (corvix::testing::identicalTrees (stepByStepDefaultTree(), makeDefaultMapState().getTree()));
    corvix::testing::resetProcessWideState();
}
} // namespace
