#include "model/DefaultMaps.h"
#include "model/MapState.h"
#include "model/SharedEditingState.h"
#include "tests/model/MapXmlTestTrees.h"
#include "tests/model/ModelTestSupport.h"

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
    corvix::testing::resetSharedEditingState();
    EXPECT_TRUE (corvix::testing::identicalTrees (stepByStepDefaultTree(), MapState().getTree()));

    // The slot options are read when the tree is made.
    slotOptionFlags = { { { 1, 1, 0 }, { 0, 0, 0 }, { 1, 0, 1 } } };
    EXPECT_TRUE (corvix::testing::identicalTrees (stepByStepDefaultTree(), MapState().getTree()));
    corvix::testing::resetSharedEditingState();
}
} // namespace
