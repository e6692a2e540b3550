#include "script/dzscriptsetup.h"

#include <QCoreApplication>
#include <QFile>
#include <QScriptContext>
#include <QTextStream>
#include <cstdio>
#include <vector>

#include "dzapp.h"
#include "dzmainwindow.h"
#include "dzscene.h"
#include "script/dzscriptmessagebox.h"
#include "script/dzscriptprogress.h"

namespace {

// print(a, b, ...): one line on standard output, the arguments separated by blanks.
QScriptValue scriptPrint(QScriptContext* context, QScriptEngine* engine)
{
    QStringList parts;
    for (int i = 0; i < context->argumentCount(); ++i)
        parts << context->argument(i).toString();
    const QByteArray line = parts.join(QLatin1Char(' ')).toUtf8();
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    return engine->undefinedValue();
}

// processEvents(): lets the host handle what is pending (timers, dialogs shown without
// waiting, repaints), as long-running scripts do between steps.
QScriptValue scriptProcessEvents(QScriptContext*, QScriptEngine* engine)
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return engine->undefinedValue();
}

} // namespace

QScriptEngine* dzCreateScriptEngine(DzApp* app)
{
    auto* engine = new QScriptEngine(app);
    dzRegisterHostScriptTypes(engine);
    QScriptValue global = engine->globalObject();
    global.setProperty(QStringLiteral("App"), engine->newQObject(app));
    global.setProperty(QStringLiteral("Scene"), engine->newQObject(app->getScene()));
    global.setProperty(QStringLiteral("print"), engine->newFunction(scriptPrint));
    global.setProperty(QStringLiteral("processEvents"), engine->newFunction(scriptProcessEvents));
    global.setProperty(QStringLiteral("MessageBox"),
                       engine->newQObject(new DzScriptMessageBox(engine)));
    dzPublishScriptProgress(engine);
    dzScriptPublishMainWindow(engine, app->getInterface());
    return engine;
}

void dzScriptPublishMainWindow(QScriptEngine* engine, DzMainWindow* mainWindow)
{
    engine->globalObject().setProperty(
        QStringLiteral("MainWindow"),
        mainWindow ? engine->newQObject(mainWindow) : engine->nullValue());
}

bool dzEvaluateScriptFile(QScriptEngine* engine, const QString& filePath, QString* errorText)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (errorText)
            *errorText = QStringLiteral("%1: cannot read the script: %2")
                             .arg(filePath, file.errorString());
        return false;
    }
    const QString program = QTextStream(&file).readAll();
    const QScriptValue result = engine->evaluate(program, filePath, 1);
    if (!engine->hasUncaughtException())
        return true;
    if (errorText)
        *errorText = QStringLiteral("%1:%2: %3")
                         .arg(filePath)
                         .arg(engine->uncaughtExceptionLineNumber())
                         .arg(result.toString());
    engine->clearExceptions();
    return false;
}
