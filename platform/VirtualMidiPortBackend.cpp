#include "platform/VirtualMidiPortBackend.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <thread>

namespace talvor
{
using Clock = std::chrono::steady_clock;

//==============================================================================
class VirtualMidiPortBackend::OutputEndpoint
{
public:
    OutputEndpoint (juce::String portName, DeviceReceiver deviceReceiver)
        : name (std::move (portName)), receiver (std::move (deviceReceiver))
    {
    }

    const juce::String& getName() const noexcept { return name; }

    HandleCount handles;

    void deliver (const juce::MidiMessage& message)
    {
        // Recursive: a device may unplug itself from inside its own receiver.
        const std::lock_guard<std::recursive_mutex> guard (receiverLock);

        if (connected && receiver)
            receiver (message);
    }

    void disconnect()
    {
        const std::lock_guard<std::recursive_mutex> guard (receiverLock);
        connected = false;
    }

private:
    const juce::String name;
    DeviceReceiver receiver;
    std::recursive_mutex receiverLock;
    bool connected = true;
};

//==============================================================================
class VirtualMidiPortBackend::InputEndpoint final : public InputSource
{
public:
    explicit InputEndpoint (juce::String portName) : name (std::move (portName))
    {
        deliveryThread = std::thread ([this] { runDelivery(); });
    }

    ~InputEndpoint() override { disconnect(); }

    juce::String getName() const override { return name; }

    HandleCount handles;

    void send (const juce::MidiMessage& message, int delayMs) override
    {
        {
            const std::lock_guard<std::mutex> guard (queueLock);

            if (! connected)
                return;

            queue.emplace (Clock::now() + std::chrono::milliseconds (std::max (0, delayMs)), message);
        }
        queueChanged.notify_all();
    }

    bool isIdle() const override
    {
        const std::lock_guard<std::mutex> guard (queueLock);
        return queue.empty() && ! delivering;
    }

    bool waitForDeliveriesDueBy (Clock::time_point cutoff, Clock::time_point deadline)
    {
        std::unique_lock<std::mutex> queueGuard (queueLock);
        return deliveryDone.wait_until (queueGuard, deadline, [&] {
            return ! connected || (! delivering && (queue.empty() || queue.begin()->first > cutoff));
        });
    }

    void attach (MidiInputListener& listener)
    {
        const std::lock_guard<std::mutex> guard (listenerLock);

        if (std::find (listeners.begin(), listeners.end(), &listener) == listeners.end())
            listeners.push_back (&listener);
    }

    /** Once this returns, the listener is not being called and will not be called again. */
    void detach (MidiInputListener& listener)
    {
        const std::lock_guard<std::mutex> guard (listenerLock);
        listeners.erase (std::remove (listeners.begin(), listeners.end(), &listener), listeners.end());
    }

    void disconnect()
    {
        {
            const std::lock_guard<std::mutex> guard (queueLock);
            connected = false;
            queue.clear();
        }
        queueChanged.notify_all();
        deliveryDone.notify_all();

        if (deliveryThread.joinable() && deliveryThread.get_id() != std::this_thread::get_id())
            deliveryThread.join();

        const std::lock_guard<std::mutex> guard (listenerLock);
        listeners.clear();
    }

private:
    void runDelivery()
    {
        std::unique_lock<std::mutex> queueGuard (queueLock);

        for (;;)
        {
            if (! connected)
                return;

            if (queue.empty())
            {
                queueChanged.wait (queueGuard);
                continue;
            }

            const auto due = queue.begin()->first;

            if (Clock::now() < due)
            {
                queueChanged.wait_until (queueGuard, due);
                continue;
            }

            const auto message = queue.begin()->second;
            queue.erase (queue.begin());
            delivering = true;
            queueGuard.unlock();

            {
                const std::lock_guard<std::mutex> guard (listenerLock);

                for (auto* listener : listeners)
                    listener->handleIncomingMidiMessage (message);
            }

            queueGuard.lock();
            delivering = false;
            deliveryDone.notify_all();
        }
    }

