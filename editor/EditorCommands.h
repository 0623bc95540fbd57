#pragma once

#include <juce_core/juce_core.h>

namespace NsOrvelA
{
class EditorHooks;
class Host;

/** What the editor's command buttons do, each with only what it needs, so that the editor merely
    dispatches. Every box and chooser goes through the dialogs seam; the file choosers open on the
    user's documents folder. Message thread only. */
namespace editorCommands
{
inline constexpr const char* saveChooserTitle = "Save Mapping";
inline constexpr const char* loadChooserTitle = "Load Mapping";
inline constexpr const char* mapFilePattern = "*.corvix";
inline constexpr const char* sendBoxTitle = "Send Mapping";
inline constexpr const char* sendDoneText = "Done!";

/** "SAVE AS DEFAULT": the next tick of the device-watch timer (or, sooner, the end of the program)
    tells the units to store their defaults and stores the map in the settings file. Nothing is
    shown, but a store that fails then ("Error: " and where and why). */
void saveAsDefault();

/** A box with the text, no title and no symbol: the editor's own messages. */
void showPlainMessage (const juce::String& text);

/** "SEND DATA": builds the device tables of the model being edited from the live map, sends them
    to the selected output at once, and takes the upload marks off the slots only when the send
    succeeded. The outcome ("Done!" or the error) is shown in the "Send Mapping" box without
    waiting for it. Returns the outcome. */
juce::Result sendDataNow (Host& host);

/** "SAVE FILE": chooses a map file and writes the live map into it, under the chosen name with
    ".corvix" added unless it ends so already (in any case); shows "Error: " and the message when
    writing failed, else the button's caption followed by " successfully!". A cancelled chooser
    writes and shows nothing. */
void saveMapFile (Host& host, const juce::String& buttonCaption);

/** "LOAD FILE": chooses a map file and reads it into the live map, then refreshes the editor
    from it. A file that cannot be loaded shows "Error: " and the message and leaves the live map
    and the editor as they were. True when a map was loaded. */
bool loadMapFile (Host& host, EditorHooks& editor);

/** Where the file choosers open: the documents folder when it exists, else the home folder; always
    a folder, so that no file name is proposed. */
juce::File chooserFolder();
} // namespace editorCommands
} // namespace NsOrvelA
