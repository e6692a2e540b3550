#include <gtest/gtest.h>

#include <QMetaMethod>
#include <QScriptEngine>

#include "dzapp.h"
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

TEST(Script, GlobalsReachTheApplicationAndItsScene)
{
    TestApp app;
    addSceneNode("Genesis 9");
    QScriptEngine* engine = app->scriptEngine();
    const QScriptValue result = engine->evaluate(
        "App.log('from a script');"
        "[typeof App.getContentMgr, Scene.getNumNodes(), MainWindow === null].join('|');");
    ASSERT_FALSE(engine->hasUncaughtException()) << result.toString().toStdString();
    EXPECT_EQ(result.toString(), "function|1|true");
    EXPECT_EQ(app.logLinesContaining("from a script").value(0), "from a script");

    app->startup();
    EXPECT_TRUE(engine->evaluate("MainWindow.getActionMgr().getNumActions() >= 0").toBool());
}

TEST(Script, NodePointersCrossBetweenScriptAndSlots)
{
    TestApp app;
    DzNode* first = addSceneNode("First");
    DzNode* second = addSceneNode("Second");
    QScriptEngine* engine = app->scriptEngine();
    const QScriptValue result = engine->evaluate(
        "var n = Scene.findNodeByLabel('Second');"
        "Scene.setPrimarySelection(n);"
        "[n.getLabel(), Scene.findNodeIndex(n), Scene.getPrimarySelection().getLabel(),"
        " Scene.findNodeByLabel('Missing') === null].join('|');");
    ASSERT_FALSE(engine->hasUncaughtException()) << result.toString().toStdString();
    EXPECT_EQ(result.toString(), "Second|1|Second|true");
    EXPECT_EQ(dzScene->getPrimarySelection(), second);
    EXPECT_FALSE(first->isSelected());
}

TEST(Script, PrintWritesOneLineToStandardOutput)
{
    TestApp app;
    testing::internal::CaptureStdout();
    app->scriptEngine()->evaluate("print('a', 1, true); print();");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "a 1 true\n\n");
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
