#pragma once

#include "link/Host.h"
#include "platform/MessageLoopWait.h"
#include "platform/VirtualMidiPortBackend.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace corvix::testing
{
/** Puts the shared editing state with the reply slots and the device tables back to their start
    values, so that tests do not see each other's traces. */
void resetProcessWideState();

/** A node's property names in their order, blank-separated: the attribute order of the map file. */
juce::String propertyNames (const juce::ValueTree& node);

/** The settings folder of this test program: a temporary folder, never the machine's own. */
juce::File testSettingsFolder();

/** Polls the way the program's transfers do, with the message loop running, until the condition
    holds or the time is up; returns the condition. The default time is a hang guard, generous for
    a loaded machine: only a test that expects the condition never to hold gives a time of its own. */
bool waitUntil (const std::function<bool()>& condition, int timeoutMs = 20000);

/** Runs the message loop for the given time, as an unreplaced wait slice does. */
void runMessageLoopSlice (int milliseconds);

/** A fresh Host over a fresh settings folder, installed as the process's Host, with virtual MIDI
    ports installed as the machine's ports and the shared editing state reset. */
class HostTest : public ::testing::Test
{
protected:
    HostTest();
    ~HostTest() override;

    /** Makes a new Host (dropping the previous one): it reads the settings file as it is now. */
    NsOrvelA::Host& makeHost();

    talvor::VirtualMidiPortBackend ports;
    talvor::ScopedMidiPortBackend portScope{ ports };

    /** Each slice of a wait ends only once the answers the virtual units gave in it have been
        delivered, so a busy machine (sanitizers, tests in parallel) cannot turn a prompt answer
        into a time-out. Tests that install a runner of their own replace this one. */
    talvor::ScopedDispatchSliceRunner promptDeliveries{ [this] (int milliseconds)
                                                        {
                                                            runMessageLoopSlice (milliseconds);
                                                            ports.waitForDueDeliveries();
                                                        } };
    std::unique_ptr<NsOrvelA::Host> host;
};
} // namespace corvix::testing
