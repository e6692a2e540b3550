#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QScriptEngine>

#include "dzaction.h"
#include "dzactionmgr.h"
#include "dzclassfactory.h"
#include "../../host/src/gui/dzfilemenu.h"
#include "dzmainwindow.h"
#include "dzplugin.h"
#include "dzpluginmgr.h"
#include "test_app.h"

namespace {

class CountingAction : public DzAction {
    Q_OBJECT
public:
    enum Mode { Quiet = 0, Loud = 7 };
    Q_ENUM(Mode)

    CountingAction() : DzAction("Count the &things...", "Counts things") {}
    QString getDefaultMenuPath() const override { return "Co&nvert"; }
};

class NestedAction : public DzAction {
    Q_OBJECT
public:
    NestedAction() : DzAction("Nested") {}
    QString getDefaultMenuPath() const override { return "&Tools/Deep/&Deeper"; }
};

class SecondConvertAction : public DzAction {
    Q_OBJECT
public:
    SecondConvertAction() : DzAction("Second") {}
    // Same menu, other mnemonic position: still the same menu.
    QString getDefaultMenuPath() const override { return "Conver&t"; }
};

class NotAnAction : public QObject {
    Q_OBJECT
};

DzTClassFactory<CountingAction> countingFactory(DzGuid::fromString("{6a1b8a52-3a44-4f0e-9a6b-0c7ef3b4a001}"));
DzTClassFactory<NestedAction> nestedFactory(DzGuid::fromString("{6a1b8a52-3a44-4f0e-9a6b-0c7ef3b4a002}"));
DzTClassFactory<SecondConvertAction> secondFactory(DzGuid::fromString("{6a1b8a52-3a44-4f0e-9a6b-0c7ef3b4a003}"));
DzTClassFactory<NotAnAction> plainFactory(DzGuid::fromString("{6a1b8a52-3a44-4f0e-9a6b-0c7ef3b4a004}"));

DzVersion sdk() { return DzVersion(4, 5, 0, 100); }
DzPlugin* definition()
{
    static DzPlugin* plugin = [] {
        auto* p = new DzPlugin("Action probes");
        p->addClassFactory(&countingFactory);
        p->addClassFactory(&nestedFactory);
        p->addClassFactory(&secondFactory);
        p->addClassFactory(&plainFactory);
        return p;
    }();
    return plugin;
}

// An application started with the probe plug-in, as the studio starts with its plug-ins.
struct StartedApp : TestApp {
    StartedApp()
    {
        app()->getPluginMgr()->registerPlugin("/p/probes.so", sdk, definition);
        app()->startup();
    }
    DzMainWindow* window() const { return app()->getInterface(); }
};

} // namespace

TEST(Actions, StartupCreatesOneActionPerActionFactoryInItsMenu)
{
    StartedApp app;
    DzActionMgr* mgr = app.window()->getActionMgr();
    // The three test factories, plus the host's own delete action.
    ASSERT_EQ(mgr->getNumActions(), 4);
    ASSERT_NE(mgr->findAction("DzDeleteAction"), nullptr);
    DzAction* counting = mgr->findAction("CountingAction");
    ASSERT_NE(counting, nullptr);
    EXPECT_EQ(mgr->findAction("NotAnAction"), nullptr);
    EXPECT_EQ(mgr->findAction("DzAction"), nullptr);

    QMenu* convert = app.window()->findMenu("Convert");
    ASSERT_NE(convert, nullptr);
    EXPECT_EQ(app.window()->findMenu("Conver&t"), convert);
    ASSERT_EQ(convert->actions().size(), 2);
    EXPECT_EQ(convert->actions()[0], counting);
    EXPECT_EQ(convert->actions()[1], mgr->findAction("SecondConvertAction"));

    QMenu* deeper = app.window()->findMenu("Tools/Deep/Deeper");
    ASSERT_NE(deeper, nullptr);
    EXPECT_EQ(deeper->actions().value(0), mgr->findAction("NestedAction"));
}

// Menus made later still stand in the host's order: File first, the plug-ins' menus before
// Window and Help.
TEST(Actions, MenusKeepTheHostsOrderWhenMadeLater)
{
    StartedApp app;
    QMenu* help = app.window()->menuFor("&Help");
    QMenu* file = app.window()->menuFor("&File");
    EXPECT_NE(qobject_cast<DzFileMenu*>(file), nullptr) << "the host's own File menu";
    app.window()->menuFor("Window");
    app.window()->menuFor("Another Plug-in");
    EXPECT_EQ(app.window()->menuFor("File"), file);
    EXPECT_EQ(app.window()->findMenu("Help"), help);
    QStringList titles;
    for (QAction* action : app.window()->menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, QStringList({"&File", "&Edit", "&Tools", "Co&nvert", "Another Plug-in", "Window", "&Help"}));
}

// An action's enumerations reach scripts on its class and its instances, and any factory's
// class can be made, action or not.
TEST(Actions, ScriptsSeeAnActionsEnumerationsAndEveryFactorysClass)
{
    StartedApp app;
    QScriptEngine* engine = app->scriptEngine();
    const QScriptValue result = engine->evaluate(
        "var made = new CountingAction();"
        "[CountingAction.Loud, made.Loud, typeof NotAnAction].join('|');");
    ASSERT_FALSE(engine->hasUncaughtException()) << result.toString().toStdString();
    EXPECT_EQ(result.toString(), "7|7|function");
}

#include "test_app_actions.moc"
