#include "platform/EnvironmentVariable.h"
#include "devices/PortNames.h"
#include "editor/EditorCommands.h"
#include "link/MyTimer.h"
#include "map/ControlLayout.h"
#include "tests/editor/EditorTestSupport.h"
#include "tests/support/OwnMountsRun.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/SimulatedUnit.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;
using corvix::testing::RecordingEditor;
using corvix::testing::SimulatedUnit;
using talvor::test::ScriptedDialogs;
using talvor::test::ShownDialog;

class EditorCommands : public corvix::testing::EditorTest
{
protected:
    EditorCommands() { folder.createDirectory(); }
    ~EditorCommands() override { folder.deleteRecursively(); }

    juce::File fileNamed (const juce::String& name) { return folder.getChildFile (name); }

    /** A map file with workstations 5, 6, 7 and each slot's options turned round, written from
        the live map, which is then put back as it was. */
    juce::File mapFileWithOtherWorkstations()
    {
        const auto before = host->getState().createCopy();

        for (int slotId = 1; slotId <= 3; ++slotId)
        {
            auto slot = map().slotNode (slotId, 1);
            slot.setProperty (mapIds::current, slotId + 4, nullptr);

            for (int option = 1; option <= 3; ++option)
                slot.setProperty ("daw" + juce::String (option), option == slotId ? 0 : 1, nullptr);
        }

        const auto file = fileNamed ("other.corvix");
        EXPECT_TRUE (host->saveMappingFile (file).wasOk());
        host->getState().copyPropertiesAndChildrenFrom (before, nullptr);
        return file;
    }

    talvor::ScopedPortNamingRules rules{ talvor::PortNamingRules::trailingDigit };
    // Named uniquely: test programs run in parallel, and a name that was free when looked at can be
    // taken by another one before this fixture creates it, and deleted under it at that one's end.
    const juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("map-files-" + juce::Uuid().toString());
    ScriptedDialogs scripted;
    RecordingEditor editor;
};

//==============================================================================
TEST_F (EditorCommands, SaveFileCancelledWritesAndShowsNothing)
{
    scripted.answerFile ({});
    editorCommands::saveMapFile (*host, "SAVE FILE");

    ASSERT_EQ (scripted.shown().size(), 1u);
    const auto& chooser = scripted.last();
    EXPECT_EQ (chooser.kind, ShownDialog::Kind::saveChooser);
    EXPECT_EQ (chooser.title, "Save Mapping");
    EXPECT_EQ (chooser.filePatterns, "*.corvix");
    EXPECT_FALSE (chooser.warnAboutOverwriting);
    EXPECT_EQ (chooser.initialLocation, editorCommands::chooserFolder());
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 0);
}

TEST_F (EditorCommands, SaveFileIntoAFolderThatCannotBeWrittenShowsTheError)
{
    if (corvix::testing::insideOwnMounts())
    {
        // The folder is on a file system mounted read-only: neither the map in it, which its
        // permissions would let the user replace, nor a new one can be written.
        for (const auto* name : { "old.corvix", "new.corvix" })
        {
            scripted.answerFile (corvix::testing::readOnlyFolder().getChildFile (name));
            editorCommands::saveMapFile (*host, "SAVE FILE");
            EXPECT_EQ (scripted.last().message, "Error: Failed to write mapping file: Read-only file system") << name;
        }

        return;
    }

    // A plain file stands where the folder would have to be: no user can write below it.
    const auto blocker = fileNamed ("blocker");
    ASSERT_TRUE (blocker.replaceWithText ("not a folder"));
    scripted.answerFile (blocker.getChildFile ("map.corvix"));
    editorCommands::saveMapFile (*host, "SAVE FILE");

    ASSERT_EQ (scripted.shown().size(), 2u);
    EXPECT_EQ (scripted.last().kind, ShownDialog::Kind::messageBox);
    EXPECT_EQ (scripted.last().icon, juce::MessageBoxIconType::NoIcon);
    EXPECT_EQ (scripted.last().title, "");
#if JUCE_WINDOWS
    EXPECT_TRUE (scripted.last().message.startsWith ("Error: Failed to write mapping file: ")) << scripted.last().message;
#else
    EXPECT_EQ (scripted.last().message, "Error: Failed to write mapping file: Not a directory");
#endif

    const auto old = fileNamed ("old.corvix");
    ASSERT_TRUE (old.replaceWithText ("<store ver=\"0.23\"/>"));
    const auto run = corvix::testing::runCurrentTestWithReadOnlyFolder (folder);

    if (run.skipped)
        GTEST_SKIP() << run.output;

    EXPECT_TRUE (run.passed) << run.output;
    EXPECT_EQ (old.loadFileAsString(), "<store ver=\"0.23\"/>");
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 2);
}

