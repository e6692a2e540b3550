#include <gtest/gtest.h>

#include <QScriptEngine>

#include "dzapp.h"
#include "dzfileiosettings.h"
#include "test_app.h"

TEST(HostSettings, TypedValuesConvertAndMissingKeysGiveDefaults)
{
    DzSettings s;
    s.setStringValue("Axis", "Y");
    s.setIntValue("Digits", 8);
    s.setFloatValue("Scale", 2.5);
    EXPECT_DOUBLE_EQ(s.getFloatValue("Digits"), 8.0);
    EXPECT_EQ(s.getIntValue("Scale"), 3);
    EXPECT_EQ(s.getIntValue("Missing", 7), 7);
    EXPECT_EQ(s.getStringValue("Missing", "def"), "def");
    EXPECT_TRUE(s.getBoolValue("Missing", true));

    s.setIntValue("Axis", 4);  // a later set replaces value and type, keeping the order
    EXPECT_EQ(s.getValueType("Axis"), DzSettings::IntValue);
    EXPECT_EQ(s.getKeys(), QStringList({"Axis", "Digits", "Scale"}));
}

TEST(HostSettings, NestedSettingsAreCopiedAndReused)
{
    DzSettings source;
    source.setStringValue("0", "MorphA");
    DzSettings s;
    DzSettings* nested = s.setSettingsValue("NodeNames", &source);
    source.setStringValue("0", "changed later");
    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(s.getSettingsValue("NodeNames"), nested);
    EXPECT_EQ(nested->getStringValue("0"), "MorphA");
    EXPECT_EQ(s.getSettingsValue("Missing"), nullptr);

    DzSettings* inner = nested->setSettingsValue("Genesis9");
    inner->setStringValue("1", "MorphB");
    DzSettings copy;
    copy.copyFrom(s);
    EXPECT_EQ(copy.getSettingsValue("NodeNames")->getSettingsValue("Genesis9")->getStringValue("1"),
              "MorphB");
    EXPECT_NE(copy.getSettingsValue("NodeNames"), nested);
}

TEST(HostSettings, JsonRoundTripKeepsValuesAndRejectsInvalidText)
{
    DzFileIOSettings s;
    s.setStringValue("Preset", "Custom");
    s.setFloatValue("Scale", 0.125);
    s.setBoolValue("WriteVT", false);
    s.setIntValue("RunSilent", 1);
    s.setSettingsValue("Nested")->setStringValue("Name", "ä ö \"quoted\"");

    DzFileIOSettings back;
    ASSERT_TRUE(back.fromString(s.toJsonString()));
    EXPECT_EQ(back.getStringValue("Preset"), "Custom");
    EXPECT_DOUBLE_EQ(back.getFloatValue("Scale"), 0.125);
    EXPECT_FALSE(back.getBoolValue("WriteVT", true));
    EXPECT_EQ(back.getIntValue("RunSilent"), 1);
    ASSERT_NE(back.getSettingsValue("Nested"), nullptr);
    EXPECT_EQ(back.getSettingsValue("Nested")->getStringValue("Name"), "ä ö \"quoted\"");

    for (const char* bad : {"", "not json", "[1,2]", "{\"a\": [1]}", "{\"a\": 1"}) {
        EXPECT_FALSE(back.fromString(bad)) << bad;
        EXPECT_EQ(back.getStringValue("Preset"), "Custom") << "changed by " << bad;
    }
}

TEST(HostSettings, ScriptsCreateFileIOSettings)
{
    TestApp app;
    QScriptEngine* engine = dzApp->scriptEngine();
    const QScriptValue result = engine->evaluate(
        "var s = new DzFileIOSettings(); s.setIntValue('RunSilent', 1);"
        "s.setStringValue('LatAxis', 'Z'); s.toJsonString();");
    ASSERT_FALSE(engine->hasUncaughtException()) << engine->uncaughtException().toString().toStdString();
    DzSettings parsed;
    ASSERT_TRUE(parsed.fromString(result.toString()));
    EXPECT_EQ(parsed.getIntValue("RunSilent"), 1);
    EXPECT_EQ(parsed.getStringValue("LatAxis"), "Z");
}
