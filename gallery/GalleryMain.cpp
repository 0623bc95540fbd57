#include "editor/DeviceLink.h"
#include "editor/MainComp.h"
#include "gallery/GalleryWindow.h"
#include "link/HostImpl.h"
#include "map/SharedEditingState.h"

#include <functional>
#include <vector>

using namespace NsOrvelA;

namespace corvix::gallery
{
namespace
{
/** One picture: a file name and what to do to the editor before it is taken. */
struct Shot
{
    juce::String fileName;
    std::function<void (MainComp&)> prepare;
};

/** Shows the slots as the user would have set them up: their workstations and the selected slot. */
void showSlots (MainComp& editor, std::array<int, slotCount> workstations, int slotId)
{
    slotDawIds = workstations;
    currentSlotId = slotId;
    editor.refreshFromModel();
    editor.refreshAllPanels();
}

void chooseModel (MainComp& editor, int unitId) { editor.getModelChooser().setSelectedId (unitId, juce::sendNotificationSync); }

void showSection (MainComp& editor, int tabIndex) { editor.getSectionTabs().setCurrentTabIndex (tabIndex); }

std::vector<Shot> editorShots()
{
    return {
        { "editor.png",
          [] (MainComp& e) {
              showSlots (e, { 2, 5, 12 }, 1);
          } },
        { "editor-button-functions.png",
          [] (MainComp& e)
          {
              showSlots (e, { 2, 5, 12 }, 1);
              showSection (e, 1);
          } },
        { "editor-slot-2.png",
          [] (MainComp& e)
          {
              showSlots (e, { 2, 5, 12 }, 2);
              showSection (e, 1);
          } },
        { "editor-control-selected.png",
          [] (MainComp& e)
          {
              showSlots (e, { 2, 5, 12 }, 1);
              showSection (e, 1);
              e.getFuncSection().getButtonSection().getButton (9).triggerClick();
          } },
        { "editor-hui-workstation.png",
          [] (MainComp& e) {
              showSlots (e, { 3, 5, 12 }, 1);
          } },
        { "editor-no-workstation.png",
          [] (MainComp& e)
          {
              showSlots (e, { 0, 0, 0 }, 1);
              showSection (e, 1);
          } },
        { "editor-extender.png",
          [] (MainComp& e)
          {
              showSlots (e, { 2, 5, 12 }, 1);
              chooseModel (e, 2);
          } },
    };
}

/** Writes one picture of the editor for each shot; the number of pictures that could not be
    written. Every shot starts from a new editor over the same map. */
int writeEditorShots (const juce::File& folder)
{
    int failures = 0;

    for (const auto& shot : editorShots())
    {
        currentModelId = talvor::productIds::orvelA;
        MainComp editor (talvor::productIds::orvelA);
        GalleryWindow window (editor, MainComp::editorWidth, MainComp::editorHeight);
        shot.prepare (editor);

        const auto file = folder.getChildFile (shot.fileName);
        file.deleteFile();
        juce::FileOutputStream out (file);
        juce::PNGImageFormat png;

        if (! out.openedOk() || ! png.writeImageToStream (window.picture(), out))
        {
            std::cerr << "could not write " << file.getFullPathName() << std::endl;
            ++failures;
        }
        else
        {
            std::cout << file.getFullPathName() << std::endl;
        }
    }

    return failures;
}
} // namespace

/** Writes the gallery into the folder named on the command line (build/screenshots by default)
    and quits. Its settings live in a temporary folder, so the machine's saved map is never read
    or changed: every picture shows the default map. */
class GalleryApplication final : public juce::JUCEApplication
{
public:
    const juce::String getApplicationName() override { return "Orvel-A Corvix gallery"; }
    const juce::String getApplicationVersion() override { return "1.15"; }
    bool moreThanOneInstanceAllowed() override { return true; }

    void initialise (const juce::String& commandLine) override
    {
        settings = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("corvix-gallery-" + juce::Uuid().toString());
        settings.createDirectory();
        settingsFolderName = settings.getFullPathName();

        const auto argument = commandLine.unquoted().trim();
        const auto folder = juce::File::getCurrentWorkingDirectory().getChildFile (argument.isNotEmpty() ? argument : "build/screenshots");
        folder.createDirectory();

        setApplicationReturnValue (writeEditorShots (folder) == 0 ? 0 : 1);
        quit();
    }

    void shutdown() override
    {
        stopDeviceLink();
        settings.deleteRecursively();
    }

private:
    juce::File settings;
};
} // namespace corvix::gallery

START_JUCE_APPLICATION (corvix::gallery::GalleryApplication)
