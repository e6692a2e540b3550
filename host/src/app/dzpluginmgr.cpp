#include "dzpluginmgr.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include "dzapp.h"
#include "dzclassfactory.h"

namespace {

const char* const kHdMorphPluginName = "Morph Loader Pro SubDivision Resolution";

void logLine(const QString& text)
{
    if (dzApp)
        dzApp->log(text);
}

} // namespace

struct DzPluginMgr::Impl {
    QList<DzPlugin*> plugins;      // in load order, host plug-ins first
    QList<DzPlugin*> hostPlugins;  // owned
    // Libraries stay loaded for the life of the process: actions and factories created from
    // them may outlive the manager.
    QList<QLibrary*> libraries;
};

DzPluginMgr::DzPluginMgr(QObject* parent) : QObject(parent), _d(new Impl) {}

DzPluginMgr::~DzPluginMgr()
{
    for (DzPlugin* plugin : _d->plugins)
        for (int i = 0; i < plugin->getNumClassFactories(); ++i)
            if (dzApp)
                dzApp->unregisterClassFactory(plugin->getClassFactory(i));
    qDeleteAll(_d->hostPlugins);
    qDeleteAll(_d->libraries);
    delete _d;
}

DzVersion DzPluginMgr::supportedSDKVersion() { return DzVersion(4, 5, 0, 100); }

void DzPluginMgr::addHostPlugin(DzPlugin* plugin)
{
    plugin->setStatus(0);
    plugin->setActivated(true);
    _d->hostPlugins.append(plugin);
    _d->plugins.append(plugin);
    emit pluginLoaded(plugin->getName());
}

void DzPluginMgr::addHostPlugins(bool hdMorphs)
{
    if (!hdMorphs)
        return;
    auto* plugin = new DzPlugin(QString::fromLatin1(kHdMorphPluginName),
                                QStringLiteral("DAZ 3D"),
                                QStringLiteral("Lets Morph Loader Pro create morphs at a "
                                               "subdivision level."));
    plugin->setVersion(4, 5, 0, 100);
    addHostPlugin(plugin);
}

void DzPluginMgr::loadPlugins(const QString& directory)
{
    const QDir dir(directory);
    if (!dir.exists()) {
        logLine(QStringLiteral("Plug-in folder %1 does not exist").arg(directory));
        return;
    }
    const QFileInfoList files = dir.entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& file : files)
        if (QLibrary::isLibrary(file.fileName()))
            loadPlugin(file.absoluteFilePath());
}

bool DzPluginMgr::loadPlugin(const QString& filePath)
{
    auto library = std::make_unique<QLibrary>(filePath);
    if (!library->load()) {
        logLine(QStringLiteral("Refused plug-in %1: %2").arg(filePath, library->errorString()));
        return false;
    }
    auto getSDKVersion =
        reinterpret_cast<DzGetSDKVersionFunc>(library->resolve("getSDKVersion"));
    auto getPluginDefinition =
        reinterpret_cast<DzGetPluginDefinitionFunc>(library->resolve("getPluginDefinition"));
    if (!getSDKVersion || !getPluginDefinition) {
        logLine(QStringLiteral("Refused plug-in %1: it does not export getSDKVersion and "
                               "getPluginDefinition")
                    .arg(filePath));
        library->unload();
        return false;
    }
    if (!registerPlugin(filePath, getSDKVersion, getPluginDefinition)) {
        library->unload();
        return false;
    }
    _d->libraries.append(library.release());
    return true;
}

bool DzPluginMgr::registerPlugin(const QString& filePath, DzGetSDKVersionFunc getSDKVersion,
                                 DzGetPluginDefinitionFunc getPluginDefinition)
{
    const DzVersion sdk = getSDKVersion();
    const DzVersion supported = supportedSDKVersion();
    if (sdk.getMajor() != supported.getMajor() || sdk.getMinor() != supported.getMinor()) {
        logLine(QStringLiteral("Refused plug-in %1: built for SDK %2, this host supports %3.%4")
                    .arg(filePath, sdk.toString())
                    .arg(supported.getMajor())
                    .arg(supported.getMinor()));
        return false;
    }
    DzPlugin* plugin = getPluginDefinition();
    if (!plugin) {
        logLine(QStringLiteral("Refused plug-in %1: it gave no plug-in definition").arg(filePath));
        return false;
    }
    plugin->setFilename(filePath);
    plugin->setStatus(0);
    plugin->setActivated(true);
    for (int i = 0; i < plugin->getNumClassFactories(); ++i)
        if (dzApp)
            dzApp->registerClassFactory(plugin->getClassFactory(i));
    _d->plugins.append(plugin);
    logLine(QStringLiteral("Loaded plug-in %1 %2 (%3)")
                .arg(plugin->getName(), plugin->getVersion().toString(), filePath));
    emit pluginLoaded(plugin->getName());
    return true;
}

int DzPluginMgr::getNumPlugins() const { return _d->plugins.size(); }

DzPlugin* DzPluginMgr::getPlugin(int index) const
{
    return index >= 0 && index < _d->plugins.size() ? _d->plugins.at(index) : nullptr;
}

DzPlugin* DzPluginMgr::findPlugin(const QString& name) const
{
    for (DzPlugin* plugin : _d->plugins)
        if (plugin->getName() == name)
            return plugin;
    return nullptr;
}
