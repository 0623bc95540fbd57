#include "editor/AboutBox.h"
#include "editor/ControlMenu.h"
#include "editor/DeviceLink.h"
#include "editor/MainComp.h"
#include "gallery/GalleryWindow.h"
#include "gallery/PictureDialogs.h"
#include "gallery/WizardShots.h"
#include "link/Host.h"
#include "link/HostImpl.h"
#include "link/MyTimer.h"
#include "map/ControlLayout.h"
#include "map/MapIdentifiers.h"
#include "map/SharedEditingState.h"
#include "platform/VirtualMidiPortBackend.h"

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

    /** Takes the picture when the window alone does not show it all (a menu is a window of its
        own); the window's picture otherwise. */
    std::function<juce::Image (MainComp&, GalleryWindow&)> take = {};
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

/** Selects a control as a click on its button does: a button of the grid, or a control of the
    mixer section. */
void selectControl (MainComp& editor, int controlId)
{
    if (isButtonControl (controlId))
    {
        editor.getFuncSection().getButtonSection().getButton (controlId - firstButtonControl).triggerClick();
    }
    else
    {
        for (auto* child : editor.getMixerSection().getChildren())
            if (auto* button = dynamic_cast<MappableButton*> (child);
                button != nullptr && button->getKind() == MappableButton::controlKind && button->getControlNumber() == controlId)
                button->triggerClick();
    }

    GalleryWindow::settle();
}

void showPage (MainComp& editor, const juce::String& name)
{
    auto& tabs = editor.getPageTabs();
    tabs.setCurrentTabIndex (tabs.getTabNames().indexOf (name));
}

/** A control's entry in the current slot, as an edit on a page leaves it. */
juce::ValueTree entryOf (int controlId) { return hostInstance->getStateTree().controlEntryInCurrentSlot (controlId); }

/** The editor's picture with the control menu open over the selected control. */
juce::Image pictureWithControlMenu (MainComp& editor, GalleryWindow& window)
{
    auto target = dynamic_cast<juce::Component*> (currentControl);
    ControlMenu::makeMenu().showMenuAsync (juce::PopupMenu::Options().withTargetComponent (target != nullptr ? target : &editor));
    GalleryWindow::settle (200);

    auto picture = window.picture();
    auto& desktop = juce::Desktop::getInstance();

    for (int i = 0; i < desktop.getNumComponents(); ++i)
    {
        auto* menu = desktop.getComponent (i);

        if (menu == nullptr || menu == &window || ! menu->isShowing())
            continue;

        const auto offset = menu->getScreenPosition() - window.getScreenPosition();
        juce::Graphics g (picture);
        g.drawImageAt (menu->createComponentSnapshot (menu->getLocalBounds()), offset.x, offset.y + GalleryWindow::titleStripHeight);
    }

    juce::PopupMenu::dismissAllActiveMenus();
    GalleryWindow::settle();
    return picture;
}

std::vector<Shot> pageShots()
{
    return {
        { "page-function.png",
          [] (MainComp& e)
          {
              showSlots (e, { 2, 5, 12 }, 1);
              showSection (e, 1);
              selectControl (e, 42);
              showPage (e, "FUNCTION");
          } },
        { "page-hotkey.png",
          [] (MainComp& e)
          {
              showSlots (e, { 2, 5, 12 }, 1);
              showSection (e, 1);
              // What a capture of Ctrl+Shift+A leaves in the entry.
              entryOf (43)
                  .setProperty (mapIds::valueType, "hotkey", nullptr)
                  .setProperty (mapIds::ctrl, true, nullptr)
                  .setProperty (mapIds::shift, true, nullptr)
                  .setProperty (mapIds::alt, false, nullptr)
                  .setProperty (mapIds::cmd, false, nullptr)
                  .setProperty (mapIds::key, 4, nullptr)
                  .setProperty (mapIds::keyName, "A", nullptr)
                  .setProperty (mapIds::name, "", nullptr);
              selectControl (e, 43);
              showPage (e, "HOTKEY");
          } },
        { "page-midi-knob.png",
          [] (MainComp& e)
          {
              showSlots (e, { 2, 5, 12 }, 1);
              entryOf (165)
                  .setProperty (mapIds::valueType, "midi", nullptr)
                  .setProperty (mapIds::type, "cc", nullptr)
                  .setProperty (mapIds::chan, 1, nullptr)
                  .setProperty (mapIds::value, 74, nullptr)
                  .setProperty (mapIds::msgValue, 74, nullptr)
                  .setProperty (mapIds::rotate, 1, nullptr);
              selectControl (e, 165);
              showPage (e, "MIDI");
          } },
        { "page-midi-hui-fader.png",
          [] (MainComp& e)
          {
              showSlots (e, { 3, 5, 12 }, 1);
              selectControl (e, 183);
              showPage (e, "MIDI");
          } },
        { "page-midi-hui-button.png",
          [] (MainComp& e)
          {
              showSlots (e, { 3, 5, 12 }, 1);
              showSection (e, 1);
              selectControl (e, 60);
              e.getMidiPage().getTypeList().setSelectedItemIndex (7, juce::sendNotificationSync);
              showPage (e, "MIDI");
          } },
        { "control-menu.png",
          [] (MainComp& e)
          {
              showSlots (e, { 2, 5, 12 }, 1);
              showSection (e, 1);
              selectControl (e, 50);
          },
          pictureWithControlMenu },
    };
}

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

    auto shots = editorShots();

    for (auto& shot : pageShots())
        shots.push_back (std::move (shot));

    // The map every shot starts from: the Host's, which the device link obtains.
    startDeviceLink();
    const auto map = hostInstance != nullptr ? hostInstance->getState().createCopy() : juce::ValueTree();

    for (const auto& shot : shots)
    {
        currentModelId = talvor::productIds::orvelA;
        MainComp editor (talvor::productIds::orvelA);
        GalleryWindow window (editor, MainComp::editorWidth, MainComp::editorHeight);
        shot.prepare (editor);

        const auto picture = shot.take ? shot.take (editor, window) : window.picture();

        // What a shot edited goes, so that the next shot shows the map as it was.
        if (hostInstance != nullptr)
            hostInstance->getState().copyPropertiesAndChildrenFrom (map, nullptr);

        if (! writePicture (picture, folder.getChildFile (shot.fileName)))
            ++failures;
    }

    return failures;
}

