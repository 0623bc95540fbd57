#include "link/ReplacedTreeRelease.h"
#include "map/ControlEntryReset.h"
#include "map/SharedEditingState.h"
#include "tests/support/HostTest.h"
#include "tests/support/ScopedFileSizeLimit.h"

#if ! JUCE_WINDOWS
#include <sys/resource.h>
#include <sys/wait.h>
#endif
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>

namespace
{
using namespace NsOrvelA;

const juce::String loadFailure = "Could not load mapping data";

/** A save that failed for the system's reason says so after the failure's own text. */
void expectWriteFailure (const juce::Result& result, int error)
{
    EXPECT_TRUE (result.failed());
#if JUCE_WINDOWS
    juce::ignoreUnused (error); // the system's texts are Windows' own
    EXPECT_TRUE (result.getErrorMessage().startsWith ("Failed to write mapping file: ")) << result.getErrorMessage();
#else
    EXPECT_EQ (result.getErrorMessage(), "Failed to write mapping file: " + juce::String (std::strerror (error)));
#endif
}

class MapFilesTest : public corvix::testing::HostTest
{
protected:
    MapFilesTest() { folder.createDirectory(); }
    ~MapFilesTest() override { folder.deleteRecursively(); }

    juce::File mapFile (const juce::String& name) const { return folder.getChildFile (name); }

    juce::File writeMapFile (const juce::String& name, const juce::String& text) const
    {
        const auto file = mapFile (name);
        EXPECT_TRUE (file.replaceWithText (text, false, false, nullptr));
        return file;
    }

    juce::File writeBinaryFile (const juce::String& name, const char* bytes) const
    {
        const auto file = mapFile (name);
        EXPECT_TRUE (file.replaceWithData (bytes, std::strlen (bytes)));
        return file;
    }

    juce::ValueTree unitOne() { return host->getState().getChild (0); }

    /** Shared state that a load must either leave alone or replace, set to values no load makes. */
    static void markSharedState()
    {
        slotDirty = { 0, 1, 0 };
        slotDawIds = { 7, 8, 9 };
        slotOptionFlags = { { { 1, 1, 1 }, { 1, 1, 1 }, { 1, 1, 1 } } };
        currentSlotId = 3;
    }

    static void expectSharedStateUnchanged()
    {
        EXPECT_EQ (slotDirty, (std::array<juce::uint8, 3>{ 0, 1, 0 }));
        EXPECT_EQ (slotDawIds, (std::array<int, 3>{ 7, 8, 9 }));

        for (const auto& options : slotOptionFlags)
            EXPECT_EQ (options, (std::array<int, 3>{ 1, 1, 1 }));

        EXPECT_EQ (currentSlotId, 3);
    }

    const juce::File folder = corvix::testing::testSettingsFolder().getChildFile (
        "maps-" + juce::String (::testing::UnitTest::GetInstance()->current_test_info()->name()));
};

int countOf (const std::string& text, const std::string& part)
{
    int count = 0;

    for (auto at = text.find (part); at != std::string::npos; at = text.find (part, at + part.size()))
        ++count;

    return count;
}

/** A "store" file with unit 1 only: its selected slot and, per slot, a workstation and options. */
juce::String storeWithUnitOne (const juce::String& unitCurrent, const juce::StringArray& slots)
{
    auto text = juce::String ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<store current=\"6\" ver=\"0.23\">\n<model id=\"1\"");

    if (unitCurrent.isNotEmpty())
        text << " current=\"" << unitCurrent << "\"";

    text << " pid=\"2057\">\n";

    for (int s = 0; s < slots.size(); ++s)
        text << "<slot id=\"" << (s + 1) << "\" " << slots[s] << "/>\n";

    return text + "</model>\n</store>\n";
}

