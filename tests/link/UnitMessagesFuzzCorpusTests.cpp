#include "fuzz/UnitMessages.h"
#include "link/HostMidiInputHandler.h"
#include "link/MyTimer.h"
#include "map/ReplySlots.h"
#include "map/SharedEditingState.h"
#include "tests/support/HostTest.h"
#include "tests/support/SimulatedUnit.h"

#include <gtest/gtest.h>

// Every input of the units' messages fuzz corpus, among them every input that ever crashed or hung
// the target, goes through the input handler and a tick of the device-watch timer as in the
// target: it must end, and under the sanitizer build without a finding.
namespace
{
using namespace NsOrvelA;
using corvix::testing::SimulatedUnit;

class UnitMessagesFuzzCorpus : public corvix::testing::HostTest
{
protected:
    SimulatedUnit& addUnit (int productId, const juce::String& name)
    {
        units.push_back (std::make_unique<SimulatedUnit> (ports, SimulatedUnit::Setup{ productId, name, 4, SimulatedUnit::PortNaming::sharedNames }));
        return *units.back();
    }

    std::vector<std::unique_ptr<SimulatedUnit>> units;
};

TEST_F (UnitMessagesFuzzCorpus, EveryInputIsDecodedAndTheNextTickAnswersItsReports)
{
    // As in the target: a main unit and an extender, each with its port 4.
    addUnit (2057, "Orvel-A");
    addUnit (2058, "Orvel-B");
    MyTimer timer;

    const auto folder = juce::File (CORVIX_SOURCE_DIR).getChildFile ("fuzz/corpus/UnitMessagesFuzzer");
    auto files = folder.findChildFiles (juce::File::findFiles, false);
    files.sort();
    ASSERT_FALSE (files.isEmpty()) << folder.getFullPathName();

    for (const auto& file : files)
    {
        SCOPED_TRACE (file.getFileName().toStdString());
        juce::MemoryBlock bytes;
        ASSERT_TRUE (file.loadFileAsData (bytes));

        {
            Host::MidiInputHandler handler;
            corvix::fuzzing::forEachUnitMessage (static_cast<const std::uint8_t*> (bytes.getData()), bytes.getSize(),
                                                 [&handler] (const juce::MidiMessage& message) { handler.handleIncomingMidiMessage (message); });
        }

        slotDirty = { 0, 0, 0 };
        slotSending = { 0, 0, 0 };
        timer.timerCallback();
        timer.stopTimer();

        EXPECT_EQ (slotSelectReportPending.load(), 0);
        EXPECT_EQ (faderReportPending.load(), 0);
    }
}
} // namespace
