#include "kvr_factories.h"

#include <QByteArray>
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

} // namespace

template <class T>
KvrActionFactory<T>::KvrActionFactory(const DzGuid& guid) : DzTClassFactory<T>(guid)
{
    liveFactories().insert(this);
}

template <class T>
KvrActionFactory<T>::~KvrActionFactory()
{
    liveFactories().erase(this);
}

template <class T>
void KvrActionFactory<T>::registerClass(QScriptEngine* pEngine)
{
    DzClassFactory::registerClass(pEngine);
    // Registered once per process, under the class's own name.
    static int s_iTypeId = 0;
    if (s_iTypeId == 0) {
        const QByteArray pointerTypeName = QByteArray(T::staticMetaObject.className()) + '*';
        s_iTypeId = qRegisterMetaType<T*>(pointerTypeName.constData());
    }
    qScriptRegisterMetaType<T*>(pEngine, &actionToScriptValue<T>, &actionFromScriptValue<T>);

    QScriptValue constructor = pEngine->newFunction(&constructAction, static_cast<DzClassFactory*>(this));
    QScriptValue classObject = pEngine->newQMetaObject(&T::staticMetaObject, constructor);
    pEngine->globalObject().setProperty(this->className(), classObject, QScriptValue::KeepExistingFlags);
}

template class KvrActionFactory<KvrConvertFigureAction>;
template class KvrActionFactory<KvrConvertMorphsAction>;
template class KvrActionFactory<KvrOpenManualAction>;
