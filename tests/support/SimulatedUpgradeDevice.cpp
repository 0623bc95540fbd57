#include "tests/support/SimulatedUpgradeDevice.h"

#include <chrono>
#include <thread>

namespace corvix::testing
{
namespace
{
constexpr size_t frameSize = 17;
constexpr size_t blockSize = 530;
constexpr int commandIndex = 14;
constexpr int argumentIndex = 15;
constexpr juce::uint8 blockCommand = 0x01;

juce::uint8 sumOf (const std::vector<juce::uint8>& bytes, size_t count)
{
    unsigned sum = 0;

    for (size_t i = 0; i < count; ++i)
        sum += bytes[i];

    return static_cast<juce::uint8> (sum & 0xFF);
}
} // namespace

SimulatedUpgradeDevice::SimulatedUpgradeDevice (talvor::VirtualMidiPortBackend& portsToUse, juce::String name, bool withInput)
    : ports (portsToUse), portName (std::move (name))
{
    ports.addOutput (portName, [this] (const juce::MidiMessage& message) { receive (message); });

    if (withInput)
        input = ports.addInput (portName);
}

SimulatedUpgradeDevice::~SimulatedUpgradeDevice()
{
    ports.removeOutput (portName);

    if (input != nullptr)
        ports.removeInput (portName);
}

void SimulatedUpgradeDevice::answerFrame (juce::uint8 command, Answer answer)
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    frameAnswers[command] = answer;
}

void SimulatedUpgradeDevice::answerBlock (int counter, Answer answer, int delayMs)
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    blockAnswers[counter] = { answer, delayMs };
}

void SimulatedUpgradeDevice::acknowledgeBlockEarly (int counter)
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    earlyBlocks[counter] = true;
}

void SimulatedUpgradeDevice::sendForeignBytesBeforeReplies (bool shouldSend)
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    foreignBytes = shouldSend;
}

void SimulatedUpgradeDevice::receive (const juce::MidiMessage& message)
{
    const auto* raw = message.getRawData();
    const std::vector<juce::uint8> bytes (raw, raw + message.getRawDataSize());
    bool holdUntilDelivered = false;

    {
        const std::lock_guard<std::recursive_mutex> guard (lock);
        messages.push_back (bytes);

        if (bytes == std::vector<juce::uint8>{ 0xEF, 0x7F, 0x7F })
        {
            pending.clear();
            return;
        }

        if (bytes.size() != 3 || bytes[0] != 0x9F)
            return;

        pending.push_back (static_cast<juce::uint8> ((bytes[1] << 4) | (bytes[2] & 0x0F)));
        const auto isBlock = pending.size() > commandIndex && pending[commandIndex] == blockCommand;

        if (! isBlock && pending.size() == frameSize)
        {
            frameComplete (pending);
            pending.clear();
        }
        else if (isBlock && pending.size() == blockSize - 1 && earlyBlocks[pending[argumentIndex]])
        {
            reply (blockCommand, Answer::acknowledge, 0);
        }
        else if (isBlock && pending.size() == blockSize)
        {
            holdUntilDelivered = earlyBlocks[pending[argumentIndex]];
            blockComplete (pending);
            pending.clear();
        }
    }

    // The early acknowledgement has then surely arrived before the block's last byte was sent.
    for (int waited = 0; holdUntilDelivered && ! repliesDelivered() && waited < 2000; ++waited)
        std::this_thread::sleep_for (std::chrono::milliseconds (1));
}

void SimulatedUpgradeDevice::frameComplete (const std::vector<juce::uint8>& frame)
{
    frames.push_back (frame);

    if (sumOf (frame, frameSize - 1) != frame.back())
    {
        ++badSums;
        return;
    }

    const auto command = frame[commandIndex];
    const auto answer = frameAnswers.count (command) != 0 ? frameAnswers[command] : Answer::acknowledge;
    reply (command, answer, 0);
}

void SimulatedUpgradeDevice::blockComplete (const std::vector<juce::uint8>& block)
{
    frames.push_back (block);
    const int counter = block[argumentIndex];
    counters.push_back (counter);

    if (sumOf (block, blockSize - 1) != block.back())
    {
        ++badSums;
        return;
    }

    image.insert (image.end(), block.begin() + frameSize, block.end() - 1);

    if (earlyBlocks[counter])
        return;

    const auto found = blockAnswers.find (counter);
    const auto answer = found != blockAnswers.end() ? found->second : std::pair{ Answer::acknowledge, 0 };
    reply (blockCommand, answer.first, answer.second);
}

void SimulatedUpgradeDevice::reply (juce::uint8 note, Answer answer, int delayMs)
{
    if (input == nullptr || answer == Answer::drop)
        return;

    if (foreignBytes)
    {
        input->send (juce::MidiMessage (0xF8, 0.0), delayMs);
        input->send (juce::MidiMessage (0xFE, 0.0), delayMs);
    }

    if (answer == Answer::reportErrorThenAcknowledge)
    {
        // Late enough that the system has seen the error note by itself first.
        input->send (juce::MidiMessage (0x9F, note, 0x7F), delayMs);
        input->send (juce::MidiMessage (0x9F, note, 0x00), delayMs + errorThenAcknowledgeGapMs);
        return;
    }

    input->send (juce::MidiMessage (0x9F, note, answer == Answer::reportError ? 0x7F : 0x00), delayMs);
}

std::vector<std::vector<juce::uint8>> SimulatedUpgradeDevice::receivedMessages() const
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    return messages;
}

std::vector<std::vector<juce::uint8>> SimulatedUpgradeDevice::receivedFrames() const
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    return frames;
}

std::vector<int> SimulatedUpgradeDevice::blockCounters() const
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    return counters;
}

std::vector<juce::uint8> SimulatedUpgradeDevice::writtenImage() const
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    return image;
}

int SimulatedUpgradeDevice::checksumErrors() const
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    return badSums;
}

bool SimulatedUpgradeDevice::repliesDelivered() const { return input == nullptr || input->isIdle(); }
} // namespace corvix::testing
