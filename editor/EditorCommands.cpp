#include "editor/EditorCommands.h"

#include "link/Host.h"
#include "link/UploadEngine.h"
#include "map/SharedEditingState.h"
#include "ui/Dialogs.h"

namespace NsOrvelA::editorCommands
{
namespace
{
talvor::FileChooserRequest mapFileRequest (const juce::String& title)
{
    talvor::FileChooserRequest request;
    request.title = title;
    request.initialLocation = chooserFolder();
    request.filePatterns = mapFilePattern;
    request.warnAboutOverwriting = false;
    return request;
}

void showPlainMessage (const juce::String& text) { talvor::dialogs().showMessageBox (juce::MessageBoxIconType::NoIcon, {}, text); }
} // namespace

juce::File chooserFolder() { return juce::File::getSpecialLocation (juce::File::userDocumentsDirectory); }

void saveAsDefault() { saveDefaultsPending = 1; }

juce::Result sendDataNow (Host& host)
{
    // The tables the timer built last may be older than the map: build them from the map now.
    buildDeviceTables (unitIdOfProduct (currentModelId));
    const auto result = host.sendMapsToDevice (currentModelId);

    // A slot that did not reach the unit keeps its mark, so the timer sends it later.
    if (result.wasOk())
        slotDirty = { 0, 0, 0 };

    talvor::dialogs().showMessageBoxAsync (juce::MessageBoxIconType::WarningIcon, sendBoxTitle,
                                           result.wasOk() ? juce::String (sendDoneText) : result.getErrorMessage());
    return result;
}

void saveMapFile (Host& host, const juce::String& buttonCaption)
{
    const auto file = talvor::dialogs().chooseFileToSave (mapFileRequest (saveChooserTitle));

    if (file == juce::File())
        return;

    const auto result = host.saveMappingFile (file);
    showPlainMessage (result.failed() ? "Error: " + result.getErrorMessage() : buttonCaption + " successfully!");
}

bool loadMapFile (Host& host, EditorHooks& editor)
{
    const auto file = talvor::dialogs().chooseFileToOpen (mapFileRequest (loadChooserTitle));

    if (file == juce::File())
        return false;

    // A file that is no map must not leave the user believing it was loaded.
    if (const auto result = host.loadMappingFile (file); result.failed())
    {
        showPlainMessage ("Error: " + result.getErrorMessage());
        return false;
    }

    editor.refreshFromModel();
    editor.refreshAllPanels();
    return true;
}
} // namespace NsOrvelA::editorCommands
