#include "firmware/FirmwareCatalogue.h"

#include "devices/ProductIds.h"
#include "firmware/CatalogueDocumentRead.h"
#include "firmware/FirmwareServer.h"
#include "firmware/ServerProbe.h"
#include "platform/MessageLoopWait.h"

namespace talvor
{
namespace
{
CatalogueLimits& installedLimits()
{
    static CatalogueLimits limits;
    return limits;
}

std::unique_ptr<juce::XmlElement> readDocument (const juce::URL& url, const CatalogueLimits& limits)
{
    juce::String text;

    {
        CatalogueDocumentRead read (url, limits.connectionTimeoutMs, limits.largestDocumentBytes);
        const auto started = juce::Time::getMillisecondCounterHiRes();

        while (! read.isFinished())
        {
            const auto stop = limits.stopRequested != nullptr && limits.stopRequested();

            if (stop || juce::Time::getMillisecondCounterHiRes() - started >= limits.deadlineMs)
            {
                read.cancel();
                break;
            }

            waitMs (limits.pollMs);
        }

        if (! read.succeeded())
            return nullptr;

        text = read.document();
    }

    return juce::parseXML (text);
}
} // namespace

const CatalogueLimits& catalogueLimits() { return installedLimits(); }

ScopedCatalogueLimits::ScopedCatalogueLimits (CatalogueLimits limits) : previous (std::move (installedLimits()))
{
    installedLimits() = std::move (limits);
}

ScopedCatalogueLimits::~ScopedCatalogueLimits() { installedLimits() = std::move (previous); }

juce::Result fetchFirmwareCatalogue (int productId, juce::ValueTree& catalogue)
{
    if (productId < 0 || ! isKnownProductId (productId))
        return juce::Result::fail (catalogueMessages::unknownProduct);

    auto url = firmwareCatalogueUrl (productId);

    if (! probeUrl (url))
        return juce::Result::fail (catalogueMessages::serverUnavailable);

    // A copy: the message loop runs during the read, and with it whatever might install others.
    auto document = readDocument (url, CatalogueLimits (catalogueLimits()));

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
