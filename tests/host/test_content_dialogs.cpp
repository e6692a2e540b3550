#include <gtest/gtest.h>

#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dzobject.h"
#include "test_content_support.h"

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
    return qobject_cast<DzMorph*>(figureLabelled("Genesis 9")->getObject()->findModifier("body_bs_ProportionHeight"))
        ->getValueControl()
        ->getValue();
}

} // namespace

TEST(ContentDialogs, MissingAssetsShowTheMissingFilesDialogAndLoadTheRest)
{
    TestApp app;
    bool ok = false;
    const auto seen = openAnswering("Tests/Missing Assets.duf", {}, &ok);
    EXPECT_TRUE(ok);
    ASSERT_EQ(seen.size(), 1);
    EXPECT_EQ(seen[0].title, "Missing Files");
    EXPECT_EQ(seen[0].objectName, "MissingAssetsDialog");
    EXPECT_NE(dzScene->findNodeByLabel("Sphere"), nullptr);
    EXPECT_EQ(dzScene->findNodeByLabel("Ghost"), nullptr);
}

TEST(ContentDialogs, UnreadableFileShowsErrorOpeningFileAndFails)
{
    TestApp app;
    bool ok = true;
    const auto seen = openAnswering("Tests/Unreadable File.duf", {}, &ok);
    EXPECT_FALSE(ok);
    ASSERT_EQ(seen.size(), 1);
    EXPECT_EQ(seen[0].title, "Error opening file");
    EXPECT_EQ(dzScene->getNumNodes(), 0);
}

TEST(ContentDialogs, PresetBeyondLimitsAsksWithTwoButtonsAndHonoursTheAnswer)
{
    TestApp app;
    ASSERT_TRUE(openStock("People/Genesis 9/Genesis 9.duf"));
    dzScene->setPrimarySelection(figureLabelled("Genesis 9"));
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

TEST(ContentDialogs, DuplicateFormulasAreReported)
{
    TestApp app;
    bool ok = false;
    const auto seen = openAnswering("Tests/Duplicate Formulas.duf", {}, &ok);
    EXPECT_TRUE(ok);
    ASSERT_EQ(seen.size(), 1);
    EXPECT_EQ(seen[0].title, "Duplicate Formulas Found");
}

TEST(ContentDialogs, OrdinaryFiguresOpenNoDialog)
{
    TestApp app;
    bool ok = false;
    EXPECT_TRUE(openAnswering("Scenes/Sample Conversion.duf", {}, &ok).isEmpty());
    EXPECT_TRUE(ok);
}
