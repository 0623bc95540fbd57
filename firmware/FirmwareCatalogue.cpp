#include "firmware/FirmwareCatalogue.h"

#include "devices/ProductIds.h"
#include "firmware/FirmwareServer.h"
#include "firmware/ServerProbe.h"

namespace talvor
{
namespace
{
// A server that answers the probe and then stalls would otherwise hold the message thread for
// good: the time-out also bounds how long the document may go without arriving.
constexpr int documentTimeoutMs = 3000;

std::unique_ptr<juce::XmlElement> readDocument (const juce::URL& url)
{
    auto stream = url.createInputStream (juce::URL::InputStreamOptions (juce::URL::ParameterHandling::inAddress)
                                             .withConnectionTimeoutMs (documentTimeoutMs)
                                             .withNumRedirectsToFollow (5));

    if (stream == nullptr)
        return nullptr;

    return juce::parseXML (stream->readEntireStreamAsString());
}
} // namespace

juce::Result fetchFirmwareCatalogue (int productId, juce::ValueTree& catalogue)
{
    if (productId < 0 || ! isKnownProductId (productId))
        return juce::Result::fail (catalogueMessages::unknownProduct);

    auto url = firmwareCatalogueUrl (productId);

    if (! probeUrl (url))
        return juce::Result::fail (catalogueMessages::serverUnavailable);

    auto document = readDocument (url);

    if (document == nullptr)
        return juce::Result::fail (catalogueMessages::cannotConnect);

    auto tree = juce::ValueTree::fromXml (*document);

    if (! tree.isValid())
        return juce::Result::fail (catalogueMessages::unreadableResponse);

    catalogue = tree;

    juce::Array<juce::ValueTree> others;

    for (const auto& entry : catalogue)
        if ((int) entry.getProperty ("pid") != productId)
            others.add (entry);

    for (auto& entry : others)
        catalogue.removeChild (entry, nullptr);

    if (catalogue.getNumChildren() == 0)
        return juce::Result::fail (catalogueMessages::noMatches);

    return juce::Result::ok();
}
} // namespace talvor
