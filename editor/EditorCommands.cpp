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
} // namespace

void showPlainMessage (const juce::String& text) { talvor::dialogs().showMessageBox (juce::MessageBoxIconType::NoIcon, {}, text); }

juce::File chooserFolder()
{
    // A location that is no folder is taken by the choosers as a file to propose: the user would
    // be offered to save the map as "Documents". Without that folder they open on the home folder.
    const auto documents = juce::File::getSpecialLocation (juce::File::userDocumentsDirectory);
    return documents.isDirectory() ? documents : juce::File::getSpecialLocation (juce::File::userHomeDirectory);
}

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
    auto file = talvor::dialogs().chooseFileToSave (mapFileRequest (saveChooserTitle));

    if (file == juce::File())
        return;

    // The framework's own chooser keeps a typed name as it stands; without the map extension the
    // file would be missing from LOAD FILE's list. A name such as "song.v2" keeps its own dot.
    if (const juce::String extension (juce::String (mapFilePattern).fromLastOccurrenceOf ("*", false, false));
        ! file.getFileName().endsWithIgnoreCase (extension))
        file = file.getSiblingFile (file.getFileName() + extension);

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
