#include "script/dzscriptsetup.h"

#include <QFile>
#include <QScriptContext>
#include <QTextStream>
#include <cstdio>
#include <vector>

#include "dzaction.h"
#include "dzactionmgr.h"
#include "dzapp.h"
#include "dzbase.h"
#include "dzboolproperty.h"
#include "dzelement.h"
#include "dzenumproperty.h"
#include "dzfloatproperty.h"
#include "dzintproperty.h"
#include "dzmainwindow.h"
#include "dzpane.h"
#include "dzplugin.h"
#include "dzpanemgr.h"
#include "dzpluginmgr.h"
#include "dzprogress.h"
#include "dzproperty.h"
#include "dzscene.h"
#include "dzstyle.h"
#include "script/dzscriptmessagebox.h"

// Scene and tool classes, as far as their subsystems exist in this build.
#if __has_include("dznode.h")
#include "dznode.h"
#define DZ_SCRIPT_NODE(f) f(DzNode)
#else
#define DZ_SCRIPT_NODE(f)
#endif
#if __has_include("dzskeleton.h")
#include "dzskeleton.h"
#define DZ_SCRIPT_SKELETON(f) f(DzSkeleton)
#else
#define DZ_SCRIPT_SKELETON(f)
#endif
#if __has_include("dzfigure.h")
#include "dzfigure.h"
#define DZ_SCRIPT_FIGURE(f) f(DzFigure)
#else
#define DZ_SCRIPT_FIGURE(f)
#endif
#if __has_include("dzbone.h")
#include "dzbone.h"
#define DZ_SCRIPT_BONE(f) f(DzBone)
#else
#define DZ_SCRIPT_BONE(f)
#endif
#if __has_include("dzobject.h")
#include "dzobject.h"
#define DZ_SCRIPT_OBJECT(f) f(DzObject)
#else
#define DZ_SCRIPT_OBJECT(f)
#endif
#if __has_include("dzshape.h")
#include "dzshape.h"
#define DZ_SCRIPT_SHAPE(f) f(DzShape)
#else
#define DZ_SCRIPT_SHAPE(f)
#endif
#if __has_include("dzmodifier.h")
#include "dzmodifier.h"
#define DZ_SCRIPT_MODIFIER(f) f(DzModifier)
#else
#define DZ_SCRIPT_MODIFIER(f)
#endif
#if __has_include("dzmorph.h")
#include "dzmorph.h"
#define DZ_SCRIPT_MORPH(f) f(DzMorph)
#else
#define DZ_SCRIPT_MORPH(f)
#endif
#if __has_include("dzmorphdeltas.h")
#include "dzmorphdeltas.h"
#define DZ_SCRIPT_MORPHDELTAS(f) f(DzMorphDeltas)
#else
#define DZ_SCRIPT_MORPHDELTAS(f)
#endif
#if __has_include("dzcontentmgr.h")
#include "dzcontentmgr.h"
#define DZ_SCRIPT_CONTENTMGR(f) f(DzContentMgr)
#else
#define DZ_SCRIPT_CONTENTMGR(f)
#endif
#if __has_include("dzassetiomgr.h")
#include "dzassetiomgr.h"
#define DZ_SCRIPT_ASSETIOMGR(f) f(DzAssetIOMgr)
#else
#define DZ_SCRIPT_ASSETIOMGR(f)
#endif
#if __has_include("dzimportmgr.h")
#include "dzimporter.h"
#include "dzimportmgr.h"
#define DZ_SCRIPT_IMPORT(f) f(DzImportMgr) f(DzImporter)
#else
#define DZ_SCRIPT_IMPORT(f)
#endif
#if __has_include("dzexportmgr.h")
#include "dzexporter.h"
#include "dzexportmgr.h"
#define DZ_SCRIPT_EXPORT(f) f(DzExportMgr) f(DzExporter)
#else
#define DZ_SCRIPT_EXPORT(f)
#endif

#define DZ_SCRIPT_REGISTER(T) dzScriptRegisterQObjectPointer<T>(engine);