TEST_F (EditorCommands, ASavedFileSaysSoAndLoadsBackIntoTheSameTree)
{
    entry (40).setProperty (mapIds::name, "Saved name", nullptr);
    const auto saved = host->getState().createCopy();
    const auto file = fileNamed ("map.corvix");
    scripted.answerFile (file);
    editorCommands::saveMapFile (*host, "SAVE FILE");

    EXPECT_EQ (scripted.last().message, "SAVE FILE successfully!");
    ASSERT_TRUE (file.existsAsFile());

    entry (40).setProperty (mapIds::name, "Changed since", nullptr);
    scripted.answerFile (file);
    EXPECT_TRUE (editorCommands::loadMapFile (*host, editor));
    EXPECT_TRUE (host->getState().isEquivalentTo (saved));
}

/** Points the home folder somewhere else for the life of the object. */
class ScopedHome
{
public:
    explicit ScopedHome (const juce::File& home) : previous (juce::SystemStats::getEnvironmentVariable ("HOME", {}))
    {
        talvor::setEnvironmentVariable ("HOME", home.getFullPathName().toRawUTF8());
    }

    ~ScopedHome() { talvor::setEnvironmentVariable ("HOME", previous.toRawUTF8()); }

private:
    const juce::String previous;
};

TEST_F (EditorCommands, BothChoosersOpenOnTheDocumentsFolderOrElseTheHomeFolderWithNoFileNamed)
{
#if JUCE_WINDOWS
    GTEST_SKIP() << "on Windows the documents and home folders are the system's, which the HOME variable does not move";
#endif
    const auto home = fileNamed ("home");
    ASSERT_TRUE (home.createDirectory());
    const ScopedHome scopedHome (home);

    // The folders the save chooser and then the load chooser open on.
    const auto chosenFolders = [this]
    {
        scripted.answerFile ({});
        editorCommands::saveMapFile (*host, "SAVE FILE");
        scripted.answerFile ({});
        editorCommands::loadMapFile (*host, editor);
        return juce::StringArray (scripted.shown().end()[-2].initialLocation.getFullPathName(),
                                  scripted.last().initialLocation.getFullPathName());
    };

    // A location that is no folder would be offered to the user as the name of the file.
    ASSERT_FALSE (juce::File::getSpecialLocation (juce::File::userDocumentsDirectory).exists());
    EXPECT_EQ (chosenFolders(), juce::StringArray (home.getFullPathName(), home.getFullPathName()));

    const auto documents = home.getChildFile ("Documents");
    ASSERT_TRUE (documents.createDirectory());
    ASSERT_EQ (juce::File::getSpecialLocation (juce::File::userDocumentsDirectory), documents);
    EXPECT_EQ (chosenFolders(), juce::StringArray (documents.getFullPathName(), documents.getFullPathName()));
    EXPECT_EQ (folder.findChildFiles (juce::File::findFiles, true).size(), 0) << "nothing written";
}

TEST_F (EditorCommands, ASavedFileNotEndingInTheMapExtensionGetsItAndLoadFileListsIt)
{
    // Without an extension, or with a dot of its own: the map extension is added.
    for (const auto& [typed, saved] : { std::pair ("mymap1", "mymap1.corvix"), std::pair ("song.v2", "song.v2.corvix"),
                                        std::pair ("backup.xml", "backup.xml.corvix"), std::pair ("Map.CORVIX", "Map.CORVIX") })
    {
        SCOPED_TRACE (typed);
        scripted.answerFile (fileNamed (typed));
        editorCommands::saveMapFile (*host, "SAVE FILE");
        EXPECT_EQ (scripted.last().message, "SAVE FILE successfully!");
        EXPECT_TRUE (fileNamed (saved).existsAsFile());

        // The load chooser lists what its patterns admit, as the framework's chooser filters.
        scripted.answerFile (fileNamed (saved));
        EXPECT_TRUE (editorCommands::loadMapFile (*host, editor));
        const juce::WildcardFileFilter listed (scripted.shown().end()[-1].filePatterns, "*", {});
        EXPECT_TRUE (listed.isFileSuitable (fileNamed (saved)));
    }

    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFiles), 4) << "no file under the typed name";
}

