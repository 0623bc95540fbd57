#pragma once

#include "firmware/WizardState.h"

#include <juce_data_structures/juce_data_structures.h>

#include <functional>

namespace talvor
{
/** Texts of the catalogue fetch's failures, as the user sees them. */
namespace catalogueMessages
{
constexpr const char* unknownProduct = "Cannot fetch firmware details for Unknown product";
constexpr const char* serverUnavailable = "The firmware server is currently unavailable.";
constexpr const char* cannotConnect = "Error connecting to server";
constexpr const char* unreadableResponse = "Could not read server response";
constexpr const char* noMatches = "No firmware matches in the server, please try again manually!";
} // namespace catalogueMessages

/** How long reading the catalogue document may take and how it learns that the user wants it
    stopped. */
struct CatalogueLimits
{
    /** Reading the document, connection included, ends as failed after this long. */
    int deadlineMs = 15000;

    /** Connecting may take this long, and the body may not stall for longer. */
    int connectionTimeoutMs = 3000;

    /** How often the message thread looks at the read. */
    int pollMs = 32;

    /** A larger answer is not a catalogue. */
    int largestDocumentBytes = 4 * 1024 * 1024;

    /** Asked at every poll; true stops the read. The user's Esc by default. */
    std::function<bool()> stopRequested = [] { return abortRequested; };
};

/** The limits in force; tests change them through ScopedCatalogueLimits. */
const CatalogueLimits& catalogueLimits();

/** Installs limits for the lifetime of the object, then restores the previous ones. */
class ScopedCatalogueLimits
{
public:
    explicit ScopedCatalogueLimits (CatalogueLimits limits);
    ~ScopedCatalogueLimits();

    ScopedCatalogueLimits (const ScopedCatalogueLimits&) = delete;
    ScopedCatalogueLimits& operator= (const ScopedCatalogueLimits&) = delete;

private:
    CatalogueLimits previous;
};

/** Fetches the firmware server's catalogue and keeps, in document order, only the entries whose
    "pid" is the product id. The document is read while the message loop keeps running; a read
    that overruns catalogueLimits' deadline or is stopped fails as one that could not be read.
    On success the tree refers to the fetched catalogue; it is left untouched when the product is
    unknown or the server cannot be reached or read, and holds the empty fetched tree when no
    entry is for the product. */
juce::Result fetchFirmwareCatalogue (int productId, juce::ValueTree& catalogue);
} // namespace talvor