TEST_F (MapFilesTest, SavedTreeLoadsBackEqualButTheSelectedUnitStays)
{
    auto live = host->getState();
    live.setProperty (mapIds::current, 4, nullptr);
    live.getChild (0).setProperty (mapIds::current, 2, nullptr);
    auto slot = live.getChild (0).getChild (1);
    slot.setProperty (mapIds::current, 5, nullptr).setProperty (mapIds::daw3, 1, nullptr);
    auto entry = MapState (live).controlEntry (40, 2, 1);
    const auto unicodeName = juce::String::fromUTF8 ("\xc3\x9c"
                                                     "n"
                                                     "\xc3\xaf"
                                                     "code & <angle> \"quoted\"");
    resetControlEntry (entry);
    entry.setProperty (mapIds::valueType, "midi", nullptr)
        .setProperty (mapIds::name, unicodeName, nullptr)
        .setProperty (mapIds::diyNameQ, 1, nullptr);
    // A property the system does not know survives the trip.
    MapState (live).controlEntry (185, 3, 8).setProperty ("extraForTests", "kept", nullptr);

    const auto file = mapFile ("round-trip.corvix");
    const auto saved = live.createCopy();
    ASSERT_TRUE (host->saveMappingFile (file).wasOk());

    // A save changes neither the tree nor any flag.
    EXPECT_TRUE (host->getState().isEquivalentTo (saved));
    EXPECT_EQ (slotDirty, (std::array<juce::uint8, 3>{ 0, 0, 0 }));

    // The whole tree of the system's own making is in the file.
    const auto text = file.loadFileAsString().toStdString();
    EXPECT_EQ (countOf (text, "<ctl "), 97632);
    EXPECT_EQ (countOf (text, "<mode "), 432);
    EXPECT_EQ (countOf (text, "<slot "), 24);
    EXPECT_EQ (countOf (text, "<model "), 8);

    live.setProperty (mapIds::current, 2, nullptr);
    entry.setProperty (mapIds::name, "changed after saving", nullptr);

    ASSERT_TRUE (host->loadMappingFile (file).wasOk());

    auto expected = saved.createCopy();
    expected.setProperty (mapIds::current, 2, nullptr);
    EXPECT_TRUE (host->getState().isEquivalentTo (expected));
    EXPECT_FALSE (host->getState() == live) << "the live tree is replaced as a whole, not edited";
    EXPECT_EQ (MapState (host->getState()).controlEntry (40, 2, 1)[mapIds::name].toString(), unicodeName);
}

// A tree of which anything is still held elsewhere (a handle, a value) must not be torn down on
// another thread while the holder uses it.
TEST_F (MapFilesTest, AReplacedTreeIsReleasedOnItsOwnThreadOnlyWhenNothingElseHoldsAnyOfIt)
{
    const auto deepEntry = [] (const juce::ValueTree& root) { return MapState (root).controlEntry (185, 3, 8); };

    auto held = host->getState().createCopy();
    auto entry = deepEntry (held);
    EXPECT_FALSE (releaseReplacedTree (std::move (held)));
    EXPECT_EQ (entry[mapIds::id].toString(), "185") << "a held entry stays whole";

    auto withValue = host->getState().createCopy();
    const auto id = deepEntry (withValue).getPropertyAsValue (mapIds::id, nullptr);
    EXPECT_FALSE (releaseReplacedTree (std::move (withValue)));
    EXPECT_EQ (id.toString(), "185");

    EXPECT_TRUE (releaseReplacedTree (host->getState().createCopy()));
    waitForReplacedTreeReleases();

    // A load replaces the live tree, of which the system holds nothing once it is replaced.
    const auto file = mapFile ("loaded.corvix");
    ASSERT_TRUE (host->saveMappingFile (file).wasOk());
    ASSERT_TRUE (host->loadMappingFile (file).wasOk());
    EXPECT_TRUE (deepEntry (host->getState()).isValid());
    waitForReplacedTreeReleases();
}