//==============================================================================
TEST_F (EditorCommands, LoadFileCancelledChangesNothing)
{
    const auto live = host->getState();
    scripted.answerFile ({});

    EXPECT_FALSE (editorCommands::loadMapFile (*host, editor));
    ASSERT_EQ (scripted.shown().size(), 1u);
    EXPECT_EQ (scripted.last().kind, ShownDialog::Kind::openChooser);
    EXPECT_EQ (scripted.last().title, "Load Mapping");
    EXPECT_EQ (scripted.last().filePatterns, "*.corvix");
    EXPECT_EQ (scripted.last().initialLocation, editorCommands::chooserFolder());
    EXPECT_EQ (host->getState(), live);
    EXPECT_EQ (editor.fullRefreshes, 0);
}

TEST_F (EditorCommands, AFileThatIsNoMapShowsTheErrorAndChangesNothing)
{
    const auto live = host->getState();
    const auto notXml = fileNamed ("broken.corvix");
    const auto notAMap = fileNamed ("other.corvix");
    ASSERT_TRUE (notXml.replaceWithText ("<store><model"));
    ASSERT_TRUE (notAMap.replaceWithText ("<?xml version=\"1.0\"?>\n<recipe id=\"1\"/>"));
    slotDirty = { 0, 1, 0 };

    for (const auto& file : { notXml, notAMap, fileNamed ("missing.corvix") })
    {
        scripted.forget();
        scripted.answerFile (file);

        EXPECT_FALSE (editorCommands::loadMapFile (*host, editor)) << file.getFileName();
        ASSERT_EQ (scripted.shown().size(), 2u) << file.getFileName();
        EXPECT_EQ (scripted.last().kind, ShownDialog::Kind::messageBox);
        EXPECT_EQ (scripted.last().title, "");
        EXPECT_EQ (scripted.last().message, "Error: Could not load mapping data") << file.getFileName();
    }

    EXPECT_EQ (host->getState(), live) << "the live map stays";
    EXPECT_EQ (slotDirty, (std::array<juce::uint8, 3>{ 0, 1, 0 }));
    EXPECT_EQ (editor.fullRefreshes, 0);
    EXPECT_EQ (editor.panelRefreshes, 0);
}

TEST_F (EditorCommands, ALoadedFilesWorkstationsAndOptionsReachTheRefreshAndThroughTheTimerAUnit)
{
    SimulatedUnit unit (ports, {});
    const auto file = mapFileWithOtherWorkstations();
    ASSERT_EQ (slotDawIds, (std::array<int, 3>{ 0, 0, 0 }));

    std::array<int, 3> dawsAtRefresh{};
    std::array<std::array<int, 3>, 3> optionsAtRefresh{};
    editor.onFullRefresh = [&]
    {
        dawsAtRefresh = slotDawIds;
        optionsAtRefresh = slotOptionFlags;
    };

    scripted.answerFile (file);
    ASSERT_TRUE (editorCommands::loadMapFile (*host, editor));
    EXPECT_EQ (scripted.shown().size(), 1u) << "a successful load shows nothing";
    EXPECT_EQ (editor.fullRefreshes, 1);
    EXPECT_EQ (editor.panelRefreshes, 1);
    EXPECT_EQ (dawsAtRefresh, (std::array<int, 3>{ 5, 6, 7 }));
    EXPECT_EQ (optionsAtRefresh[0], (std::array<int, 3>{ 0, 1, 1 }));
    EXPECT_EQ (optionsAtRefresh[2], (std::array<int, 3>{ 1, 1, 0 }));

    MyTimer timer;
    timer.timerCallback();
    timer.stopTimer();

    for (int slotId = 1; slotId <= 3; ++slotId)
    {
        EXPECT_EQ (unit.slot (slotId).settingWorkstation, slotId + 4) << "slot " << slotId;
        EXPECT_EQ (unit.slot (slotId).modeWorkstation, slotId + 4) << "slot " << slotId;
    }

    EXPECT_EQ (unit.slot (1).options, 0x03) << "options 2 and 3 on";
    EXPECT_EQ (unit.slot (3).options, 0x06) << "options 1 and 2 on";
    EXPECT_EQ (slotDirty, (std::array<juce::uint8, 3>{ 0, 0, 0 }));
}

