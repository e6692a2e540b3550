#include "dzclassfactory.h"

#include <QMetaEnum>
#include <QScriptContext>
#include <QScriptEngine>
#include <QScriptValue>

namespace {

// `new ClassName()` in a script: an instance made by the factory, with the class's enumerators.
// QtScript crashes on `new` when a native constructor returns an invalid value, so a factory
// that makes nothing raises a script error instead.
QScriptValue constructThroughFactory(QScriptContext* context, QScriptEngine* engine, void* factoryPtr)
{
    auto* factory = static_cast<DzClassFactory*>(factoryPtr);
    QObject* instance = factory ? factory->createInstance() : nullptr;
    if (!instance)
        return context->throwError(QStringLiteral("the class factory could not create an object"));
    QScriptValue wrapper = engine->newQObject(instance, QScriptEngine::AutoOwnership);
    DzClassFactory::registerEnumsOnClass(engine, wrapper, instance->metaObject());
    return wrapper;
}

} // namespace

DzClassFactory::DzClassFactory(const QMetaObject* metaObject, const DzGuid& guid)
    : _metaObject(metaObject), _guid(guid)
{
}

DzClassFactory::~DzClassFactory() = default;

QString DzClassFactory::className() const
{
    return _metaObject ? QString::fromLatin1(_metaObject->className()) : QString();
}

const QMetaObject* DzClassFactory::metaObject() const { return _metaObject; }

DzGuid DzClassFactory::getGuid() const { return _guid; }

void DzClassFactory::registerClass(QScriptEngine* engine)
{
    if (!engine || !_metaObject)
        return;
    QScriptValue constructor = engine->newFunction(constructThroughFactory, this);
    QScriptValue classObject = engine->newQMetaObject(_metaObject, constructor);
    registerEnumsOnClass(engine, classObject, _metaObject);
    engine->globalObject().setProperty(className(), classObject,
                                       QScriptValue::KeepExistingFlags);
}

void DzClassFactory::registerEnumsOnClass(QScriptEngine*, QScriptValue& classObject,
                                          const QMetaObject* metaObject)
{
    if (!metaObject)
        return;
    for (int e = 0; e < metaObject->enumeratorCount(); ++e) {
        const QMetaEnum metaEnum = metaObject->enumerator(e);
        for (int k = 0; k < metaEnum.keyCount(); ++k)
            classObject.setProperty(QString::fromLatin1(metaEnum.key(k)), metaEnum.value(k),
                                    QScriptValue::ReadOnly | QScriptValue::Undeletable);
    }
}