    const juce::String name;

    mutable std::mutex queueLock;
    std::condition_variable queueChanged;
    std::condition_variable deliveryDone;
    std::multimap<Clock::time_point, juce::MidiMessage> queue;
    bool connected = true;
    bool delivering = false;

    std::mutex listenerLock;
    std::vector<MidiInputListener*> listeners;

    std::thread deliveryThread;
};

//==============================================================================
namespace
{
/** Holds one open handle of a port, counted for the port and for its backend while it lives. */
class OpenHandle
{
public:
    OpenHandle (VirtualMidiPortBackend::HandleCount& portCount, std::shared_ptr<VirtualMidiPortBackend::HandleCount> backendCount)
        : port (portCount), backend (std::move (backendCount))
    {
        ++port.open;
        ++backend->open;
    }

    ~OpenHandle()
    {
        --port.open;
        --backend->open;
    }

    OpenHandle (const OpenHandle&) = delete;
    OpenHandle& operator= (const OpenHandle&) = delete;

private:
    VirtualMidiPortBackend::HandleCount& port;
    std::shared_ptr<VirtualMidiPortBackend::HandleCount> backend;
};

class VirtualOutputPort final : public MidiOutputPort
{
public:
    VirtualOutputPort (std::shared_ptr<VirtualMidiPortBackend::OutputEndpoint> endpointToUse,
                       std::shared_ptr<VirtualMidiPortBackend::HandleCount> backendCount)
        : endpoint (std::move (endpointToUse)), handle (endpoint->handles, std::move (backendCount))
    {
    }

    juce::String getName() const override { return endpoint->getName(); }
    void sendMessageNow (const juce::MidiMessage& message) override { endpoint->deliver (message); }

private:
    std::shared_ptr<VirtualMidiPortBackend::OutputEndpoint> endpoint;
    OpenHandle handle;
};

class VirtualInputPort final : public MidiInputPort
{
public:
    VirtualInputPort (std::shared_ptr<VirtualMidiPortBackend::InputEndpoint> endpointToUse, MidiInputListener& listenerToUse,
                      std::shared_ptr<VirtualMidiPortBackend::HandleCount> backendCount)
        : endpoint (std::move (endpointToUse)), listener (listenerToUse), handle (endpoint->handles, std::move (backendCount))
    {
    }

    ~VirtualInputPort() override { stop(); }