//==============================================================================
class SendData : public EditorCommands
{
protected:
    SendData()
    {
        host->setSelectedOutputName ("Orvel-A 4");
        chooseWorkstation (1, 2);
        auto control = entry (40);
        control.setProperty (mapIds::valueType, "func", nullptr);
        control.setProperty (mapIds::value, 0x5B, nullptr);
        slotDirty = { 1, 0, 1 };
    }

    SimulatedUnit unit{ ports, {} };
};

TEST_F (SendData, SendsTheTablesOfTheCurrentMapAndThenClearsTheMarks)
{
    EXPECT_TRUE (editorCommands::sendDataNow (*host).wasOk());

    const auto row = static_cast<size_t> (controlTableRow (40));
    const auto received = unit.slot (1);
    EXPECT_EQ (received.table[row * 8 + 3], 0x5B) << "the edit made just now is in what the unit got";
    const auto& built = deviceTableBuffers[0][0];
    EXPECT_TRUE (std::equal (built.begin(), built.end(), received.table.begin()));
    EXPECT_EQ (slotDirty, (std::array<juce::uint8, 3>{ 0, 0, 0 }));

    scripted.deliverAsyncAnswers();
    ASSERT_EQ (scripted.shown().size(), 1u);
    EXPECT_EQ (scripted.last().kind, ShownDialog::Kind::messageBoxAsync);
    EXPECT_EQ (scripted.last().icon, juce::MessageBoxIconType::WarningIcon);
    EXPECT_EQ (scripted.last().title, "Send Mapping");
    EXPECT_EQ (scripted.last().message, "Done!");
}

TEST_F (SendData, AFailedSendLeavesTheSlotsMarkedAndShowsTheError)
{
    unit.setSilent (true);
    const auto result = editorCommands::sendDataNow (*host);

    EXPECT_TRUE (result.failed());
    EXPECT_EQ (slotDirty, (std::array<juce::uint8, 3>{ 1, 0, 1 }));
    scripted.deliverAsyncAnswers();
    ASSERT_FALSE (scripted.shown().empty());
    EXPECT_EQ (scripted.last().title, "Send Mapping");
    EXPECT_EQ (scripted.last().message, result.getErrorMessage());
    EXPECT_EQ (scripted.last().message, "Time out!");

    host->setSelectedOutputName ({});
    editorCommands::sendDataNow (*host);
    scripted.deliverAsyncAnswers();
    EXPECT_EQ (scripted.last().message, "No selected output device!");
    EXPECT_EQ (slotDirty, (std::array<juce::uint8, 3>{ 1, 0, 1 }));
}

//==============================================================================
TEST_F (EditorCommands, SaveAsDefaultHasTheNextTickTellTheUnitsAndThenStoreTheMap)
{
    SimulatedUnit unit (ports, {});
    const auto settings = corvix::testing::testSettingsFolder().getChildFile ("OrvelA.conf");
    settings.deleteFile();
    bool storedBeforeTheUnitsWereTold = true;
    unit.onMessage = [&] (const SimulatedUnit::ReceivedMessage& m)
    {
        if (m.bytes == std::vector<juce::uint8>{ 0xEC, 0x2D, 0x01 })
            storedBeforeTheUnitsWereTold = settings.existsAsFile();
    };

    editorCommands::saveAsDefault();
    EXPECT_TRUE (scripted.shown().empty());
    EXPECT_EQ (unit.countChannelMessages (0xEC, 0x2D), 0) << "nothing happens before the tick";

    MyTimer timer;
    timer.timerCallback();
    timer.stopTimer();

    EXPECT_EQ (unit.countChannelMessages (0xEC, 0x2D), 1);
    EXPECT_FALSE (storedBeforeTheUnitsWereTold);
    ASSERT_TRUE (settings.existsAsFile());
    EXPECT_EQ (saveDefaultsPending, 0);
}
} // namespace
