#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "dzfileiosettings.h"

TEST(HostSettings, ValuesConvertBetweenTypesAndIntsOnlyWhereTheyFit)
{
    DzSettings s;
    s.setStringValue("Axis", "Y");
    s.setIntValue("Digits", 8);
    s.setFloatValue("Scale", 2.5);
    EXPECT_DOUBLE_EQ(s.getFloatValue("Digits"), 8.0);
    EXPECT_EQ(s.getIntValue("Scale"), 3);
    EXPECT_EQ(s.getStringValue("Missing", "def"), "def");
    s.setIntValue("Axis", 4);  // a later set replaces value and type, keeping the order
    EXPECT_EQ(s.getValueType("Axis"), DzSettings::IntValue);
    EXPECT_EQ(s.getKeys(), QStringList({"Axis", "Digits", "Scale"}));

    for (double value : {1e300, -1e300, 3e9, -3e9, std::nan(""), std::numeric_limits<double>::infinity()}) {
        s.setFloatValue("Scale", value);
        EXPECT_EQ(s.getIntValue("Scale", 7), 7) << value;
    }
    ASSERT_TRUE(s.fromString("{\"Big\": 1e300, \"Edge\": 2147483647.4, \"Low\": -2147483648}"));
    EXPECT_EQ(s.getIntValue("Big", 7), 7);
    EXPECT_EQ(s.getIntValue("Edge", 7), 2147483647);
    EXPECT_EQ(s.getIntValue("Low", 7), -2147483647 - 1);
}

// Nested settings are copies: neither the source given nor a copy of the whole shares them.
TEST(HostSettings, NestedSettingsAreCopiesAndSurviveJson)
{
    DzSettings source;
    source.setStringValue("0", "MorphA");
    DzFileIOSettings s;
    DzSettings* nested = s.setSettingsValue("NodeNames", &source);
    source.setStringValue("0", "changed later");
    EXPECT_EQ(s.getSettingsValue("NodeNames"), nested);
    EXPECT_EQ(nested->getStringValue("0"), "MorphA");
    nested->setSettingsValue("Genesis9")->setStringValue("1", "ä ö \"quoted\"");
    s.setFloatValue("Scale", 0.125);
    s.setBoolValue("WriteVT", false);

    DzSettings copy;
    copy.copyFrom(s);
    EXPECT_NE(copy.getSettingsValue("NodeNames"), nested);
    DzFileIOSettings back;
    ASSERT_TRUE(back.fromString(s.toJsonString()));
    for (const DzSettings* read : std::initializer_list<const DzSettings*>{&copy, &back}) {
        EXPECT_EQ(read->getSettingsValue("NodeNames")->getSettingsValue("Genesis9")->getStringValue("1"),
                  "ä ö \"quoted\"");
        EXPECT_DOUBLE_EQ(read->getFloatValue("Scale"), 0.125);
        EXPECT_FALSE(read->getBoolValue("WriteVT", true));
    }
    for (const char* bad : {"", "not json", "[1,2]", "{\"a\": [1]}", "{\"a\": 1"}) {
        EXPECT_FALSE(back.fromString(bad)) << bad;
        EXPECT_DOUBLE_EQ(back.getFloatValue("Scale"), 0.125) << "changed by " << bad;
    }
}
