#pragma once

#include "firmware/ServerRequest.h"

#include <juce_data_structures/juce_data_structures.h>

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

/** Fetches the firmware server's catalogue and keeps, in document order, only the entries whose
    "pid" is the product id. The server is probed and the document read while the message loop
    keeps running, within catalogueLimits(): a probe that is stopped or overruns the deadline
    fails as an unavailable server, a read as a document that could not be read.
    On success the tree refers to the fetched catalogue; it is left untouched when the product is
    unknown or the server cannot be reached or read, and holds the empty fetched tree when no
    entry is for the product. */
juce::Result fetchFirmwareCatalogue (int productId, juce::ValueTree& catalogue);
} // namespace talvor