namespace {

std::vector<std::function<void(QScriptEngine*)>>& extraRegistrars()
{
    static std::vector<std::function<void(QScriptEngine*)>> registrars;
    return registrars;
}

QScriptValue pluginToScript(QScriptEngine* engine, DzPlugin* const& plugin)
{
    if (!plugin)
        return engine->nullValue();
    QScriptValue object = engine->newObject();
    object.setProperty(QStringLiteral("name"), plugin->getName());
    object.setProperty(QStringLiteral("author"), plugin->getAuthor());
    object.setProperty(QStringLiteral("version"), plugin->getVersion().toString());
    object.setProperty(QStringLiteral("status"), plugin->getStatus());
    object.setProperty(QStringLiteral("activated"), plugin->isActivated());
    object.setProperty(QStringLiteral("filename"), plugin->getFilename());
    return object;
}

// Plug-in records are read-only for scripts.
void pluginFromScript(const QScriptValue&, DzPlugin*& plugin) { plugin = nullptr; }

void registerHostTypes(QScriptEngine* engine)
{
    DZ_SCRIPT_REGISTER(DzApp)
    DZ_SCRIPT_REGISTER(DzScene)
    DZ_SCRIPT_REGISTER(DzMainWindow)
    DZ_SCRIPT_REGISTER(DzActionMgr)
    DZ_SCRIPT_REGISTER(DzAction)
    DZ_SCRIPT_REGISTER(DzPaneMgr)
    DZ_SCRIPT_REGISTER(DzPane)
    DZ_SCRIPT_REGISTER(DzPluginMgr)
    DZ_SCRIPT_REGISTER(DzStyle)
    DZ_SCRIPT_REGISTER(DzProgress)
    DZ_SCRIPT_REGISTER(DzBase)
    DZ_SCRIPT_REGISTER(DzElement)
    DZ_SCRIPT_REGISTER(DzProperty)
    DZ_SCRIPT_REGISTER(DzNumericProperty)
    DZ_SCRIPT_REGISTER(DzFloatProperty)
    DZ_SCRIPT_REGISTER(DzIntProperty)
    DZ_SCRIPT_REGISTER(DzBoolProperty)
    DZ_SCRIPT_REGISTER(DzEnumProperty)
    qScriptRegisterMetaType<DzPlugin*>(engine, pluginToScript, pluginFromScript);
    DZ_SCRIPT_NODE(DZ_SCRIPT_REGISTER)
    DZ_SCRIPT_SKELETON(DZ_SCRIPT_REGISTER)
    DZ_SCRIPT_FIGURE(DZ_SCRIPT_REGISTER)
    DZ_SCRIPT_BONE(DZ_SCRIPT_REGISTER)
    DZ_SCRIPT_OBJECT(DZ_SCRIPT_REGISTER)
    DZ_SCRIPT_SHAPE(DZ_SCRIPT_REGISTER)
    DZ_SCRIPT_MODIFIER(DZ_SCRIPT_REGISTER)
    DZ_SCRIPT_MORPH(DZ_SCRIPT_REGISTER)
    DZ_SCRIPT_MORPHDELTAS(DZ_SCRIPT_REGISTER)
    DZ_SCRIPT_CONTENTMGR(DZ_SCRIPT_REGISTER)
    DZ_SCRIPT_ASSETIOMGR(DZ_SCRIPT_REGISTER)
    DZ_SCRIPT_IMPORT(DZ_SCRIPT_REGISTER)
    DZ_SCRIPT_EXPORT(DZ_SCRIPT_REGISTER)
    for (const auto& registrar : extraRegistrars())
        registrar(engine);
}

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

} // namespace

bool dzRegisterScriptTypes(std::function<void(QScriptEngine*)> registrar)
{
    extraRegistrars().push_back(std::move(registrar));
    return true;
}

QScriptEngine* dzCreateScriptEngine(DzApp* app)
{
    auto* engine = new QScriptEngine(app);
    registerHostTypes(engine);
    QScriptValue global = engine->globalObject();
    global.setProperty(QStringLiteral("App"), engine->newQObject(app));
    global.setProperty(QStringLiteral("Scene"), engine->newQObject(app->getScene()));
    global.setProperty(QStringLiteral("print"), engine->newFunction(scriptPrint));
    global.setProperty(QStringLiteral("MessageBox"),
                       engine->newQObject(new DzScriptMessageBox(engine)));
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