TEST_F (MapFilesTest, FileIsUtf8XmlWithDeclarationAndAttributesInPropertyOrder)
{
    // A small tree, so that the whole file can be compared: the line wrap at 60 columns, the
    // attribute order of each node and the escaping all show.
    auto live = host->getState();
    live.removeAllChildren (nullptr);
    juce::ValueTree unit (mapIds::model, { { mapIds::id, 1 }, { mapIds::current, 1 }, { mapIds::pid, 2057 } });
    juce::ValueTree entry (mapIds::ctl, { { mapIds::id, 40 },
                                          { mapIds::kind, "button" },
                                          { mapIds::valueType, "func" },
                                          { mapIds::value, 0 },
                                          { mapIds::name, "Undo" },
                                          { mapIds::lockBy, 0 } });
    resetControlEntry (entry);
    unit.appendChild (entry, nullptr);
    unit.appendChild (juce::ValueTree (mapIds::ctl, { { mapIds::name, "A&B" }, { mapIds::id, 41 } }), nullptr);
    live.appendChild (unit, nullptr);

    const auto file = mapFile ("format.corvix");
    ASSERT_TRUE (host->saveMappingFile (file).wasOk());

    const juce::String expected = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                                  "\r\n"
                                  "<store current=\"1\" ver=\"0.23\">\r\n"
                                  "  <model id=\"1\" current=\"1\" pid=\"2057\">\r\n"
                                  "    <ctl id=\"40\" kind=\"button\" valueType=\"null\" value=\"0\" name=\"\" lockBy=\"0\"\r\n"
                                  "         ctrl=\"0\" shift=\"0\" alt=\"0\" cmd=\"0\" key=\"0\" keyName=\"\" type=\"nil\"\r\n"
                                  "         chan=\"0\" msgValue=\"0\" rotate=\"0\" val1=\"-1\" val2=\"-1\"/>\r\n"
                                  "    <ctl name=\"A&amp;B\" id=\"41\"/>\r\n"
                                  "  </model>\r\n"
                                  "</store>\r\n";
    EXPECT_EQ (file.loadFileAsString(), expected);
}

TEST_F (MapFilesTest, AnotherLayoutVersionLoadsAndKeepsItsVersion)
{
    host->getState().setProperty (mapIds::ver, "0.19", nullptr);
    const auto file = mapFile ("old.corvix");
    ASSERT_TRUE (host->saveMappingFile (file).wasOk());
    host->getState().setProperty (mapIds::ver, "0.23", nullptr);

    ASSERT_TRUE (host->loadMappingFile (file).wasOk());
    EXPECT_EQ (host->getState()[mapIds::ver].toString(), "0.19");
}

TEST_F (MapFilesTest, UnreadableOrForeignFilesChangeNothing)
{
    const juce::File files[] = {
        writeMapFile ("text.corvix", "this is not a map"),
        writeMapFile ("empty.corvix", {}),
        writeMapFile ("truncated.corvix", "<?xml version=\"1.0\"?>\n<store current=\"1\" ver=\"0.23\">\n<model id=\"1\""),
        writeBinaryFile ("binary.corvix", "\x1f\x8b\x08\x00\xff\xfe<store/>"),
        // Well-formed, but not a map: it would otherwise replace the user's whole map.
        writeMapFile ("foreign.corvix", "<?xml version=\"1.0\"?>\n<settings current=\"2\"><model id=\"1\" current=\"3\"/></settings>"),
        writeMapFile ("case.corvix", "<STORE current=\"1\" ver=\"0.23\"/>"),
        // What hangs the framework's parser, overflows its stack or makes it read past its text.
        writeBinaryFile ("hangs.corvix", "<store><?a?>b&amp;</store>"),
        writeBinaryFile ("reads-past-the-end.corvix", "<store>&#x1"),
        writeMapFile ("deep.corvix", "<store>" + juce::String::repeatedString ("<a>", 100000)
                                         + juce::String::repeatedString ("</a>", 100000) + "</store>"),
        // Not UTF-8: the framework's readers do not agree on what it holds.
        writeBinaryFile ("stray-bytes.corvix", "<store><model id=\"1\"/>\xbcmodel id=\"2\"/\xbe</store>"),
        // A property twice: the upload took one value and a save and reload the other.
        writeMapFile ("twice.corvix",
                      "<store ver=\"0.23\"><model id=\"1\"><slot id=\"1\" current=\"1\"><mode id=\"1\">"
                      "<ctl id=\"33\" kind=\"button\" valueType=\"midi\" value=\"3\" value=\"7\"/></mode></slot></model></store>"),
        // Deeper than a map nests.
        writeMapFile ("too-deep.corvix", "<store><model><slot><mode><ctl><ctl/></ctl></mode></slot></model></store>"),
        writeMapFile ("doctype.corvix", "<!DOCTYPE store><store ver=\"0.23\"/>"),
        mapFile ("missing.corvix"),
        folder,
    };

    MapState (host->getState()).controlEntry (33, 1, 1).setProperty (mapIds::name, "mine", nullptr);
    const auto before = host->getState();
    const auto copyBefore = before.createCopy();

    for (const auto& file : files)
    {
        SCOPED_TRACE (file.getFileName().toStdString());
        markSharedState();

        const auto result = host->loadMappingFile (file);
        EXPECT_TRUE (result.failed());
        EXPECT_EQ (result.getErrorMessage(), loadFailure);
        EXPECT_TRUE (host->getState() == before);
        EXPECT_TRUE (host->getState().isEquivalentTo (copyBefore));
        expectSharedStateUnchanged();
    }
}

