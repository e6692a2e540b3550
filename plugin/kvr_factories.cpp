#include "kvr_factories.h"

#include <QMetaType>
#include <QScriptContext>
#include <QScriptEngine>
#include <QScriptValue>
#include <set>

namespace {

// Factories alive now. A script constructor keeps a plain pointer to its factory, so one left
// in an engine after the factory is gone must find out before using it.
std::set<const DzClassFactory*>& liveFactories()
{
    static std::set<const DzClassFactory*> s_factories;
    return s_factories;
}

template <class T>
QScriptValue actionToScriptValue(QScriptEngine* pEngine, T* const& pAction)
{
    QScriptValue value = pEngine->newQObject(pAction);
    DzClassFactory::registerEnumsOnClass(pEngine, value, &T::staticMetaObject);
    return value;
}

template <class T>
void actionFromScriptValue(const QScriptValue& value, T*& pAction)
{
    pAction = static_cast<T*>(T::staticMetaObject.cast(value.toQObject()));
}

QScriptValue constructAction(QScriptContext* pContext, QScriptEngine* pEngine, void* pArg)
{
    // Nothing to make: `new` gets its plain new object, since a non-object result crashes the
    // script engine there.
    auto* pFactory = static_cast<DzClassFactory*>(pArg);
    if (!pFactory || liveFactories().count(pFactory) == 0)
        return pContext->thisObject();
    QObject* pObject = pFactory->createInstance();
    if (!pObject)
        return pContext->thisObject();
    // A script's own action dies with its last reference unless something gives it a parent.
    return pEngine->newQObject(pObject, QScriptEngine::AutoOwnership);
}

// Pointer type, value conversions and `new ClassName()` for one action class.
template <class T>
void registerActionClass(QScriptEngine* pEngine, DzClassFactory& factory,
                         const char* pcszPointerTypeName, int& iTypeId)
{
    if (iTypeId == 0)
        iTypeId = qRegisterMetaType<T*>(pcszPointerTypeName);
    qScriptRegisterMetaType<T*>(pEngine, &actionToScriptValue<T>, &actionFromScriptValue<T>);

    QScriptValue constructor = pEngine->newFunction(&constructAction, &factory);
    QScriptValue classObject = pEngine->newQMetaObject(&T::staticMetaObject, constructor);
    pEngine->globalObject().setProperty(factory.className(), classObject,
                                        QScriptValue::PropertyFlags(2048));  // keep existing flags
}

} // namespace

KvrConvertFigureActionFactory::KvrConvertFigureActionFactory(const DzGuid& guid)
    : DzTClassFactory<KvrConvertFigureAction>(guid)
{
    liveFactories().insert(this);
}

KvrConvertFigureActionFactory::~KvrConvertFigureActionFactory()
{
    liveFactories().erase(this);
}

void KvrConvertFigureActionFactory::registerClass(QScriptEngine* pEngine)
{
    DzClassFactory::registerClass(pEngine);
    static int s_iTypeId = 0;
    registerActionClass<KvrConvertFigureAction>(pEngine, *this, "KvrConvertFigureAction*", s_iTypeId);
}

KvrOpenManualActionFactory::KvrOpenManualActionFactory(const DzGuid& guid)
    : DzTClassFactory<KvrOpenManualAction>(guid)
{
    liveFactories().insert(this);
}

KvrOpenManualActionFactory::~KvrOpenManualActionFactory()
{
    liveFactories().erase(this);
}

void KvrOpenManualActionFactory::registerClass(QScriptEngine* pEngine)
{
    DzClassFactory::registerClass(pEngine);
    static int s_iTypeId = 0;
    registerActionClass<KvrOpenManualAction>(pEngine, *this, "KvrOpenManualAction*", s_iTypeId);
}
