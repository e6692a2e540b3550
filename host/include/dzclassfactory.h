#pragma once

#include <QMetaObject>
#include <QString>

#include "dzguid.h"

class QObject;
class QScriptEngine;
class QScriptValue;

// Creates instances of one class by name, and registers the class with script engines.
class DzClassFactory {
public:
    DzClassFactory(const QMetaObject* metaObject, const DzGuid& guid);
    virtual ~DzClassFactory();

    QString className() const;
    const QMetaObject* metaObject() const;
    DzGuid getGuid() const;

    virtual QObject* createInstance() = 0;

    // Makes `new ClassName()` work in scripts of that engine.
    virtual void registerClass(QScriptEngine* engine);
    // Publishes the class's enumerators as properties of its script class object.
    static void registerEnumsOnClass(QScriptEngine* engine, QScriptValue& classObject,
                                     const QMetaObject* metaObject);

private:
    const QMetaObject* _metaObject;
    DzGuid _guid;
};

// The common factory: `new T()`.
template <class T>
class DzTClassFactory : public DzClassFactory {
public:
    explicit DzTClassFactory(const DzGuid& guid) : DzClassFactory(&T::staticMetaObject, guid) {}
    QObject* createInstance() override { return new T(); }
};
