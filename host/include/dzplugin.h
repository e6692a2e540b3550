#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

#include "dzversion.h"

class DzClassFactory;

// A plug-in's definition: name, author, description, version and class factories.
class DzPlugin {
public:
    DzPlugin(const QString& name, const QString& author = QString(),
             const QString& description = QString());
    virtual ~DzPlugin();

    QString getName() const;
    QString getAuthor() const;
    QString getDescription() const;
    DzVersion getVersion() const;
    void setAuthor(const QString& author);
    void setDescription(const QString& description);
    void setVersion(int major, int minor, int revision, int build);

    void addClassFactory(DzClassFactory* factory);
    int getNumClassFactories() const;
    DzClassFactory* getClassFactory(int index) const;

    // 0 when loaded and working; other values name a fault.
    int getStatus() const;
    void setStatus(int status);
    bool isActivated() const;
    void setActivated(bool activated);
    // The file the plug-in came from (empty for the host's own).
    QString getFilename() const;
    void setFilename(const QString& filename);

private:
    QString _name, _author, _description, _filename;
    DzVersion _version;
    QList<DzClassFactory*> _factories;
    int _status = 0;
    bool _activated = true;
};

// Scripts see a plug-in as a plain object with its name, author, version, status and state.
Q_DECLARE_METATYPE(DzPlugin*)

// Marks a plug-in library's entry points for export: dllexport on Windows, default visibility
// elsewhere. Use with C linkage: extern "C" DZ_PLUGIN_EXPORT DzPlugin* getPluginDefinition();
#if defined(_WIN32) || defined(__CYGWIN__)
#define DZ_PLUGIN_EXPORT __declspec(dllexport)
#else
#define DZ_PLUGIN_EXPORT __attribute__((visibility("default")))
#endif

// The entry points a plug-in library exports with C linkage.
extern "C" {
typedef DzVersion (*DzGetSDKVersionFunc)();
typedef DzPlugin* (*DzGetPluginDefinitionFunc)();
}
