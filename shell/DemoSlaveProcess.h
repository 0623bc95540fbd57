#pragma once

#include <juce_data_structures/juce_data_structures.h>

/** The process's side of the child-process mode: it greets its coordinator and answers every
    message holding a "count" with that count plus one. */
class DemoSlaveProcess final : public juce::ChildProcessWorker, private juce::DeletedAtShutdown
{
public:
    DemoSlaveProcess() = default;

    void handleMessageFromCoordinator (const juce::MemoryBlock& message) override;
    void handleConnectionMade() override;
    void handleConnectionLost() override;

private:
    void send (const juce::ValueTree& tree);

    JUCE_DECLARE_NON_COPYABLE (DemoSlaveProcess)
};

/** The answer to one message of the coordinator: a "REPLY" tree whose "countPlusOne" is the
    message's "count" (0 when missing or unreadable) plus one. */
juce::ValueTree makeChildProcessReply (const juce::MemoryBlock& message);

/** Makes the process a child process when the command line is the framework's child-process
    command line for "demoUID" and a coordinator answers; true when it has become one. */
bool invokeChildProcessSlave (const juce::String& commandLine);
