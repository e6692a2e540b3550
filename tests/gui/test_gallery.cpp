#include <gtest/gtest.h>

#include <QDir>
#include <QTest>

#include "dlg_fixture.h"
#include "qt_wait.h"
#include "dzappsettings.h"
#include "dzfloatproperty.h"
#include "dznode.h"
#include "kvr_dlg_convert-figure.h"
#include "kvr_dlg_success.h"
#include "test_app.h"
#include "tv_dlg_action-box.h"
#include "tv_ctl_slider.h"
#include "tv_dlg_morph-path.h"
#include "tv_gui.h"
#include "tv_gui_button.h"

#include <QHBoxLayout>
#include <QLabel>
#include <memory>

// Screenshots for a person to check the look; they land in the build's screenshots folder.
namespace {

QString screenshotPath(const char* name)
{
    const QString dir = QStringLiteral(KVR_BUILD_DIR "/screenshots");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + QLatin1String(name);
}

void saveShot(QWidget& widget, const char* name)
{
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    QCoreApplication::sendPostedEvents();  // pending layouts settle before the grab
    const QPixmap shot = widget.grab();
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(screenshotPath(name)));
}

TEST(Gallery, MorphPathDialog)
{
    TestApp app;
    DzNode node;
    for (const char* path : {"Morphs/Head/Eyes", "Morphs/Head/Mouth", "Morphs/Body", "Morphs/Converted",
                             "Actor/People/Feminine"}) {
        auto* pProperty = new DzFloatProperty(QString::fromLatin1(path).replace(QLatin1Char('/'), QLatin1Char('_')));
        pProperty->setPath(QString::fromLatin1(path));
        node.addProperty(pProperty);
    }
    tav::MorphPathDialog dialog(nullptr, &node, "/Morphs/Head/Eyes", nullptr);
    saveShot(dialog, "morph-path-dialog.png");
}

TEST(Gallery, ActionBox)
{
    tav::ActionBoxDialog box(nullptr, tav::ActionBoxQuestion, "Step 3 of 19",
                             "The next step loads the stock Genesis 9 figure. Do you want to go on?",
                             "Continue", tav::ActionIsDefault);
    saveShot(box, "action-box.png");
}

TEST(Gallery, DialWithPresetButtons)
{
    DzFloatProperty property(QStringLiteral("Height"));
    property.setMinMax(-1.0f, 1.0f);
    property.setValue(0.35f);
    auto pSetting = std::make_shared<tav::FloatPropertySetting>(&property);
    QWidget row;
    auto* phorz = new QHBoxLayout(&row);
    auto* plbl = new QLabel(QStringLiteral("Proportion height"));
    phorz->addWidget(plbl);
    auto pController = std::make_shared<tav::FloatSliderController>(
        phorz, plbl, pSetting.get(), "", tav::SliderTextEditable | tav::SliderDisplayAsPercent, nullptr);
    const tav::HostColours colours = tav::readHostColours();
    tav::ButtonHandlerList handlers(&colours);
    tav::addPresetButtons(handlers, phorz, "Proportion height", pSetting, pController);
    row.resize(480, 40);
    saveShot(row, "dial-with-presets.png");
}

void shootConvertDialog(bool bHdMorphs, const char* name)
{
    DzAppOptions options = TestApp::defaultOptions();
    options.hdMorphs = bHdMorphs;
    DialogScene scene(options);
    ASSERT_TRUE(scene.pParams);
    DzAppSettings settings(QStringLiteral("Tavrenik's Kelvaro"));
    KvrConvertDialog dialog(nullptr, scene.pParams, 4, "Genesis 8.1 Female converted to G9", &settings);
    dialog.show();
    // As the user first sees it: with the height already fitted.
    ASSERT_EVENTUALLY(scene.pParams->pprpProportionHeight->getValue() != scene.pParams->psetProportionHeight->original());
    saveShot(dialog, name);
}

TEST(Gallery, ConvertDialog)
{
    shootConvertDialog(true, "convert-dialog.png");
}

TEST(Gallery, ConvertDialogWithoutHdMorphs)
{
    shootConvertDialog(false, "convert-dialog-base-only.png");
}

TEST(Gallery, SuccessDialog)
{
    DzAppOptions options = TestApp::defaultOptions();
    options.authorName = QStringLiteral("Tavrenik");
    DialogScene scene(options);
    ASSERT_TRUE(scene.pParams);
    KvrMorphReports reports;
    for (const char* name : {"Genesis 8.1 Female converted to G9", "Genesis 8.1 Female converted to G9 Head",
                             "Genesis 8.1 Female converted to G9 Body"}) {
        auto* pMorph = new DzMorph(QString::fromUtf8(name));
        scene.pTarget->getObject()->addModifier(pMorph);
        reports.push_back({KvrMorphKind::FullFigure, name, pMorph->getValueControl()});
    }
    reports[0].pProperty->setValue(1.0f);
    new KvrSuccessDialog(nullptr, scene.pParams, reports, "1 minute 2 seconds",
                         "<p><b>Note:</b> The following morphs had non-zero values in the source figure "
                         "but could not be found in the target figure created by the Transfer Utility:</p>"
                         "<ul><li>head_ctrl_NoseSize (100.0%)</li></ul>");
    QWidget* pDialog = findTopLevel(QStringLiteral("SuccessDialog"));
    ASSERT_NE(pDialog, nullptr);
    saveShot(*pDialog, "success-dialog.png");
    delete pDialog;
}

} // namespace
