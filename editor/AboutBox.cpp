#include "editor/AboutBox.h"

#include "ui/Dialogs.h"

namespace NsOrvelA::aboutBox
{
namespace
{
constexpr const char* titleTemplate = "{corvix} {ver-mark}{ver}";
constexpr const char* textTemplate = "Build {build}, {date}\n\nCopyright (c) {year} {comp}. All rights reserved.\n\n{url}";

juce::String fillIn (const juce::String& templateText)
{
    return templateText.replace ("{corvix}", "Orvel-A/B Corvix")
        .replace ("{ver-mark}", "V")
        .replace ("{ver}", "1.15")
        .replace ("{build}", "98C")
        .replace ("{date}", compilerDateText (buildDate()))
        .replace ("{year}", "2023")
        .replace ("{comp}", "Talvor")
        .replace ("{url}", "https://talvor.example/");
}
} // namespace

juce::String title() { return fillIn (titleTemplate); }

juce::String text() { return fillIn (textTemplate); }

juce::String compilerDateText (const char* compilerDate) { return juce::String (compilerDate).replace ("  ", " "); }

void show() { talvor::dialogs().showMessageBox (juce::MessageBoxIconType::NoIcon, title(), text(), "OK", nullptr); }
} // namespace NsOrvelA::aboutBox