TEST_F (MapFilesTest, LoadMarksEverySlotAndTheSlotStateFollowsUnitOne)
{
    markSharedState();
    currentSlotId = 2;
    host->getState().setProperty (mapIds::current, 5, nullptr);
    const auto file = writeMapFile ("unit-one.corvix", storeWithUnitOne ("3", { "current=\"4\" daw1=\"0\" daw2=\"1\" daw3=\"1\"",
                                                                                "current=\"0\" daw1=\"1\" daw2=\"0\" daw3=\"0\"",
                                                                                "current=\"19\" daw1=\"0\" daw2=\"0\" daw3=\"7\"" }));

    ASSERT_TRUE (host->loadMappingFile (file).wasOk());

    EXPECT_EQ (slotDirty, (std::array<juce::uint8, 3>{ 1, 1, 1 }));
    EXPECT_EQ (slotDawIds, (std::array<int, 3>{ 4, 0, 19 }));
    EXPECT_EQ (slotOptionFlags[0], (std::array<int, 3>{ 0, 1, 1 }));
    EXPECT_EQ (slotOptionFlags[1], (std::array<int, 3>{ 1, 0, 0 }));
    EXPECT_EQ (slotOptionFlags[2], (std::array<int, 3>{ 0, 0, 1 }));
    EXPECT_EQ (currentSlotId, 2) << "a valid selected slot survives the load";
    EXPECT_EQ ((int) host->getState()[mapIds::current], 5) << "the selected unit carries over, not the file's";
    EXPECT_EQ ((int) unitOne()[mapIds::current], 3);
    EXPECT_EQ (MapState (host->getState()).slotDawId (1), 0) << "unit 5 is not in the file";
}

TEST_F (MapFilesTest, SelectedSlotIsAlwaysASlotIdAfterALoad)
{
    const auto threeSlots = juce::StringArray{ "current=\"1\"", "current=\"2\"", "current=\"3\"" };

    struct Case
    {
        int slotBefore;
        juce::String unitCurrent;
        int slotAfter;
    };

    const Case cases[] = { { 0, "3", 3 }, { 4, "2", 2 }, { -1, "0", 1 }, { 9, "4", 1 }, { 0, {}, 1 }, { 1, "3", 1 } };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.slotBefore).toStdString() + " / " + c.unitCurrent.toStdString());
        currentSlotId = c.slotBefore;
        ASSERT_TRUE (host->loadMappingFile (writeMapFile ("slot.corvix", storeWithUnitOne (c.unitCurrent, threeSlots))).wasOk());
        EXPECT_EQ (currentSlotId, c.slotAfter);
    }
}

TEST_F (MapFilesTest, AStoreOfAnyShapeLoadsAndMarksAllThreeSlots)
{
    auto live = host->getState();
    live.removeProperty (mapIds::current, nullptr);
    markSharedState();

    ASSERT_TRUE (host->loadMappingFile (writeMapFile ("bare.corvix", "<store/>")).wasOk());

    const auto state = host->getStateTree();
    EXPECT_EQ ((int) state.getTree()[mapIds::current], 1) << "a live tree without a selected unit hands on unit 1";
    EXPECT_EQ (slotDirty, (std::array<juce::uint8, 3>{ 1, 1, 1 }));
    EXPECT_EQ (slotDawIds, (std::array<int, 3>{ 0, 0, 0 }));
    EXPECT_EQ (currentSlotId, 3);
    EXPECT_FALSE (state.controlEntryInCurrentSlot (40).isValid());
    EXPECT_EQ (state.currentDawId(), 0);
    EXPECT_EQ (host->getCurrentSlotId(), 1);
}

