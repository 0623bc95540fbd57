#pragma once

#include "platform/VirtualMidiPortBackend.h"

#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace corvix::testing
{
/** A device in firmware-upgrade mode on virtual MIDI ports: one output and (unless told
    otherwise) one input of the same name. It decodes the note-on bytes the system sends into
    frames and blocks, checks their sums, keeps the firmware the blocks carry, and answers each
    frame and block with the protocol's note-on acknowledgements, or as it is told: not at all,
    late, with an error, early (before a block's last byte has arrived), with clock and active
    sensing bytes in between. Replies reach the system on the input's delivery thread. */
class SimulatedUpgradeDevice
{
public:
    enum class Answer
    {
        acknowledge,
        drop,
        reportError,
        /** An error note, then the acknowledgement errorThenAcknowledgeGapMs later. */
        reportErrorThenAcknowledge,
    };

    static constexpr int errorThenAcknowledgeGapMs = 200;

    SimulatedUpgradeDevice (talvor::VirtualMidiPortBackend& ports, juce::String portName = "Talvor firmware upgrade 1",
                            bool withInput = true);
    ~SimulatedUpgradeDevice();

    SimulatedUpgradeDevice (const SimulatedUpgradeDevice&) = delete;
    SimulatedUpgradeDevice& operator= (const SimulatedUpgradeDevice&) = delete;

    const juce::String& getPortName() const noexcept { return portName; }

    //==============================================================================
    // Behaviour.

    /** How the frame with this command (connect 7F, erase 00, reset 02) is answered. */
    void answerFrame (juce::uint8 command, Answer answer);

    /** How the block with this counter is answered, and after how many milliseconds. */
    void answerBlock (int counter, Answer answer, int delayMs = 0);

    /** Acknowledge this block when its second-to-last byte arrives, and hold the last byte's
        send until the acknowledgement has reached the system. */
    void acknowledgeBlockEarly (int counter);

    /** Send a clock (F8) and an active sensing (FE) byte before every reply. */
    void sendForeignBytesBeforeReplies (bool shouldSend);

    //==============================================================================
    // What the device received.

    /** Every message, as its raw bytes, in order. */
    std::vector<std::vector<juce::uint8>> receivedMessages() const;

    /** Every complete frame (17 bytes) and block (530 bytes), in order. */
    std::vector<std::vector<juce::uint8>> receivedFrames() const;

    /** The counters of the blocks received, in order. */
    std::vector<int> blockCounters() const;

    /** The firmware bytes of the blocks, joined in the order received. */
    std::vector<juce::uint8> writtenImage() const;

    /** Frames and blocks whose sum byte was wrong. */
    int checksumErrors() const;

    /** True once every reply has been delivered. */
    bool repliesDelivered() const;

private:
    void receive (const juce::MidiMessage& message);
    void frameComplete (const std::vector<juce::uint8>& frame);
    void blockComplete (const std::vector<juce::uint8>& block);
    void reply (juce::uint8 note, Answer answer, int delayMs);

    talvor::VirtualMidiPortBackend& ports;
    const juce::String portName;
    std::shared_ptr<talvor::VirtualMidiPortBackend::InputSource> input;

    mutable std::recursive_mutex lock;
    std::vector<std::vector<juce::uint8>> messages;
    std::vector<std::vector<juce::uint8>> frames;
    std::vector<juce::uint8> pending;
    std::vector<int> counters;
    std::vector<juce::uint8> image;
    int badSums = 0;

    std::map<juce::uint8, Answer> frameAnswers;
    std::map<int, std::pair<Answer, int>> blockAnswers;
    std::map<int, bool> earlyBlocks;
    bool foreignBytes = false;
};
} // namespace corvix::testing
