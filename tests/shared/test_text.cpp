#include <gtest/gtest.h>

#include <QPushButton>
#include <cmath>
#include <set>

#include "qt_print.h"
#include "tv_exception.h"
#include "tv_gui.h"
#include "tv_str.h"
#include "tv_version.h"

using namespace tav;

namespace {
const std::string L = "\xe2\x80\x9c";   // left double quotation mark
const std::string R = "\xe2\x80\x9d";   // right double quotation mark
} // namespace

TEST(Sentences, ALeadingLowerCaseAsciiLetterIsCapitalisedAndOneClosingMarkAdded)
{
    const std::pair<const char*, const char*> aCases[] = {
        {"go on?", "Go on?"},     {"stop!", "Stop!"},       {"done.", "Done."},
        {"see <b>this</b>", "See <b>this</b>"},             {"ends in a colon:", "Ends in a colon:."},
        {"3 morphs", "3 morphs."}, {" leading blank", " leading blank."}, {"Already", "Already."},
        {"\xc3\xa9t\xc3\xa9", "\xc3\xa9t\xc3\xa9."},  // été
        {"z", "Z."},
    };
    for (const auto& [pcszText, pcszSentence] : aCases)
        EXPECT_EQ(str::MakeSentence(pcszText), pcszSentence) << pcszText;
}

TEST(ProductTexts, ExpansionReplacesEveryMarkerAndLeavesLoneMarksAlone)
{
    const std::pair<const char*, std::string> cases[] = {
        {"%{a}% and %{b}%", L + "a" + R + " and " + L + "b" + R},
        {"``a'' and ``b''", L + "a" + R + " and " + L + "b" + R},
        {"%PLUGINNAME% / %PLUGINNAME%", "Tavrenik's Kelvaro / Tavrenik's Kelvaro"},
        {"%{%PLUGINNAME%}%", L + "Tavrenik's Kelvaro" + R},
        {"100% sure, don't `quote` me", "100% sure, don't `quote` me"},
        {"%PLUGIN%", "%PLUGIN%"},
        {"```", L + "`"},
    };
    for (const auto& [pcszText, expected] : cases)
        EXPECT_EQ(ExpandPluginText(pcszText), expected) << pcszText;
    EXPECT_EQ(ExpandPluginText(QStringLiteral("``%PLUGINNAME%''")),
              QString::fromUtf8((L + "Tavrenik's Kelvaro" + R).c_str()));
}

TEST(ProductTexts, AToolTipIsExpanded)
{
    QPushButton button;
    SetExpandedToolTip(&button, "%{x}% for %PLUGINNAME%");
    EXPECT_EQ(ToUtf8(button.toolTip()), L + "x" + R + " for Tavrenik's Kelvaro");
}

TEST(Durations, EachRangeHasItsForm)
{
    const std::pair<uint64_t, const char*> cases[] = {
        {0, "0 seconds"},         {1, "1 second"},         {2, "2 seconds"},
        {59, "59 seconds"},       {60, "1:00 minutes"},    {65, "1:05 minutes"},
        {3599, "59:59 minutes"},  {3600, "1:00:00 hours"}, {3725, "1:02:05 hours"},
        {36000 * 3 + 61, "30:01:01 hours"},
    };
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(str::FormatDuration(seconds), text) << seconds;
}

TEST(Counts, ThousandsAndPlurals)
{
    const std::pair<uint64_t, const char*> thousands[] = {
        {0, "0"}, {999, "999"}, {1000, "1,000"}, {1234567, "1,234,567"},
        {18446744073709551615ull, "18,446,744,073,709,551,615"},
    };
    for (const auto& [count, text] : thousands)
        EXPECT_EQ(str::FormatThousands(count), text) << count;
    EXPECT_EQ(str::CountText(1, "one active morph", "%d active morphs"), "one active morph");
    EXPECT_EQ(str::CountText(1000, "one active morph", "%d active morphs"), "1,000 active morphs");
    EXPECT_EQ(str::CountText(2, "x", "%d of %d"), "2 of 2");
}

