#include <gtest/gtest.h>

#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dzobject.h"
#include "test_content_support.h"
#include "test_geometry_fixtures.h"

using namespace testcontent;

namespace {

QList<SeenDialog> openAnswering(const QString& relativePath, const QString& press, bool* ok)
{
    DialogAnswerer answerer(press);
    *ok = contentMgr()->openFile(contentMgr()->getAbsolutePath(relativePath), true);
    return answerer.seen();
}

float proportionHeight()
{
    return testgeo::morphOf(figureLabelled("Genesis 9"), "body_bs_ProportionHeight")->getValueControl()->getValue();
}

} // namespace

TEST(ContentDialogs, EachProblemFileShowsItsOwnDialogAndOrdinaryFilesNone)
{
    struct Case {
        const char* file;
        bool ok;
        const char* title;  // empty: no dialog
        const char* objectName;
        QStringList labels;  // of the root nodes afterwards
    };
    const Case cases[] = {
        {"Tests/Missing Assets.duf", true, "Missing Files", "MissingAssetsDialog", {"Sphere"}},
        {"Tests/Unreadable File.duf", false, "Error opening file", "", {}},
        {"Tests/Duplicate Formulas.duf", true, "Duplicate Formulas Found", "", {}},
        {"Scenes/Sample Conversion.duf", true, "", "", {"Genesis 8.1 Female", "Genesis 9"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        TestApp app;
        bool ok = !c.ok;
        const auto seen = openAnswering(c.file, {}, &ok);
        EXPECT_EQ(ok, c.ok);
        EXPECT_EQ(rootLabels(), c.labels);
        ASSERT_EQ(seen.size(), *c.title ? 1 : 0);
        if (*c.title) {
            EXPECT_EQ(seen[0].title, c.title);
            EXPECT_TRUE(!*c.objectName || seen[0].objectName == c.objectName);
        }
    }
}

TEST(ContentDialogs, PresetBeyondLimitsAsksWithTwoButtonsAndHonoursTheAnswer)
{
    TestApp app;
    ASSERT_TRUE(loadGenesis9());
    bool ok = false;
    auto seen = openAnswering("Tests/Preset Exceeds Limits.duf", "Keep Limits", &ok);
    EXPECT_TRUE(ok);
    ASSERT_EQ(seen.size(), 1);
    EXPECT_EQ(seen[0].title, "Preset Exceeds Limits");
    EXPECT_EQ(seen[0].buttons.size(), 2);
    EXPECT_FLOAT_EQ(proportionHeight(), 1.0f);

    seen = openAnswering("Tests/Preset Exceeds Limits.duf", "Ignore Limits", &ok);
    EXPECT_TRUE(ok);
    EXPECT_FLOAT_EQ(proportionHeight(), 3.0f);
}
