#include "platform/MidiPortBackend.h"

#include "platform/JuceMidiPortBackend.h"

namespace talvor
{
namespace
{
MidiPortBackend*& installedBackend()
{
    static MidiPortBackend* backend = nullptr;
    return backend;
}
} // namespace

MidiPortBackend& midiPortBackend()
{
    if (auto* backend = installedBackend())
        return *backend;

    static JuceMidiPortBackend systemPorts;
    return systemPorts;
}

ScopedMidiPortBackend::ScopedMidiPortBackend (MidiPortBackend& backend) : setter (installedBackend(), &backend) {}
} // namespace talvor
