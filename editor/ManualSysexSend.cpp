#include "editor/ManualSysexSend.h"

#include "devices/PortNames.h"
#include "editor/EditorCommands.h"
#include "editor/SysexText.h"
#include "platform/MidiPortBackend.h"
#include "ui/Dialogs.h"

namespace NsOrvelA
{
namespace
{
talvor::TextInputRequest sysexRequest()
{
    talvor::TextInputRequest request;
    request.icon = juce::MessageBoxIconType::InfoIcon;
    request.title = "Input MIDI SYSEX";
    request.message = "SYSEX for sending:";
    request.fieldName = "sysex";
    request.initialText = "F02215 100900 0426F7";
    request.okText = "OK";
    request.cancelText = "Cancel";
    return request;
}
} // namespace

void sendManualSysex (int productId)
{
    auto& ports = talvor::midiPortBackend();
    const auto outputs = ports.getOutputNames();
    const auto portName = talvor::findModelPort (outputs, productId, false);

    if (portName.isEmpty() || ! outputs.contains (portName))
        return;

    const auto output = ports.openOutput (portName);

    if (output == nullptr)
    {
        editorCommands::showPlainMessage ("MIDI output failed!");
        return;
    }

    // Only the accepting button gives a text: Cancel, Escape and the close button send nothing.
    const auto text = talvor::dialogs().askForText (sysexRequest());

    if (! text.has_value())
        return;

    const auto bytes = parseSysexText (*text);

    if (! bytes.has_value())
    {
        editorCommands::showPlainMessage ("Wrong length!");
        return;
    }

    if (! bytes->empty())
        output->sendMessageNow (juce::MidiMessage (bytes->data(), (int) bytes->size(), 0.0));
}
} // namespace NsOrvelA
