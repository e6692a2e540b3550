#include "dzapp.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QStandardPaths>

#include "app/dzappservices.h"
#include "app/dzopenurl.h"
#include "dzactionmgr.h"
#include "dzclassfactory.h"
#include "dzmainwindow.h"
#include "dzpluginmgr.h"
#include "dzscene.h"
#include "dzstyle.h"
#include "script/dzscriptsetup.h"

DzApp* dzApp = nullptr;
DzScene* dzScene = nullptr;

namespace {

std::vector<DzServiceCreator>& serviceCreators()
{
    static std::vector<DzServiceCreator> creators;
    return creators;
}

QString defaultHomeDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

// The user's own content library, where saved assets go unless the user picks another.
const char* const kUserLibraryName = "My Library";

// Puts the home folder's user library first among the content libraries, made when missing.
void addUserLibrary(DzAppOptions& options)
{
    const QString library = QDir::cleanPath(QDir(options.homeDir).filePath(QLatin1String(kUserLibraryName)));
    QDir().mkpath(library);
    options.contentDirs.removeAll(library);
    options.contentDirs.prepend(library);
}

} // namespace

bool dzRegisterServiceCreator(DzServiceCreator creator)
{
    serviceCreators().push_back(std::move(creator));
    return true;
}

struct DzApp::Impl {
    DzAppOptions options;
    QFile logFile;
    QStringList logLines;
    QString lastShownUrl;
    QList<DzClassFactory*> factories;
    DzAppServices services;
    DzScene* scene = nullptr;
    DzPluginMgr* pluginMgr = nullptr;
    DzStyle* style = nullptr;
    QPointer<DzMainWindow> mainWindow;
    QScriptEngine* scriptEngine = nullptr;
    bool started = false;
};

DzApp::DzApp(const DzAppOptions& options) : _d(new Impl)
{
    _d->options = options;
    if (_d->options.homeDir.isEmpty())
        _d->options.homeDir = defaultHomeDir();
    QDir().mkpath(_d->options.homeDir);
    if (_d->options.userLibrary)
        addUserLibrary(_d->options);
    _d->logFile.setFileName(logFilePath());
    _d->logFile.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);

    dzApp = this;
    _d->scene = new DzScene(this);
    dzScene = _d->scene;
    _d->pluginMgr = new DzPluginMgr(this);
    for (const DzServiceCreator& create : serviceCreators())
        create(this, _d->services);
}

DzApp::~DzApp()
{
    // Windows and scripts may still point into the scene, so they go first; the scene goes
    // before the managers its nodes may call on while dying.
    delete _d->mainWindow;
    delete _d->scriptEngine;
    _d->scriptEngine = nullptr;
    delete _d->scene;
    dzScene = nullptr;
    // The plug-in manager unloads libraries whose factories the list points to.
    _d->factories.clear();
    delete _d->pluginMgr;
    _d->pluginMgr = nullptr;
    flushLogBuffer();
    if (dzApp == this)
        dzApp = nullptr;
}

const DzAppOptions& DzApp::options() const { return _d->options; }

QStringList DzApp::getScriptArgs() const { return _d->options.scriptArgs; }

void DzApp::startup()
{
    if (_d->started)
        return;
    _d->started = true;
    _d->mainWindow = new DzMainWindow();
    _d->pluginMgr->addHostPlugins(_d->options.hdMorphs);
    if (!_d->options.pluginDir.isEmpty())
        _d->pluginMgr->loadPlugins(_d->options.pluginDir);
    _d->mainWindow->createActionsFromFactories(_d->factories);
    dzScriptPublishMainWindow(scriptEngine(), _d->mainWindow);
    if (!_d->options.headless)
        _d->mainWindow->show();
}

QStringList DzApp::logLines() const { return _d->logLines; }

QString DzApp::lastShownUrl() const { return _d->lastShownUrl; }

QString DzApp::settingsFilePath() const
{
    return QDir(_d->options.homeDir).filePath(QStringLiteral("settings.ini"));
}

QString DzApp::logFilePath() const
{
    return QDir(_d->options.homeDir).filePath(QStringLiteral("log.txt"));
}

DzClassFactory* DzApp::findClassFactory(const char* className) const
{
    const QString name = QString::fromUtf8(className);
    for (DzClassFactory* factory : _d->factories)
        if (factory->className() == name)
            return factory;
    return nullptr;
}

void DzApp::registerClassFactory(DzClassFactory* factory)
{
    if (!factory || _d->factories.contains(factory))
        return;
    _d->factories.append(factory);
    if (_d->scriptEngine)
        factory->registerClass(_d->scriptEngine);
}

void DzApp::unregisterClassFactory(DzClassFactory* factory)
{
    _d->factories.removeAll(factory);
}

QList<DzClassFactory*> DzApp::classFactories() const { return _d->factories; }

QScriptEngine* DzApp::scriptEngine() const
{
    if (!_d->scriptEngine) {
        _d->scriptEngine = dzCreateScriptEngine(const_cast<DzApp*>(this));
        for (DzClassFactory* factory : _d->factories)
            factory->registerClass(_d->scriptEngine);
    }
    return _d->scriptEngine;
}

bool DzApp::evaluateScriptFile(const QString& filePath, QString* errorText)
{
    return dzEvaluateScriptFile(scriptEngine(), filePath, errorText);
}

DzAuthor DzApp::getCurrentAuthor() const { return DzAuthor(_d->options.authorName); }

QWidget* DzApp::getDialogParent() const { return _d->mainWindow.data(); }

void DzApp::log(const QString& text)
{
    const QString line =
        QDateTime::currentDateTime().toString(Qt::ISODateWithMs) + QLatin1Char(' ') + text;
    _d->logLines.append(line);
    if (_d->logFile.isOpen()) {
        _d->logFile.write(line.toUtf8());
        _d->logFile.write("\n");
        _d->logFile.flush();
    }
    emit logged(line);
}

bool DzApp::flushLogBuffer()
{
    return _d->logFile.isOpen() && _d->logFile.flush();
}

QString DzApp::getDocumentationPath() const { return _d->options.docPath; }

void DzApp::showURL(const QString& url)
{
    log(QStringLiteral("Opening URL: ") + url);
    _d->lastShownUrl = url;
    emit urlShown(url);
    if (!_d->options.headless)
        dzOpenUrl(dzUrlFromText(url), getDialogParent());
}

DzMainWindow* DzApp::getInterface() const { return _d->mainWindow.data(); }

DzContentMgr* DzApp::getContentMgr() const { return _d->services.contentMgr; }

DzAssetIOMgr* DzApp::getAssetIOMgr() const { return _d->services.assetIOMgr; }

DzImportMgr* DzApp::getImportMgr() const { return _d->services.importMgr; }

DzExportMgr* DzApp::getExportMgr() const { return _d->services.exportMgr; }

DzPluginMgr* DzApp::getPluginMgr() const { return _d->pluginMgr; }

DzStyle* DzApp::getStyle() const
{
    if (!_d->style)
        _d->style = new DzStyle(_d->options.styleName, QApplication::palette(),
                                const_cast<DzApp*>(this));
    return _d->style;
}

DzScene* DzApp::getScene() const { return _d->scene; }
