#include <gtest/gtest.h>

#include <QGroupBox>
#include <QRadioButton>
#include <memory>

#include "dlg_fixture.h"
#include "dzappsettings.h"
#include "dzintproperty.h"
#include "kvr_dlg_convert-figure.h"
#include "tv_daz-helpers-scene.h"

// The Convert dialog under host set-ups other than the test default.
namespace {

DzAppOptions optionsWith(bool bHdMorphs)
{
    DzAppOptions options = TestApp::defaultOptions();
    options.hdMorphs = bHdMorphs;
    return options;
}

std::unique_ptr<KvrConvertDialog> openOn(DialogScene& scene, DzAppSettings& settings)
{
    return std::make_unique<KvrConvertDialog>(nullptr, scene.pParams, 2, "G9 morph", &settings);
}

QRadioButton* radio(QWidget& dialog, const char* name)
{
    return dialog.findChild<QRadioButton*>(QString::fromLatin1(name));
}

TEST(ConvertDialogResolution, WithoutHdMorphSupportTheGroupIsHiddenAndTakesNoRoom)
{
    int iHiddenMinimum = 0;
    {
        DialogScene scene(optionsWith(false));
        DzAppSettings settings(QStringLiteral("Tavrenik's Kelvaro"));
        auto pDialog = openOn(scene, settings);
        pDialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(pDialog.get()));
        EXPECT_FALSE(pDialog->findChild<QGroupBox*>(QStringLiteral("pgrpResolution"))->isVisible());
        EXPECT_FALSE(radio(*pDialog, "pRadioResolutionSubd")->isVisibleTo(pDialog.get()));
        int iLevel = -1;
        EXPECT_EQ(pDialog->resolution(&iLevel), KvrResolution::Base);
        EXPECT_EQ(iLevel, 0);
        iHiddenMinimum = pDialog->minimumHeight();
    }
    // The same figures with the support present: the group takes room of its own.
    DialogScene scene(optionsWith(true));
    DzAppSettings settings(QStringLiteral("Tavrenik's Kelvaro"));
    EXPECT_GT(openOn(scene, settings)->minimumHeight(), iHiddenMinimum);
}

TEST(ConvertDialogResolution, AHighResolutionSourceOffersItsLevelAndStartsAtSubd)
{
    DialogScene scene(optionsWith(true));
    ASSERT_TRUE(tav::daz::SetNodeResolution(scene.pSource, tav::daz::NodeResolution::HighResolution, true));
    tav::daz::GetSubdivisionLevelProperty(scene.pSource, true)->setValue(2);
    DzAppSettings settings(QStringLiteral("Tavrenik's Kelvaro"));
    auto pDialog = openOn(scene, settings);
    showActive(*pDialog);

    QRadioButton* pSubd = radio(*pDialog, "pRadioResolutionSubd");
    EXPECT_TRUE(pSubd->isVisible());
    EXPECT_EQ(pSubd->text(), QStringLiteral("High resolution (subd 2)"));
    EXPECT_TRUE(pSubd->isChecked());
    EXPECT_TRUE(pSubd->toolTip().contains(QString::fromUtf8("The \u201csubd\u201d value")));
    int iLevel = -1;
    EXPECT_EQ(pDialog->resolution(&iLevel), KvrResolution::Subd);
    EXPECT_EQ(iLevel, 2);

    clickIndicator(radio(*pDialog, "pRadioResolutionBase"));
    EXPECT_EQ(pDialog->resolution(&iLevel), KvrResolution::Base);
    EXPECT_EQ(iLevel, 0);
}

} // namespace
