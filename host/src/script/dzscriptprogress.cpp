#include "script/dzscriptprogress.h"

#include <QScriptContext>
#include <QScriptEngine>
#include <memory>
#include <vector>

#include "dzprogress.h"

namespace {

const char* const kObjectName = "dzScriptProgresses";

// The engine's started progresses, latest last; the engine owns it, found by its name.
class ScriptProgresses : public QObject {
public:
    explicit ScriptProgresses(QScriptEngine* engine) : QObject(engine) { setObjectName(QLatin1String(kObjectName)); }
    ~ScriptProgresses() override
    {
        while (!stack.empty()) // the latest ends first, as a script would have ended them
            stack.pop_back();
    }
    DzProgress* latest() const { return stack.empty() ? nullptr : stack.back().get(); }

    std::vector<std::unique_ptr<DzProgress>> stack;
};

ScriptProgresses* progressesOf(QScriptEngine* engine)
{
    return static_cast<ScriptProgresses*>(
        engine->findChild<QObject*>(QLatin1String(kObjectName), Qt::FindDirectChildrenOnly));
}

QScriptValue startProgress(QScriptContext* context, QScriptEngine* engine)
{
    if (context->argumentCount() < 2 || !context->argument(1).isNumber())
        return context->throwError(
            QStringLiteral("startProgress(info, totalSteps[, isCancellable[, showTimeElapsed]]): a number of steps is needed"));
    progressesOf(engine)->stack.push_back(std::make_unique<DzProgress>(
        context->argument(0).toString(), context->argument(1).toInt32(), context->argument(2).toBool(),
        context->argument(3).toBool()));
    return engine->undefinedValue();
}

QScriptValue stepProgress(QScriptContext* context, QScriptEngine* engine)
{
    if (DzProgress* progress = progressesOf(engine)->latest())
        progress->step(context->argumentCount() > 0 ? context->argument(0).toInt32() : 1);
    return engine->undefinedValue();
}

QScriptValue setProgressInfo(QScriptContext* context, QScriptEngine* engine)
{
    if (DzProgress* progress = progressesOf(engine)->latest())
        progress->setInfo(context->argument(0).toString());
    return engine->undefinedValue();
}

QScriptValue progressIsCancelled(QScriptContext*, QScriptEngine* engine)
{
    const DzProgress* progress = progressesOf(engine)->latest();
    return QScriptValue(progress && progress->isCancelled());
}

QScriptValue finishProgress(QScriptContext* context, QScriptEngine* engine)
{
    ScriptProgresses* progresses = progressesOf(engine);
    if (progresses->stack.empty())
        return context->throwError(QStringLiteral("finishProgress(): no progress was started"));
    progresses->stack.pop_back();
    return engine->undefinedValue();
}

} // namespace

void dzPublishScriptProgress(QScriptEngine* engine)
{
    new ScriptProgresses(engine);
    QScriptValue global = engine->globalObject();
    global.setProperty(QStringLiteral("startProgress"), engine->newFunction(startProgress));
    global.setProperty(QStringLiteral("stepProgress"), engine->newFunction(stepProgress));
    global.setProperty(QStringLiteral("setProgressInfo"), engine->newFunction(setProgressInfo));
    global.setProperty(QStringLiteral("progressIsCancelled"), engine->newFunction(progressIsCancelled));
    global.setProperty(QStringLiteral("finishProgress"), engine->newFunction(finishProgress));
}
