#pragma once

#include <QObject>
#include <QScriptEngine>
#include <QScriptValue>
#include <functional>

class DzApp;
class DzMainWindow;

// A script engine with the host's conventions: globals App, Scene, MainWindow, print,
// processEvents and the progress functions (dzscriptprogress.h), host object pointers converted to and from wrapped QObjects, every class factory registered.
QScriptEngine* dzCreateScriptEngine(DzApp* app);
void dzScriptPublishMainWindow(QScriptEngine* engine, DzMainWindow* mainWindow);

// Runs a script file. false with "<file>:<line>: <error>" in errorText when it throws or the
// file cannot be read.
bool dzEvaluateScriptFile(QScriptEngine* engine, const QString& filePath, QString* errorText);

// Makes slots returning or taking T* give and accept wrapped QObjects in that engine.
template <class T>
void dzScriptRegisterQObjectPointer(QScriptEngine* engine)
{
    qScriptRegisterMetaType<T*>(
        engine,
        [](QScriptEngine* e, T* const& object) -> QScriptValue {
            return object ? e->newQObject(object) : e->nullValue();
        },
        [](const QScriptValue& value, T*& object) { object = qobject_cast<T*>(value.toQObject()); });
}

// Every type a scriptable host method takes or returns: QObject pointers as wrapped objects,
// the tools' enumerations and DzError as numbers, DzVec3 as {x, y, z}, DzUri as its text.
void dzRegisterHostScriptTypes(QScriptEngine* engine);

// The host classes whose methods scripts call, for checks that every type they use is known.
QList<const QMetaObject*> dzScriptableHostClasses();

// Subsystems whose classes the built-in table does not know register their own conversions;
// call from a static initialiser: static const bool r = dzRegisterScriptTypes(&dzScriptRegisterQObjectPointer<DzThing>);
bool dzRegisterScriptTypes(std::function<void(QScriptEngine*)> registrar);