//==============================================================================
/** One picture of a box or chooser the editor shows: what to do to the editor (with the dialogs
    that keep pictures and a scratch folder for files) to make it appear. */
struct DialogShot
{
    juce::String fileName;
    std::function<void (MainComp&, PictureDialogs&, const juce::File& scratch)> show;
    bool pictureOfTheEditor = false; // the outcome is the editor itself, not a box
};

/** Clicks a command button and lets the click arrive. */
void runCommand (MainComp& editor, MainComp::Command command)
{
    editor.getCommandButton (command).triggerClick();
    GalleryWindow::settle();
}

/** A map file of the live map with slots of other workstations and a control named its own. */
juce::File otherMapFile (const juce::File& scratch)
{
    auto state = hostInstance->getStateTree();
    const auto before = hostInstance->getState().createCopy();

    for (int slotId = 1; slotId <= slotCount; ++slotId)
        state.slotNode (slotId, 1).setProperty (mapIds::current, slotId + 4, nullptr);

    auto entry = state.controlEntry (5, 1, 1);
    entry.setProperty (mapIds::valueType, "func", nullptr);
    entry.setProperty (mapIds::name, "Loaded", nullptr);

    const auto file = scratch.getChildFile ("other.corvix");
    hostInstance->saveMappingFile (file);
    hostInstance->getState().copyPropertiesAndChildrenFrom (before, nullptr);
    return file;
}

std::vector<DialogShot> dialogShots()
{
    using Command = MainComp::Command;

    return {
        { "device-chooser.png",
          [] (MainComp& e, PictureDialogs&, const juce::File&)
          {
              // Units on ports of their own: the machine here may have none.
              talvor::VirtualMidiPortBackend ports;
              const talvor::ScopedMidiPortBackend installed (ports);
              for (auto* name : { "Orvel-A 4", "Orvel-B 4", "TALVOR Midi 1" })
                  ports.addOutput (name, nullptr);
              hostInstance->setSelectedOutputName ("Orvel-B 4");
              runCommand (e, Command::connect);
          } },
        { "about-box.png", [] (MainComp&, PictureDialogs&, const juce::File&) { aboutBox::show(); } },
        { "save-file-done.png",
          [] (MainComp& e, PictureDialogs& d, const juce::File& scratch)
          {
              d.answerFile (scratch.getChildFile ("map.corvix"));
              runCommand (e, Command::saveFile);
          } },
        { "save-file-error.png",
          [] (MainComp& e, PictureDialogs& d, const juce::File& scratch)
          {
              const auto notAFolder = scratch.getChildFile ("not-a-folder");
              notAFolder.replaceWithText ("a file");
              d.answerFile (notAFolder.getChildFile ("map.corvix"));
              runCommand (e, Command::saveFile);
          } },
        { "save-as-default-error.png",
          [] (MainComp& e, PictureDialogs&, const juce::File& scratch)
          {
              // A folder where the settings file would be: the store fails and says why.
              const auto inTheWay = scratch.getChildFile ("OrvelA.conf");
              inTheWay.createDirectory();
              runCommand (e, Command::saveDefault);

              if (auto* timer = deviceWatchTimer())
                  timer->timerCallback();

              inTheWay.deleteRecursively();
          } },
        { "load-file-error.png",
          [] (MainComp& e, PictureDialogs& d, const juce::File& scratch)
          {
              const auto notAMap = scratch.getChildFile ("notes.corvix");
              notAMap.replaceWithText ("shopping list");
              d.answerFile (notAMap);
              runCommand (e, Command::loadFile);
          } },
        { "load-file-loaded.png",
          [] (MainComp& e, PictureDialogs& d, const juce::File& scratch)
          {
              d.answerFile (otherMapFile (scratch));
              runCommand (e, Command::loadFile);
          },
          true },
    };
}

/** Writes the last picture each dialog shot took (or the editor's, where the outcome is the
    editor); the number of pictures that could not be written. */
int writeDialogShots (const juce::File& folder, const juce::File& scratch)
{
    int failures = 0;

    for (const auto& shot : dialogShots())
    {
        currentModelId = talvor::productIds::orvelA;
        slotDawIds = { 2, 5, 12 };
        MainComp editor (talvor::productIds::orvelA);
        GalleryWindow window (editor, MainComp::editorWidth, MainComp::editorHeight);
        PictureDialogs dialogs;
        shot.show (editor, dialogs, scratch);

        const auto picture = shot.pictureOfTheEditor      ? window.picture()
                             : dialogs.pictures().empty() ? juce::Image()
                                                          : dialogs.pictures().back();

        if (! writePicture (picture, folder.getChildFile (shot.fileName)))
            ++failures;
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

        const auto failures = writeEditorShots (folder) + writeDialogShots (folder, settings) + writeWizardShots (folder, settings);
        setApplicationReturnValue (failures == 0 ? 0 : 1);
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
