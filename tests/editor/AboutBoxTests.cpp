#include "editor/AboutBox.h"
#include "tests/support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;

/** "Dec  2 2023": a month's abbreviation, the day padded to two places with a blank, the year. */
bool isInTheCompilersForm (const juce::String& date)
{
    const auto months = juce::StringArray::fromTokens ("Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec", " ", {});
    const auto digit = [&date] (int i) { return juce::CharacterFunctions::isDigit (date[i]); };
    return date.length() == 11 && months.contains (date.substring (0, 3)) && date[3] == ' '
           && (date[4] == ' ' || (date[4] >= '1' && date[4] <= '3')) && digit (5) && date[6] == ' ' && digit (7) && digit (8)
           && digit (9) && digit (10);
}

TEST (AboutBox, TitleIsTheProgramsNameAndVersion) { EXPECT_EQ (aboutBox::title(), "Orvel-A/B Corvix V1.15"); }

TEST (AboutBox, TheCompilersDateKeepsOneBlankBeforeADayBelowTen)
{
    EXPECT_EQ (aboutBox::compilerDateText ("Dec  2 2023"), "Dec 2 2023");
    EXPECT_EQ (aboutBox::compilerDateText ("Dec 22 2023"), "Dec 22 2023");
    EXPECT_TRUE (isInTheCompilersForm (aboutBox::buildDate())) << "the build's own day, in that form: " << aboutBox::buildDate();
}

TEST (AboutBox, TextHoldsTheBuildAndItsDateTheCopyrightAndTheWebAddressInThreeParagraphs)
{
    const auto paragraphs = juce::StringArray::fromTokens (aboutBox::text(), "\n", {});
    ASSERT_EQ (paragraphs.size(), 5) << aboutBox::text();
    EXPECT_EQ (paragraphs[0], "Build 98C, " + aboutBox::compilerDateText (aboutBox::buildDate()));
    EXPECT_FALSE (paragraphs[0].contains ("  "));
    EXPECT_EQ (paragraphs[1], "");
    EXPECT_TRUE (paragraphs[2].startsWith ("Copyright"));
    EXPECT_TRUE (paragraphs[2].contains ("2023"));
    EXPECT_TRUE (paragraphs[2].contains ("Talvor"));
    EXPECT_EQ (paragraphs[3], "");
    EXPECT_EQ (paragraphs[4], "https://talvor.example/");
    EXPECT_FALSE (aboutBox::text().contains ("{")) << "every placeholder is filled in";
}

TEST (AboutBox, IsShownWithoutSymbolAndWithOneOkButton)
{
    talvor::test::ScriptedDialogs scripted;
    aboutBox::show();

    ASSERT_EQ (scripted.shown().size(), 1u);
    const auto& box = scripted.last();
    EXPECT_EQ (box.kind, talvor::test::ShownDialog::Kind::messageBox);
    EXPECT_EQ (box.icon, juce::MessageBoxIconType::NoIcon);
    EXPECT_EQ (box.title, "Orvel-A/B Corvix V1.15");
    EXPECT_EQ (box.message, aboutBox::text());
    EXPECT_EQ (box.buttons, juce::StringArray ("OK"));
    EXPECT_EQ (box.associatedComponent, nullptr);
}
} // namespace