TEST_F (MapFilesTest, SavingWhereNoFileCanBeWrittenFailsAndKeepsWhatWasThere)
{
    const auto blocker = writeMapFile ("plain-file", "not a folder");
    const std::pair<juce::File, int> targets[] = { { blocker.getChildFile ("map.corvix"), ENOTDIR },
                                                   { folder.getChildFile ("no-such-folder/map.corvix"), ENOENT },
                                                   { folder, EISDIR } };

    markSharedState();
    const auto before = host->getState().createCopy();

    for (const auto& [target, error] : targets)
    {
        SCOPED_TRACE (target.getFullPathName().toStdString());
        expectWriteFailure (host->saveMappingFile (target), error);
    }

    EXPECT_EQ (blocker.loadFileAsString(), "not a folder");
    EXPECT_TRUE (folder.isDirectory());
    EXPECT_TRUE (host->getState().isEquivalentTo (before));
    expectSharedStateUnchanged();
}

TEST_F (MapFilesTest, SavingIntoAFolderWithoutWritePermissionFailsAndKeepsTheOldFileWhole)
{
#if JUCE_WINDOWS
    GTEST_SKIP() << "a folder's write permission is a POSIX mode bit; Windows folders have access lists instead";
#else
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into any folder";

    // The old map itself stays writable: only the folder refuses a new file beside it.
    const auto locked = folder.getChildFile ("locked");
    ASSERT_TRUE (locked.createDirectory());
    const auto old = locked.getChildFile ("old.corvix");
    ASSERT_TRUE (old.replaceWithText ("<store ver=\"0.23\"/>", false, false, nullptr));
    ASSERT_EQ (::chmod (locked.getFullPathName().toRawUTF8(), 0555), 0);
    const juce::ScopeGuard unlockAtEnd{ [&locked] { ::chmod (locked.getFullPathName().toRawUTF8(), 0755); } };

    for (const auto& target : { old, locked.getChildFile ("new.corvix") })
    {
        SCOPED_TRACE (target.getFullPathName().toStdString());
        expectWriteFailure (host->saveMappingFile (target), EACCES);
    }

    EXPECT_EQ (old.loadFileAsString(), "<store ver=\"0.23\"/>");
    EXPECT_EQ (locked.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1) << "no part-written file is left behind";
#endif
}

TEST_F (MapFilesTest, ASaveOnAFullDiskFailsAndKeepsTheOldFileWhole)
{
#if JUCE_WINDOWS
    GTEST_SKIP() << "a full disk is made with a POSIX file-size limit; Windows has none for an ordinary user";
#endif
    const auto file = writeMapFile ("old.corvix", "<store ver=\"0.23\"/>");

    {
        // The 20 MB map meets a disk with room for a few kilobytes.
        const corvix::testing::ScopedFileSizeLimit fullDisk (4096);
        expectWriteFailure (host->saveMappingFile (file), EFBIG);
    }

    EXPECT_EQ (file.loadFileAsString(), "<store ver=\"0.23\"/>");
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFiles), 1) << "no part-written file is left behind";
}

TEST_F (MapFilesTest, ASaveKilledHalfWayLeavesNoOtherMapFileAndTheNextSaveClearsWhatItLeft)
{
#if JUCE_WINDOWS
    GTEST_SKIP() << "the save is killed in a copy of the test process, which Windows cannot fork";
#else
    const auto file = writeMapFile ("old.corvix", "<store ver=\"0.23\"/>");

    // A copy of this process saves the 20 MB map and is killed by the system half-way (by the
    // signal of a file-size limit, which ends a process that does not expect it): nothing after
    // the kill runs, as when the power fails.
    const auto child = ::fork();
    ASSERT_GE (child, 0);

    if (child == 0)
    {
        rlimit limit{};
        ::setrlimit (RLIMIT_CORE, &limit);
        ::getrlimit (RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 3u << 20;
        ::setrlimit (RLIMIT_FSIZE, &limit);
        std::signal (SIGXFSZ, SIG_DFL);
        host->saveMappingFile (file);
        ::_exit (0);
    }

    int status = 0;
    ASSERT_EQ (::waitpid (child, &status, 0), child);
    ASSERT_TRUE (WIFSIGNALED (status) && WTERMSIG (status) == SIGXFSZ) << "the save was not stopped half-way";

    // No chooser for "*.corvix" offers what the killed save left, a hidden file; the old map is whole.
    EXPECT_EQ (folder.findChildFiles (juce::File::findFiles, false, "*.corvix"), juce::Array<juce::File> ({ file }));
    EXPECT_EQ (file.loadFileAsString(), "<store ver=\"0.23\"/>");
    const auto left = folder.findChildFiles (juce::File::findFiles, false, ".old.corvix.*");
    ASSERT_EQ (left.size(), 1);
    EXPECT_GT (left[0].getSize(), 0);

    ASSERT_TRUE (host->saveMappingFile (file).wasOk());
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1);
    EXPECT_TRUE (host->loadMappingFile (file).wasOk());
#endif
}

