#include <gtest/gtest.h>

#include <QDir>
#include <QTest>

#include "dlg_fixture.h"
#include "gui_test_helpers.h"
#include "qt_wait.h"
#include "dzappsettings.h"
#include "dzfloatproperty.h"
#include "dznode.h"
#include "kvr_actions.h"
#include "kvr_dlg_convert-figure.h"
#include "kvr_dlg_success.h"
#include "test_app.h"
#include "tv_dlg_action-box.h"
#include "tv_ctl_slider.h"
#include "tv_dlg_morph-path.h"
#include "tv_gui.h"
#include "tv_gui_button.h"

#include <QHBoxLayout>
#include <QPushButton>
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

// The Convert dialog as first seen, with the height already fitted, on separate figures.
void shootConvertDialog(bool bHdMorphs, const char* name)
{
    DzAppOptions options = TestApp::defaultOptions();
    options.hdMorphs = bHdMorphs;
    DialogScene scene(options);
    ASSERT_TRUE(scene.pParams);
    DzAppSettings settings(QStringLiteral("Tavrenik's Kelvaro"));
    KvrConvertDialog dialog(nullptr, scene.pParams, 4, "Genesis 8.1 Female converted to G9", &settings);
    dialog.show();
    ASSERT_EVENTUALLY(scene.pParams->pprpProportionHeight->getValue() != scene.pParams->psetProportionHeight->original());
    saveShot(dialog, name);
}

TEST(Gallery, ConvertDialogWithoutHdMorphs)
{
    shootConvertDialog(false, "convert-dialog-base-only.png");
}

// Both dialogs of a real conversion of the sample scene from the convert action, the full
// figure morph asked for besides the head and body morphs.
TEST(Gallery, ConvertAndSuccessDialogsOfARealConversion)
{
    DzAppOptions options = TestApp::defaultOptions();
    options.authorName = QStringLiteral("Tavrenik");
    TestApp app(options);
    app->startup();
    DzContentMgr* pContent = app->getContentMgr();
    ASSERT_TRUE(pContent->openFile(pContent->getAbsolutePath("Scenes/Sample Conversion.duf"), false));
    DzFigure* pTarget = qobject_cast<DzFigure*>(dzScene->findNodeByLabel("Genesis 9"));
    const float fHeight = DialogScene::morphProperty(pTarget, "body_bs_ProportionHeight")->getValue();
    dzScene->selectAllNodes(false);
    dzScene->findNodeByLabel("Genesis 8.1 Female")->select(true);
    pTarget->select(true);

    ModalAnswerer<KvrConvertDialog> answerer([&](KvrConvertDialog& dialog) {
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return DialogScene::morphProperty(pTarget, "body_bs_ProportionHeight")->getValue() != fHeight;
        }));
        dialog.findChild<QCheckBox*>("pchkCreateFullFigureMorph")->setChecked(true);
        saveShot(dialog, "convert-dialog.png");
        dialog.findChild<QPushButton*>("pbtnConvert")->click();
    });
    KvrConvertFigureAction action;
    action.trigger();
    ASSERT_EQ(answerer.count(), 1);

    QWidget* pDialog = findTopLevel(QStringLiteral("SuccessDialog"));
    ASSERT_NE(pDialog, nullptr);
    saveShot(*pDialog, "success-dialog.png");
    delete pDialog;
}

} // namespace
