#include "firmware/FirmwareServer.h"

namespace talvor
{
namespace
{
juce::String& currentRoot()
{
    static juce::String value = firmwareServer::defaultRoot;
    return value;
}
} // namespace

juce::String firmwareServer::root() { return currentRoot(); }

void firmwareServer::setRoot (const juce::String& newRoot)
{
    auto trimmed = newRoot.trim();

    if (trimmed.isEmpty())
        trimmed = defaultRoot;

    if (! trimmed.endsWithChar ('/'))
        trimmed << "/";

    currentRoot() = trimmed;
}

juce::URL firmwareServer::urlFor (const juce::String& relativePath) { return juce::URL (root() + relativePath); }

juce::URL firmwareServer::catalogueUrlFor (int productId)
{
    return urlFor (productId == 94 || productId == 130 ? "firmware-special.xml" : "firmware.xml");
}

ScopedFirmwareServerRoot::ScopedFirmwareServerRoot (const juce::String& root) : previous (firmwareServer::root())
{
    firmwareServer::setRoot (root);
}

ScopedFirmwareServerRoot::~ScopedFirmwareServerRoot() { firmwareServer::setRoot (previous); }
} // namespace talvor
