#include "firmware/FirmwareCatalogue.h"

#include "devices/ProductIds.h"
#include "firmware/FirmwareServer.h"
#include "firmware/ServerProbe.h"

namespace talvor
{
namespace
{
std::unique_ptr<juce::XmlElement> readDocument (const juce::URL& url, const CatalogueLimits& limits, double deadlineAtMs)
{
    ServerRequest read (url, limits, limits.largestDocumentBytes);

    if (! read.finishBy (deadlineAtMs, limits) || ! read.succeeded())
        return nullptr;

    return juce::parseXML (read.body());
}
} // namespace

juce::Result fetchFirmwareCatalogue (int productId, juce::ValueTree& catalogue)
{
    if (productId < 0 || ! isKnownProductId (productId))
        return juce::Result::fail (catalogueMessages::unknownProduct);

    auto url = firmwareCatalogueUrl (productId);

    // A copy: the message loop runs meanwhile, and with it whatever might install others.
    const auto limits = catalogueLimits();
    const auto deadlineAtMs = juce::Time::getMillisecondCounterHiRes() + limits.deadlineMs;

    if (! probeUrl (url, limits, deadlineAtMs))
        return juce::Result::fail (catalogueMessages::serverUnavailable);

    auto document = readDocument (url, limits, deadlineAtMs);

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
