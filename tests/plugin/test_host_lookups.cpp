#include <gtest/gtest.h>

#include <functional>

#include "dzaction.h"
#include "test_app.h"
#include "test_scene_access_scene.h"
#include "tv_daz-helpers-app.h"
#include "tv_daz-helpers-assets.h"

using scene_access::messageOf;

namespace {

// A lookup of a host service, required or not, and what a required one says when it misses.
struct Lookup {
    const char* pcszWhat;
    std::function<const void*(bool)> find;
    const char* pcszMissing;
};

const Lookup aLookups[] = {
    {"main window", [](bool b) -> const void* { return tav::daz::GetMainWindow(b); },
     "failed to get Daz Studio main window"},
    {"action manager", [](bool b) -> const void* { return tav::daz::GetActionMgr(b); },
     "failed to get Daz Studio action manager"},
    {"pane manager", [](bool b) -> const void* { return tav::daz::GetPaneMgr(b); },
     "failed to get Daz Studio pane manager"},
    // Without a main window it is the action manager that is missing.
    {"delete action", [](bool b) -> const void* { return tav::daz::FindAction("DzDeleteAction", b); },
     "failed to get Daz Studio action manager"},
};

} // namespace

TEST(HostLookups, WithoutAHostTheManagersItAlwaysHasAreNamed)
{
    ASSERT_EQ(dzApp, nullptr);
    EXPECT_EQ(messageOf([] { tav::daz::GetContentMgr(); }), "failed to get Daz Studio content manager");
    EXPECT_EQ(messageOf([] { tav::daz::AssetSaver saver("DzAssetIOFilter"); }),
              "failed to get Daz Studio asset IO manager");
    for (const Lookup& lookup : aLookups)
        EXPECT_EQ(lookup.find(false), nullptr) << lookup.pcszWhat;
}

// Once started, the host has every service (every command test finds them) but not an
// unknown action.
TEST(HostLookups, WithoutAMainWindowARequiredLookupNamesWhatIsMissingAndAnOptionalOneGivesNull)
{
    TestApp app;
    for (const Lookup& lookup : aLookups) {
        EXPECT_EQ(messageOf([&] { lookup.find(true); }), lookup.pcszMissing) << lookup.pcszWhat;
        EXPECT_EQ(lookup.find(false), nullptr) << lookup.pcszWhat;
    }
    EXPECT_NE(tav::daz::GetContentMgr(), nullptr);

    app->startup();
    EXPECT_EQ(messageOf([] { tav::daz::FindAction("NoSuchAction", true); }),
              "failed to get Daz Studio action NoSuchAction");
    EXPECT_EQ(messageOf([] { tav::daz::TriggerAction("NoSuchAction"); }),
              "failed to get Daz Studio action NoSuchAction");
    EXPECT_EQ(tav::daz::FindAction("NoSuchAction", false), nullptr);
}
