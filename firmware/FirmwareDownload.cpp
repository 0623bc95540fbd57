#include "firmware/FirmwareDownload.h"

#include "firmware/FirmwareContent.h"

namespace talvor
{
namespace
{
constexpr const char* fallbackFileName = "firmware.bin";

bool isSafeFileNameCharacter (juce::juce_wchar c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
}

bool writeWhole (const juce::File& file, const juce::MemoryBlock& bytes)
{
    juce::FileOutputStream out (file);

    if (! out.openedOk() || ! out.write (bytes.getData(), bytes.getSize()))
        return false;

    out.flush();
    return out.getStatus().wasOk();
}
} // namespace

bool isDocumentAnswer (const juce::String& contentType, const juce::MemoryBlock& body)
{
    // A page a server gives instead of the file (an error, a login page, an error object) says it
    // is a document, or reads as text whatever it says.
    return isDocumentContentType (contentType) || startsAsText (body.getData(), body.getSize());
}

juce::String safeFirmwareFileName (const juce::URL& url)
{
    auto path = url.toString (false);
    auto lastSeparator = juce::jmax (path.lastIndexOfChar ('/'), path.lastIndexOfChar ('\\'));
    auto name = path.substring (lastSeparator + 1);

    if (name.isEmpty() || name == "." || name == "..")
        return fallbackFileName;

    for (auto c : name)
        if (! isSafeFileNameCharacter (c))
            return fallbackFileName;

    return name;
}

juce::File firmwareCacheFileFor (const juce::URL& url) { return firmwareCacheFolder().getChildFile (safeFirmwareFileName (url)); }

juce::Result downloadFirmwareFile (const juce::URL& url, const juce::File& target, const DownloadLimits& limits)
{
    const auto failed = juce::Result::fail (downloadFailedMessage);

    // The target goes first, so that a failure never leaves an older or partial file to be flashed.
    if (! target.deleteFile() || url.isEmpty() || target.getParentDirectory().createDirectory().failed())
        return failed;

    ServerRequestThread request (url, limits.connectionTimeoutMs, largestDownloadBytes, limits.stopGraceMs);

    if (! request.finishBy (juce::Time::getMillisecondCounterHiRes() + limits.deadlineMs, limits.pollMs, limits.stopRequested)
        || ! request.succeeded())
        return failed;

    // An error page is not firmware: only the file itself, whole, counts.
    const auto& answer = request.answer();

    if (answer.status != 200 || answer.body.isEmpty() || isDocumentAnswer (answer.contentType, answer.body))
        return failed;

    juce::TemporaryFile partial (target, juce::TemporaryFile::useHiddenFile);

    if (! writeWhole (partial.getFile(), answer.body) || ! partial.overwriteTargetFileWithTemporary())
    {
        target.deleteFile();
        return failed;
    }

    return juce::Result::ok();
}
} // namespace talvor
