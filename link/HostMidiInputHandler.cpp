#include "link/HostMidiInputHandler.h"

#include "devices/PortNames.h"
#include "link/IncomingMessageDecoder.h"
#include "map/ReplySlots.h"

namespace NsOrvelA
{
Host::MidiInputHandler::MidiInputHandler() { resetReplySlots(); }

Host::MidiInputHandler::~MidiInputHandler() { close(); }

void Host::MidiInputHandler::openDevice (const juce::String& portName)
{
    close();

    auto& ports = talvor::midiPortBackend();
    output = ports.openOutput (talvor::pairPortName (portName, false));
    input = ports.openInput (talvor::pairPortName (portName, true), *this);

    if (input != nullptr)
        input->start();
}

void Host::MidiInputHandler::close()
{
    output = nullptr;

    if (input != nullptr)
    {
        input->stop();
        input = nullptr;
    }
}

bool Host::MidiInputHandler::isOpen() const noexcept { return output != nullptr && input != nullptr; }

void Host::MidiInputHandler::handleIncomingMidiMessage (const juce::MidiMessage& message)
{
    decodeIncomingMessage (message.getRawData(), message.getRawDataSize());
}
} // namespace NsOrvelA
