#include <QScriptEngine>
#include <QSignalSpy>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "dzfloatproperty.h"
#include "dzmainwindow.h"
#include "dzpanemgr.h"
#include "dzparameterspane.h"
#include "dzscene.h"
#include "test_app.h"
#include "test_scene_access_scene.h"
#include "tv_daz-helpers-params.h"
#include "tv_exception.h"

// Without a main window the jump names what is missing; with one it shows the pane with the
// property selected, and scripts find the pane and jump as well.
TEST(JumpToProperty, ShowsThePaneWithThePropertySelected)
{
    TestApp app;
    DzFigure* other = scene_access::addFigure("Other", "Other");
    scene_access::addMorph(other, "Smile")->getValueControl()->setPath("Actor/Face");
    DzFigure* target = scene_access::addFigure();
    DzFloatProperty* property = scene_access::addMorph(target, "KvrShape")->getValueControl();
    property->setPath("Morphs/Kelvaro/Converted");
    EXPECT_EQ(scene_access::messageOf([&] { tav::daz::JumpToProperty(property); }),
              "failed to get Daz Studio pane manager");

    app->startup();
    dzScene->setPrimarySelection(other);
    DzPaneMgr* paneMgr = app->getInterface()->getPaneMgr();
    auto* pane = qobject_cast<DzParametersPane*>(paneMgr->findPane("DzParametersPane"));
    ASSERT_NE(pane, nullptr);
    QSignalSpy shown(paneMgr, &DzPaneMgr::paneShown);
    tav::daz::JumpToProperty(property);

    EXPECT_EQ(shown.count(), 1);
    EXPECT_EQ(dzScene->getPrimarySelection(), target);
    EXPECT_EQ(dzScene->getNumSelectedNodes(), 1);
    EXPECT_EQ(pane->getNode(), target);
    EXPECT_EQ(pane->getCurrentGroupPath(), "Morphs/Kelvaro/Converted");
    EXPECT_EQ(pane->getHighlightedProperty(), property);
    ASSERT_NE(pane->dialFor(property), nullptr);
    QTreeWidgetItem* current = pane->groupTree()->currentItem();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->text(0), "Converted");
    EXPECT_TRUE(current->parent() && current->parent()->isExpanded());

    QScriptEngine* engine = app->scriptEngine();
    const QScriptValue result = engine->evaluate(
        "var pane = MainWindow.getPaneMgr().findPane('DzParametersPane');"
        "var morph = Scene.findNodeByLabel('Other').getObject().findModifier('Smile');"
        "pane.jumpToProperty(morph.getValueControl());"
        "pane.getLabel() + ':' + pane.getCurrentGroupPath();");
    ASSERT_FALSE(engine->hasUncaughtException()) << engine->uncaughtException().toString().toStdString();
    EXPECT_EQ(result.toString(), "Parameters:Actor/Face");
    EXPECT_EQ(dzScene->getPrimarySelection(), other);
}