TEST_F (MapFilesTest, SavesOfOneFileAtTheSameMomentLeaveOneOfThemWholeAndBothSucceed)
{
#if JUCE_WINDOWS
    GTEST_SKIP() << "the saves run in copies of the test process, which Windows cannot fork";
#else
    // Two maps of the same size (two units of eight, some 5 MB) that differ in one value, and their
    // bytes as a save alone writes them.
    while (host->getState().getNumChildren() > 2)
        host->getState().removeChild (2, nullptr);

    const juce::String savers[] = { "first", "other" };
    juce::MemoryBlock saved[2];

    for (int i = 0; i < 2; ++i)
    {
        host->getState().setProperty ("savedBy", savers[i], nullptr);
        const auto alone = mapFile (savers[i] + ".corvix");
        ASSERT_TRUE (host->saveMappingFile (alone).wasOk());
        ASSERT_TRUE (alone.loadFileAsData (saved[i]));
        ASSERT_TRUE (alone.deleteFile());
    }

    // Two users save into one file in a shared folder at the same moment, again and again: copies
    // of this process. The second is let go while the first writes (or once it has ended).
    const auto shared = mapFile ("shared.corvix");
    const auto firstIsWriting = [this] { return ! folder.findChildFiles (juce::File::findFiles, false, ".shared.corvix.*").isEmpty(); };

    for (int round = 0; round < 4; ++round)
    {
        SCOPED_TRACE ("round " + std::to_string (round));
        int go[2];
        ASSERT_EQ (::pipe (go), 0);
        pid_t children[2];

        for (int i = 0; i < 2; ++i)
        {
            host->getState().setProperty ("savedBy", savers[i], nullptr);
            children[i] = ::fork();
            ASSERT_GE (children[i], 0);

            if (children[i] == 0)
            {
                char ignored;
                ::close (go[1]);

                // The second waits until every copy of the writing end is closed.
                if (i == 1 && ::read (go[0], &ignored, 1) < 0)
                    ::_exit (2);

                ::_exit (host->saveMappingFile (shared).wasOk() ? 0 : 1);
            }
        }

        int statuses[2] = {};
        bool ended[2] = {};
        const auto hasEnded = [&] (int i)
        { return ended[i] || (ended[i] = ::waitpid (children[i], &statuses[i], WNOHANG) == children[i]); };

        // Waits on conditions; the counts are hang guards only.
        for (int waits = 0; waits < 60000 && ! firstIsWriting() && ! hasEnded (0); ++waits)
            ::usleep (1000);

        ::close (go[0]);
        ::close (go[1]);

        for (int i = 0; i < 2; ++i)
        {
            for (int waits = 0; waits < 60000 && ! hasEnded (i); ++waits)
                ::usleep (1000);

            if (! hasEnded (i))
            {
                ::kill (children[i], SIGKILL);
                ::waitpid (children[i], nullptr, 0);
                ADD_FAILURE() << "a save hung";
            }

            EXPECT_TRUE (WIFEXITED (statuses[i]) && WEXITSTATUS (statuses[i]) == 0) << "a save failed, or reported failure: " << i;
        }

        // Each save said it was done, and the file holds the whole of one of them.
        juce::MemoryBlock held;
        ASSERT_TRUE (shared.loadFileAsData (held));
        EXPECT_TRUE (held == saved[0] || held == saved[1]) << "the file holds " << held.getSize() << " bytes of neither save";
        EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1) << "a save left a file behind";
    }
#endif
}

