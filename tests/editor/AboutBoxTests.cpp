#include "editor/AboutBox.h"
#include "tests/support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <regex>

namespace
{
using namespace NsOrvelA;

TEST (AboutBox, TitleIsTheProgramsNameAndVersion) { EXPECT_EQ (aboutBox::title(), "Orvel-A/B Corvix V1.15"); }

TEST (AboutBox, TheCompilersDateKeepsOneBlankBeforeADayBelowTen)
{
    EXPECT_EQ (aboutBox::compilerDateText ("Dec  2 2023"), "Dec 2 2023");
    EXPECT_EQ (aboutBox::compilerDateText ("Dec 22 2023"), "Dec 22 2023");
    EXPECT_TRUE (std::regex_match (aboutBox::buildDate(), std::regex ("[A-Z][a-z]{2} [ 1-3][0-9] 2[0-9]{3}")))
        << "the build's own day, in that form: " << aboutBox::buildDate();
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
