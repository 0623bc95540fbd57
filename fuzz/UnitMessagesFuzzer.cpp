// Any bytes from the units, cut into messages of any length (see UnitMessages.h), through the Host's
// input handler; then one tick of the device-watch timer answers whatever reports they left, to
// units on virtual ports.
#include "fuzz/FuzzSupport.h"
#include "fuzz/UnitMessages.h"
#include "link/Host.h"
#include "link/HostImpl.h"
#include "link/HostMidiInputHandler.h"
#include "link/MyTimer.h"
#include "map/SharedEditingState.h"
#include "platform/VirtualMidiPortBackend.h"

#include <juce_events/juce_events.h>

#include <memory>

using namespace NsOrvelA;

namespace
{
struct Link
{
    Link()
    {
        settingsFolderName = corvix::fuzzing::scratchFolder().getChildFile ("settings").getFullPathName();
        host = std::make_unique<Host>();
        hostInstance = host.get();

        // A main unit and an extender, each with its port 4, that swallow what they are sent.
        for (const auto* name : { "Orvel-A 4", "Orvel-B 4" })
        {
            ports.addOutput (name, [] (const juce::MidiMessage&) {});
            inputs.push_back (ports.addInput (name));
        }
    }

    juce::ScopedJuceInitialiser_GUI framework;
    talvor::VirtualMidiPortBackend ports;
    talvor::ScopedMidiPortBackend portScope{ ports };
    std::vector<std::shared_ptr<talvor::VirtualMidiPortBackend::InputSource>> inputs;
    std::unique_ptr<Host> host;
    MyTimer timer;
};

// Never destroyed: the framework's own objects that it holds are gone by the time static objects
// are destroyed at exit.
Link& link()
{
    static auto* instance = new Link();
    return *instance;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    auto& unitLink = link();
    Host::MidiInputHandler handler;

    corvix::fuzzing::forEachUnitMessage (data, size, [&handler] (const juce::MidiMessage& message) { handler.handleIncomingMidiMessage (message); });

    slotDirty = { 0, 0, 0 };
    slotSending = { 0, 0, 0 };
    unitLink.timer.timerCallback();
    unitLink.timer.stopTimer();
    return 0;
}