TEST_F (MapFilesTest, ASaveThroughLinksWritesTheFileTheyNameAndEveryLinkStaysALink)
{
#if JUCE_WINDOWS
    GTEST_SKIP() << "symbolic links need an administrator's right on Windows";
#else
    const auto real = folder.getChildFile ("real");
    ASSERT_TRUE (real.createDirectory());
    const auto old = real.getChildFile ("real.corvix");
    ASSERT_TRUE (old.replaceWithText ("<store ver=\"0.23\"/>"));
    const auto absent = real.getChildFile ("absent.corvix");
    host->getState().removeAllChildren (nullptr); // a small map keeps the saves quick

    // A link relative to its folder; a chain of a relative and an absolute link to a file that is
    // not there yet; a link that goes up out of its folder and on through the first one.
    const std::pair<juce::File, juce::String> links[] = {
        { mapFile ("linked.corvix"), "real/real.corvix" },    { mapFile ("chain.corvix"), "hop.corvix" },
        { mapFile ("hop.corvix"), absent.getFullPathName() }, { real.getChildFile ("up.corvix"), "../linked.corvix" },
        { mapFile ("loop-a.corvix"), "loop-b.corvix" },       { mapFile ("loop-b.corvix"), "loop-a.corvix" }
    };

    for (const auto& [link, target] : links)
        ASSERT_TRUE (juce::File::createSymbolicLink (link, target, false)) << link.getFullPathName();

    const std::pair<juce::String, juce::File> saves[] = { { "linked.corvix", old }, { "chain.corvix", absent }, { "real/up.corvix", old } };

    for (const auto& [name, named] : saves)
    {
        SCOPED_TRACE (name.toStdString());
        host->getState().setProperty ("savedAs", name, nullptr);
        ASSERT_TRUE (host->saveMappingFile (mapFile (name)).wasOk());
        EXPECT_TRUE (named.loadFileAsString().contains ("savedAs=\"" + name + "\"")) << "the named file holds the new map";
    }

    // Links that go round in a circle name no file.
    expectWriteFailure (host->saveMappingFile (mapFile ("loop-a.corvix")), ELOOP);

    for (const auto& [link, target] : links)
        EXPECT_EQ (link.getNativeLinkedTarget(), target) << link.getFullPathName();

    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 6) << "no other file was made";
    EXPECT_EQ (real.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 3);
#endif
}

TEST_F (MapFilesTest, AReadOnlyMapIsNotReplacedAndAReplacedOneKeepsItsPermissions)
{
    const auto readOnly = writeMapFile ("read-only.corvix", "<store ver=\"0.23\"/>");
    ASSERT_TRUE (readOnly.setReadOnly (true));

    expectWriteFailure (host->saveMappingFile (readOnly), EACCES);
    EXPECT_EQ (readOnly.loadFileAsString(), "<store ver=\"0.23\"/>");
#if JUCE_WINDOWS
    EXPECT_FALSE (readOnly.hasWriteAccess());
    readOnly.setReadOnly (false);
    // What follows is about POSIX mode bits, which Windows files do not have.
#else
    EXPECT_FALSE (readOnly.hasWriteAccess() && ::geteuid() != 0);
    readOnly.setReadOnly (false);

    // Readable by its owner and group only: it stays so after a save.
    const auto shared = writeMapFile ("shared.corvix", "<store ver=\"0.23\"/>");
    ASSERT_EQ (::chmod (shared.getFullPathName().toRawUTF8(), 0640), 0);
    host->getState().removeAllChildren (nullptr);
    EXPECT_TRUE (host->saveMappingFile (shared).wasOk());

    struct stat status;
    ASSERT_EQ (::stat (shared.getFullPathName().toRawUTF8(), &status), 0);
    EXPECT_EQ (status.st_mode & 07777, 0640u);
    EXPECT_TRUE (shared.loadFileAsString().contains ("<store"));
#endif
}
} // namespace

namespace
{
// A map file comes from anywhere; its document type must not make the program read other files.
TEST_F (MapFilesTest, ADocumentTypeNeverReadsAnotherLocalFile)
{
    writeMapFile ("secret.dtd", "<!ENTITY s \"SECRET\">");
    const auto file = writeMapFile ("trap.corvix", "<?xml version=\"1.0\"?>\n<!DOCTYPE store SYSTEM \"secret.dtd\">\n"
                                                   "<store ver=\"0.23\" note=\"&s;\"/>");

    // The framework, reading the file itself, would have taken the entity from the other file.
    const auto direct = juce::XmlDocument::parse (file);
    ASSERT_NE (direct, nullptr);
    ASSERT_EQ (direct->getStringAttribute ("note"), "SECRET");

    const auto result = host->loadMappingFile (file);

    if (result.wasOk())
        EXPECT_NE (host->getState().getProperty ("note").toString(), "SECRET");
    else
        EXPECT_EQ (result.getErrorMessage(), loadFailure);
}
} // namespace
