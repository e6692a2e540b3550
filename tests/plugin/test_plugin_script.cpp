#include <gtest/gtest.h>

#include <QMetaType>
#include <QScriptEngine>
#include <QScriptValue>
#include <memory>

#include "kvr_factories.h"
#include "kvr_plugin.h"

namespace {

DzClassFactory* pluginFactory(int i)
{
    return getPluginDefinition()->getClassFactory(i);
}

void registerPluginClasses(QScriptEngine& engine)
{
    for (int i = 0; i < getPluginDefinition()->getNumClassFactories(); ++i)
        pluginFactory(i)->registerClass(&engine);
}

// Scripts make both actions through the factories (the studio runs read them); here, the
// conversions between script values and the actions' pointers.
TEST(PluginScript, PointerTypesConvertBothWaysAndOnlyToTheirOwnClass)
{
    QScriptEngine first;
    QScriptEngine second;
    registerPluginClasses(first);
    registerPluginClasses(second);  // a second engine must not register the types again
    for (const char* pcszType : {"KvrConvertFigureAction*", "KvrOpenManualAction*"})
        EXPECT_NE(QMetaType::type(pcszType), 0) << pcszType;

    const QScriptValue manual = first.evaluate(QStringLiteral("new KvrOpenManualAction()"));
    ASSERT_FALSE(first.hasUncaughtException()) << first.uncaughtException().toString().toStdString();
    EXPECT_NE(qscriptvalue_cast<KvrOpenManualAction*>(manual), nullptr);
    EXPECT_EQ(qscriptvalue_cast<KvrConvertFigureAction*>(manual), nullptr);

    KvrConvertFigureAction action;
    const QScriptValue value = qScriptValueFromValue(&second, &action);
    ASSERT_TRUE(value.isQObject());
    EXPECT_EQ(value.toQObject(), &action);
    EXPECT_EQ(qscriptvalue_cast<KvrConvertFigureAction*>(value), &action);
    EXPECT_EQ(qscriptvalue_cast<KvrOpenManualAction*>(value), nullptr);
    EXPECT_EQ(qscriptvalue_cast<KvrConvertFigureAction*>(second.newObject()), nullptr);
}

TEST(PluginScript, ConstructorOfAFactoryThatIsGoneMakesNothing)
{
    QScriptEngine engine;
    {
        KvrOpenManualActionFactory factory(DzGuid::fromString(QStringLiteral("{92bdd1aa-1b7a-4e98-bc5d-a6ad932e29f1}")));
        factory.registerClass(&engine);
        const QScriptValue made = engine.evaluate(QStringLiteral("new KvrOpenManualAction()"));
        ASSERT_NE(qscriptvalue_cast<KvrOpenManualAction*>(made), nullptr);
    }
    const QScriptValue made = engine.evaluate(QStringLiteral("new KvrOpenManualAction()"));
    EXPECT_EQ(qscriptvalue_cast<KvrOpenManualAction*>(made), nullptr);

    // The plug-in's own factory still works for engines it registered with.
    QScriptEngine other;
    pluginFactory(2)->registerClass(&other);
    EXPECT_NE(qscriptvalue_cast<KvrOpenManualAction*>(other.evaluate(QStringLiteral("new KvrOpenManualAction()"))),
              nullptr);
}

} // namespace