    juce::String getName() const override { return endpoint->getName(); }
    void start() override { endpoint->attach (listener); }
    void stop() override { endpoint->detach (listener); }

private:
    std::shared_ptr<VirtualMidiPortBackend::InputEndpoint> endpoint;
    MidiInputListener& listener;
    OpenHandle handle;
};

template <typename Endpoint>
std::shared_ptr<Endpoint> takeFirstNamed (std::vector<std::shared_ptr<Endpoint>>& endpoints, const juce::String& name)
{
    const auto found = std::find_if (endpoints.begin(), endpoints.end(), [&] (const auto& e) { return e->getName() == name; });

    if (found == endpoints.end())
        return nullptr;

    auto endpoint = *found;
    endpoints.erase (found);
    return endpoint;
}

template <typename Endpoint>
std::shared_ptr<Endpoint> findFirstNamed (const std::vector<std::shared_ptr<Endpoint>>& endpoints, const juce::String& name)
{
    for (const auto& endpoint : endpoints)
        if (endpoint->getName() == name)
            return endpoint;

    return nullptr;
}

template <typename Endpoint>
juce::StringArray namesOf (const std::vector<std::shared_ptr<Endpoint>>& endpoints)
{
    juce::StringArray names;

    for (const auto& endpoint : endpoints)
        names.add (endpoint->getName());

    return names;
}
} // namespace

//==============================================================================
VirtualMidiPortBackend::VirtualMidiPortBackend() = default;

VirtualMidiPortBackend::~VirtualMidiPortBackend() { removeAll(); }

void VirtualMidiPortBackend::addOutput (const juce::String& name, DeviceReceiver receiver)
{
    const std::lock_guard<std::mutex> guard (lock);
    outputs.push_back (std::make_shared<OutputEndpoint> (name, std::move (receiver)));
}

std::shared_ptr<VirtualMidiPortBackend::InputSource> VirtualMidiPortBackend::addInput (const juce::String& name)
{
    auto endpoint = std::make_shared<InputEndpoint> (name);
    const std::lock_guard<std::mutex> guard (lock);
    inputs.push_back (endpoint);
    return endpoint;
}

void VirtualMidiPortBackend::removeOutput (const juce::String& name)
{
    std::shared_ptr<OutputEndpoint> removed;
    {
        const std::lock_guard<std::mutex> guard (lock);
        removed = takeFirstNamed (outputs, name);
    }

    if (removed != nullptr)
        removed->disconnect();
}

void VirtualMidiPortBackend::removeInput (const juce::String& name)
{
    std::shared_ptr<InputEndpoint> removed;
    {
        const std::lock_guard<std::mutex> guard (lock);
        removed = takeFirstNamed (inputs, name);
    }

    if (removed != nullptr)
        removed->disconnect();
}

void VirtualMidiPortBackend::removeAll()
{
    std::vector<std::shared_ptr<OutputEndpoint>> removedOutputs;
    std::vector<std::shared_ptr<InputEndpoint>> removedInputs;
    {
        const std::lock_guard<std::mutex> guard (lock);
        removedOutputs.swap (outputs);
        removedInputs.swap (inputs);
    }

    for (auto& output : removedOutputs)
        output->disconnect();

    for (auto& input : removedInputs)
        input->disconnect();
}

void VirtualMidiPortBackend::setExclusiveOpens (bool exclusive)
{
    const std::lock_guard<std::mutex> guard (lock);
    exclusiveOpens = exclusive;
}

int VirtualMidiPortBackend::getOpenPortCount() const { return openHandles->open; }

bool VirtualMidiPortBackend::waitForDueDeliveries (int limitMs)
{
    const auto cutoff = Clock::now();
    const auto deadline = cutoff + std::chrono::milliseconds (std::max (0, limitMs));

    std::vector<std::shared_ptr<InputEndpoint>> current;
    {
        const std::lock_guard<std::mutex> guard (lock);
        current = inputs;
    }

    bool allDelivered = true;

    for (auto& input : current)
        allDelivered = input->waitForDeliveriesDueBy (cutoff, deadline) && allDelivered;

    return allDelivered;
}

juce::StringArray VirtualMidiPortBackend::getOutputNames()
{
    const std::lock_guard<std::mutex> guard (lock);
    return namesOf (outputs);
}

juce::StringArray VirtualMidiPortBackend::getInputNames()
{
    const std::lock_guard<std::mutex> guard (lock);
    return namesOf (inputs);
}

std::unique_ptr<MidiOutputPort> VirtualMidiPortBackend::openOutput (const juce::String& name)
{
    const std::lock_guard<std::mutex> guard (lock);

    if (auto endpoint = findFirstNamed (outputs, name); endpoint != nullptr && ! (exclusiveOpens && endpoint->handles.open > 0))
        return std::make_unique<VirtualOutputPort> (std::move (endpoint), openHandles);

    return nullptr;
}

std::unique_ptr<MidiInputPort> VirtualMidiPortBackend::openInput (const juce::String& name, MidiInputListener& listener)
{
    const std::lock_guard<std::mutex> guard (lock);

    if (auto endpoint = findFirstNamed (inputs, name); endpoint != nullptr && ! (exclusiveOpens && endpoint->handles.open > 0))
        return std::make_unique<VirtualInputPort> (std::move (endpoint), listener, openHandles);

    return nullptr;
}
} // namespace talvor