TEST(Splitting, EmptyPartsAndTrimming)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(str::Split("/Morphs//Head", "/", false, false), (V{"Morphs", "Head"}));
    EXPECT_EQ(str::Split("/Morphs//Head", "/", false, true), (V{"", "Morphs", "", "Head"}));
    EXPECT_EQ(str::Split("a/", "/", false, true), (V{"a", ""}));
    EXPECT_EQ(str::Split("", "/", false, true), V{});
    EXPECT_EQ(str::Split(" a \t, b ,\r\n", ",", true, false), (V{"a", "b", ""}));
    EXPECT_EQ(str::Split("a::b:c", "::", false, false), (V{"a", "b:c"}));
    EXPECT_EQ(str::Split("no separator", "/", false, false), (V{"no separator"}));
}

TEST(Paths, JoinParentStem)
{
    EXPECT_EQ(JoinPath("C:\\Content\\data", "Morphs\\x.dsf"), "C:/Content/data/Morphs/x.dsf");
    EXPECT_EQ(JoinPath("a/", "/b"), "a//b");
    EXPECT_EQ(JoinPath("", "b"), "b");
    EXPECT_EQ(JoinPath("a", ""), "a/");

    EXPECT_EQ(ParentPath(QStringLiteral("Actor/People/Head")), QStringLiteral("Actor/People"));
    EXPECT_EQ(ParentPath(QStringLiteral("C:\\tmp/a\\b.obj")), QStringLiteral("C:\\tmp/a"));
    EXPECT_EQ(ParentPath(QStringLiteral("/Morphs")), QStringLiteral("/Morphs"));
    EXPECT_EQ(ParentPath(QStringLiteral("Morphs")), QStringLiteral("Morphs"));

    EXPECT_EQ(Stem("/tmp/tempg9-ab12CD34.obj"), "tempg9-ab12CD34");
    EXPECT_EQ(Stem("C:\\x\\fig.v1.obj"), "fig.v1");
    EXPECT_EQ(Stem("dir.d/name"), "name");
    EXPECT_EQ(Stem("name"), "name");
}

TEST(Replacing, EveryOccurrenceWithoutLooping)
{
    EXPECT_EQ(str::ReplaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(str::ReplaceAll("x%dy%d", "%d", "%d%d"), "x%d%dy%d%d");
    EXPECT_EQ(str::ReplaceAll("abab", "ab", ""), "");
    EXPECT_EQ(str::ReplaceAll("abc", "", "x"), "abc");
    std::string text = "a.b.c";
    str::ReplaceAllInPlace(text, ".", "::");
    EXPECT_EQ(text, "a::b::c");
}

TEST(Comparing, EqualsIgnoreCaseOnlyFoldsAscii)
{
    EXPECT_TRUE(str::EqualsIgnoreCase("Genesis9", "gENESIS9"));
    EXPECT_TRUE(str::EqualsIgnoreCase("", ""));
    EXPECT_FALSE(str::EqualsIgnoreCase("Genesis9", "Genesis 9"));
    EXPECT_FALSE(str::EqualsIgnoreCase("abc", "abd"));
    EXPECT_FALSE(str::EqualsIgnoreCase("\xc3\x89", "\xc3\xa9"));  // É and é
    EXPECT_FALSE(str::EqualsIgnoreCase("[", "{"));  // 0x5b and 0x7b differ by 0x20 too
}

TEST(RandomNames, AlphabetLengthAndVariety)
{
    const std::string alphabet = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    EXPECT_EQ(RandomString(0), "");
    std::set<std::string> names;
    std::set<char> seen;
    for (int i = 0; i < 2000; ++i) {
        const std::string name = RandomString(8);
        ASSERT_EQ(name.size(), 8u);
        for (char c : name) {
            ASSERT_NE(alphabet.find(c), std::string::npos) << name;
            seen.insert(c);
        }
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 2000u);
    EXPECT_EQ(seen.size(), alphabet.size());  // 16000 draws leave no character out
}

TEST(Exceptions, FormattedPlainCopiedAndCancelled)
{
    const Exception formatted("node {} ({}) has no property named {}", "Genesis 9", "G9", size_t(3));
    EXPECT_STREQ(formatted.what(), "node Genesis 9 (G9) has no property named 3");
    EXPECT_STREQ(Exception(std::string_view("braces {} stay")).what(), "braces {} stay");
    EXPECT_STREQ(Exception(formatted).what(), formatted.what());
    try {
        throw CanceledException();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "operation canceled");
        EXPECT_NE(dynamic_cast<const CanceledException*>(&e), nullptr);
    }
}
