#include <gtest/gtest.h>

#include <QMetaMethod>
#include <QScriptEngine>

#include <QProgressBar>
#include <QPushButton>

#include "dzapp.h"
#include "dzmainwindow.h"
#include "dznode.h"
#include "dzscene.h"
#include "../../host/src/script/dzscriptsetup.h"
#include "test_app.h"
#include "test_files.h"
#include "test_geometry_fixtures.h"

using testgeo::addSceneNode;

namespace {

QString writeScript(const QString& folder, const QString& text)
{
    const QString path = folder + "/script.js";
    writeFile(path, text.toUtf8());
    return path;
}

} // namespace

// The globals reach the application and its scene, node pointers cross between script and
// slots both ways, and print writes one line to standard output.
TEST(Script, GlobalsReachTheApplicationAndItsScene)
{
    TestApp app;
    DzNode* first = addSceneNode("First");
    DzNode* second = addSceneNode("Second");
    QScriptEngine* engine = app->scriptEngine();
    testing::internal::CaptureStdout();
    const QScriptValue result = engine->evaluate(
        "App.log('from a script'); print('a', 1, true); print();"
        "var n = Scene.findNodeByLabel('Second');"
        "Scene.setPrimarySelection(n);"
        "[typeof App.getContentMgr, Scene.getNumNodes(), MainWindow === null, n.getLabel(),"
        " Scene.findNodeIndex(n), Scene.getPrimarySelection().getLabel(),"
        " Scene.findNodeByLabel('Missing') === null].join('|');");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "a 1 true\n\n");
    ASSERT_FALSE(engine->hasUncaughtException()) << result.toString().toStdString();
    EXPECT_EQ(result.toString(), "function|2|true|Second|1|Second|true");
    EXPECT_EQ(app.logLinesContaining("from a script").value(0), "from a script");
    EXPECT_EQ(dzScene->getPrimarySelection(), second);
    EXPECT_FALSE(first->isSelected());

    app->startup();
    EXPECT_TRUE(engine->evaluate("MainWindow.getActionMgr().getNumActions() >= 0").toBool());
}

// The progress functions: nested progresses, the latest acting in the bar, the window's Cancel
// reaching a cancellable one, and the script's mistakes as errors.
TEST(Script, ProgressFunctionsNestAndReachTheWindow)
{
    TestApp app;
    app->startup();
    QScriptEngine* engine = app->scriptEngine();
    DzMainWindow* window = app->getInterface();
    testing::internal::CaptureStderr();
    const QScriptValue started = engine->evaluate(
        "startProgress('Outer', 4); stepProgress();"
        "startProgress('Inner', 3, true); stepProgress(2); setProgressInfo('Inner, renamed');"
        "progressIsCancelled();");
    ASSERT_FALSE(engine->hasUncaughtException()) << started.toString().toStdString();
    EXPECT_FALSE(started.toBool());
    EXPECT_TRUE(window->cancelButton()->isVisibleTo(window));
    EXPECT_TRUE(window->progressBar()->format().startsWith("Inner, renamed"));
    EXPECT_TRUE(window->progressBar()->isVisibleTo(window));
    EXPECT_EQ(window->progressBar()->maximum(), 3);
    EXPECT_EQ(window->progressBar()->value(), 2);
    window->cancelButton()->click();
    EXPECT_TRUE(engine->evaluate("var c = progressIsCancelled(); finishProgress(); c;").toBool());
    EXPECT_FALSE(window->cancelButton()->isVisibleTo(window));
    // Steps past the end stop at the last.
    EXPECT_EQ(engine->evaluate("stepProgress(100); progressIsCancelled();").toBool(), false);
    EXPECT_EQ(window->progressBar()->value(), 4);
    EXPECT_TRUE(window->isWorking());
    engine->evaluate("finishProgress();");
    EXPECT_FALSE(window->isWorking());
    // A finished progress leaves the bar idle, out of sight.
    EXPECT_EQ(window->progressBar()->value(), 0);
    EXPECT_FALSE(window->progressBar()->isVisibleTo(window));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "[1/4] Outer\n[2/4] Outer\n[1/3] Inner\n[3/3] Inner\n[4/4] Outer\n");

    for (const char* mistake : {"finishProgress();", "startProgress('No steps');"}) {
        engine->evaluate(mistake);
        EXPECT_TRUE(engine->hasUncaughtException()) << mistake;
        engine->clearExceptions();
    }
}

TEST(Script, FileErrorsNameFileAndLine)
{
    TestApp app;
    const QString path = writeScript(app.home(), "var a = 1;\n\nundefinedFunction();\n");
    QString error;
    EXPECT_FALSE(app->evaluateScriptFile(path, &error));
    EXPECT_TRUE(error.startsWith(path + ":3: ")) << error.toStdString();
    EXPECT_TRUE(error.contains("undefinedFunction")) << error.toStdString();

    // The engine stays usable after a failed script.
    const QString good = writeScript(app.home(), "App.log('after');\n");
    EXPECT_TRUE(app->evaluateScriptFile(good, &error));
    EXPECT_EQ(app.logLinesContaining("after").size(), 1);

    EXPECT_FALSE(app->evaluateScriptFile(app.home() + "/missing.js", &error));
    EXPECT_TRUE(error.contains("missing.js"));
}

// A script can call a host method only when every type in its signature is known; a type that
// is not (a typedef, a tool's enumeration) makes the call fail with "unknown return type".
TEST(Script, EveryTypeInAScriptableHostMethodIsKnown)
{
    TestApp app;
    app->startup();
    app->scriptEngine();
    QStringList unknown;
    for (const QMetaObject* pMeta : dzScriptableHostClasses()) {
        for (int i = pMeta->methodOffset(); i < pMeta->methodCount(); ++i) {
            const QMetaMethod method = pMeta->method(i);
            if (method.access() != QMetaMethod::Public || method.methodType() == QMetaMethod::Signal)
                continue;
            QList<QByteArray> types = method.parameterTypes();
            types << method.typeName();
            for (QByteArray type : types) {
                // The engine passes a T* where a const T* is asked for.
                if (type.startsWith("const ") && type.endsWith('*'))
                    type = type.mid(6);
                if (type != "void" && QMetaType::type(type.constData()) == QMetaType::UnknownType)
                    unknown << QString("%1::%2: %3").arg(pMeta->className(), method.methodSignature(), type);
            }
        }
    }
    EXPECT_TRUE(unknown.isEmpty()) << unknown.join("\n").toStdString();
}
