#pragma once

#include <QObject>
#include <QStringList>

#include "dzplugin.h"

// The plug-ins of the session: the host's own and those loaded from the plug-in folder.
class DzPluginMgr : public QObject {
    Q_OBJECT
public:
    explicit DzPluginMgr(QObject* parent = nullptr);
    ~DzPluginMgr() override;

    // Adds one of the host's own plug-ins (owned by the manager).
    void addHostPlugin(DzPlugin* plugin);
    // Adds the host's own plug-ins; the HD morph support one only when hdMorphs is true.
    void addHostPlugins(bool hdMorphs);
    // Loads every shared library of the folder; refused ones are logged and skipped.
    void loadPlugins(const QString& directory);
    // Loads one library; false (with a log line naming the file) when refused.
    bool loadPlugin(const QString& filePath);
    // Accepts a plug-in from its resolved entry points: checks the SDK version, then registers
    // the definition's class factories with the application. false (logged) when refused.
    bool registerPlugin(const QString& filePath, DzGetSDKVersionFunc getSDKVersion,
                        DzGetPluginDefinitionFunc getPluginDefinition);

    // The SDK version plug-ins must be built against (major and minor are compared).
    static DzVersion supportedSDKVersion();

public slots:
    int getNumPlugins() const;
    DzPlugin* getPlugin(int index) const;
    DzPlugin* findPlugin(const QString& name) const;

signals:
    void pluginLoaded(const QString& name);

private:
    struct Impl;
    Impl* _d;
};
