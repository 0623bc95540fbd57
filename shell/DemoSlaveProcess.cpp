#include "shell/DemoSlaveProcess.h"

#include <juce_data_structures/juce_data_structures.h>

juce::ValueTree makeChildProcessReply (const juce::MemoryBlock& message)
{
    const auto received = juce::ValueTree::readFromData (message.getData(), message.getSize());
    juce::ValueTree reply ("REPLY");
    reply.setProperty ("countPlusOne", static_cast<int> (received["count"]) + 1, nullptr);
    return reply;
}

void DemoSlaveProcess::send (const juce::ValueTree& tree)
{
    juce::MemoryOutputStream out (256);
    tree.writeToStream (out);
    sendMessageToCoordinator (out.getMemoryBlock());
}

void DemoSlaveProcess::handleConnectionMade() { send (juce::ValueTree ("HelloWorld")); }

void DemoSlaveProcess::handleMessageFromCoordinator (const juce::MemoryBlock& message) { send (makeChildProcessReply (message)); }

void DemoSlaveProcess::handleConnectionLost() { juce::JUCEApplicationBase::quit(); }

bool invokeChildProcessSlave (const juce::String& commandLine)
{
    auto child = std::make_unique<DemoSlaveProcess>();
    if (! child->initialiseFromCommandLine (commandLine, "demoUID", 0))
        return false;

    child.release(); // deleted at shut-down with the framework's other leftovers
    return true;
}
