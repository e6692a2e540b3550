#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <cmath>
#include <limits>

#include "dzappsettings.h"
#include "dzfloatproperty.h"
#include "test_app.h"
#include "tv_app_settings.h"
#include "tv_settings.h"

using namespace tav;

namespace {

const QString kPath = QStringLiteral("Tavrenik's Kelvaro");

enum class Kind : uint64_t { Full = 1, Head = 2, Body = 4 };

} // namespace

// Settings read back through a second QSettings on the same file, as the next run would.
class AppSettingsTest : public ::testing::Test {
protected:

    QVariant stored(const QString& key) const
    {
        QSettings file(_app->settingsFilePath(), QSettings::IniFormat);
        return file.value(kPath + QLatin1Char('/') + key);
    }

    TestApp _app;
    std::unique_ptr<DzAppSettings> _store = std::make_unique<DzAppSettings>(kPath);
};

TEST_F(AppSettingsTest, StoreKeepsOneGroupPerPathAndWritesAtOnce)
{
    DzAppSettings other(QStringLiteral("Other"));
    EXPECT_EQ(_store->getIntValue(QStringLiteral("n"), 7), 7);
    EXPECT_FALSE(_store->hasKey(QStringLiteral("n")));

    _store->setIntValue(QStringLiteral("n"), -3);
    _store->setBoolValue(QStringLiteral("b"), true);
    _store->setFloatValue(QStringLiteral("f"), 0.25);
    _store->setStringValue(QStringLiteral("s"), QString::fromUtf8("a, \xc3\xa9"));
    other.setIntValue(QStringLiteral("n"), 11);

    EXPECT_EQ(stored(QStringLiteral("n")).toInt(), -3);
    EXPECT_EQ(stored(QStringLiteral("b")).toString(), QStringLiteral("true"));
    EXPECT_EQ(other.getIntValue(QStringLiteral("n")), 11);

    DzAppSettings reopened(kPath);
    EXPECT_EQ(reopened.getIntValue(QStringLiteral("n")), -3);
    EXPECT_TRUE(reopened.getBoolValue(QStringLiteral("b")));
    EXPECT_DOUBLE_EQ(reopened.getFloatValue(QStringLiteral("f")), 0.25);
    EXPECT_EQ(reopened.getStringValue(QStringLiteral("s")), QString::fromUtf8("a, \xc3\xa9"));

    EXPECT_TRUE(reopened.removeValue(QStringLiteral("n")));
    EXPECT_EQ(_store->getIntValue(QStringLiteral("n"), 5), 5);
    EXPECT_EQ(other.getIntValue(QStringLiteral("n")), 11);
}

TEST_F(AppSettingsTest, FreshKeysReadDefaultsAndAssignedValuesComeBackInTheNextRun)
{
    {
        BoolAppSetting flag(_store.get(), "chkFlag", true);
        FlagAppSetting<Kind> kinds(_store.get(), "kinds", FlagSet<Kind>(6));
        StringAppSetting path(_store.get(), "path", "Morphs/Kelvaro");
        StringAppSetting emptied(_store.get(), "emptied", "Morphs/Kelvaro");
        FlagAppSetting<Kind> none(_store.get(), "none", FlagSet<Kind>(6));
        EXPECT_TRUE(flag.value());
        EXPECT_EQ(kinds.value().mask(), 6u);
        EXPECT_EQ(path.value(), "Morphs/Kelvaro");
        EXPECT_FALSE(QFile::exists(_app->settingsFilePath()) && stored("chkFlag").isValid());

        EXPECT_TRUE(flag.assign(false));
        EXPECT_TRUE(kinds.assign(FlagSet<Kind>(Kind::Full)));
        EXPECT_TRUE(path.assign("Morphs/\xc3\xa9t\xc3\xa9"));
        EXPECT_TRUE(emptied.assign(""));
        EXPECT_TRUE(none.assign(FlagSet<Kind>()));
        EXPECT_EQ(emptied.value(), "");  // this run still holds what was assigned
    }
    EXPECT_EQ(stored(QStringLiteral("chkFlag")).toString(), QStringLiteral("false"));
    EXPECT_EQ(stored(QStringLiteral("kinds")).toInt(), 1);

    DzAppSettings nextRun(kPath);
    EXPECT_FALSE(BoolAppSetting(&nextRun, "chkFlag", true).value());
    const FlagSet<Kind> kinds = FlagAppSetting<Kind>(&nextRun, "kinds", FlagSet<Kind>(6)).value();
    EXPECT_TRUE(kinds.has(Kind::Full));
    EXPECT_FALSE(kinds.has(Kind::Head));
    EXPECT_EQ(StringAppSetting(&nextRun, "path", "Morphs/Kelvaro").value(), "Morphs/\xc3\xa9t\xc3\xa9");
    // An empty text reads as the default; an empty mask stays empty.
    EXPECT_EQ(StringAppSetting(&nextRun, "emptied", "Morphs/Kelvaro").value(), "Morphs/Kelvaro");
    EXPECT_TRUE(FlagAppSetting<Kind>(&nextRun, "none", FlagSet<Kind>(6)).value().empty());
}

TEST_F(AppSettingsTest, ValueIsLoadedOnFirstUseOnly)
{
    BoolAppSetting flag(_store.get(), "chkFlag", false);
    _store->setBoolValue(QStringLiteral("chkFlag"), true);  // before first use: seen
    EXPECT_TRUE(flag.value());
    _store->setBoolValue(QStringLiteral("chkFlag"), false);  // after: the setting keeps its copy
    EXPECT_TRUE(flag.value());
}

TEST(FloatPropertySettings, ClampsWithoutTouchingTheProperty)
{
    DzFloatProperty property(QStringLiteral("body_bs_ProportionHeight"), false, 0.0f);
    property.setMinMax(-1.0f, 1.0f);
    property.setValue(0.25f);
    FloatPropertySetting setting(&property);
    EXPECT_EQ(setting.value(), 0.25f);
    EXPECT_EQ(setting.defaultValue(), 0.0f);
    EXPECT_EQ(setting.minimum(), -1.0f);
    EXPECT_EQ(setting.maximum(), 1.0f);

    int cChanges = 0;
    setting.addListener([&] { ++cChanges; });
    EXPECT_TRUE(setting.assign(5.0f));
    EXPECT_EQ(setting.value(), 1.0f);
    EXPECT_FALSE(setting.assign(1.0f));
    EXPECT_TRUE(setting.assign(-5.0f));
    EXPECT_EQ(setting.value(), -1.0f);
    EXPECT_EQ(cChanges, 2);
    EXPECT_EQ(setting.original(), 0.25f);
    EXPECT_EQ(property.getValue(), 0.25f);

    EXPECT_TRUE(setting.assign(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_TRUE(std::isnan(setting.value()));
}
