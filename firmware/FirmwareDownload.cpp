#include "firmware/FirmwareDownload.h"

#include "firmware/FirmwareDownloadTask.h"

namespace talvor
{
namespace
{
constexpr const char* fallbackFileName = "firmware.bin";

bool isSafeFileNameCharacter (juce::juce_wchar c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
}
/** A page a server gives instead of the file (an error or a login page) is no firmware: it says
    it is text, or its body starts as markup does. */
bool isWebPage (const juce::String& contentType, const juce::File& body)
{
    if (contentType.trim().startsWithIgnoreCase ("text/"))
        return true;

    juce::FileInputStream in (body);
    return in.openedOk() && in.readByte() == '<';
}
} // namespace

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

    juce::TemporaryFile partial (target, juce::TemporaryFile::useHiddenFile);
    auto ok = false;

    {
        FirmwareDownloadTask task (url, partial.getFile(), limits.connectionTimeoutMs);
        task.finishBy (juce::Time::getMillisecondCounterHiRes() + limits.deadlineMs, limits.pollMs, limits.stopRequested);
        ok = task.succeeded() && ! isWebPage (task.getContentType(), partial.getFile());
    }

    if (! ok || ! partial.overwriteTargetFileWithTemporary())
    {
        target.deleteFile();
        return failed;
    }

    return juce::Result::ok();
}
} // namespace talvor
