#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

#include "dzauthor.h"

class QScriptEngine;
class QWidget;
class DzAssetIOMgr;
class DzClassFactory;
class DzContentMgr;
class DzExportMgr;
class DzImportMgr;
class DzMainWindow;
class DzPluginMgr;
class DzScene;
class DzStyle;

// How the stand-in host is set up: by the studio's command line, or by a test.
struct DzAppOptions {
    QString homeDir;          // settings.ini and log.txt live here
    QStringList contentDirs;  // content libraries, searched in order
    QString pluginDir;        // every shared library here is loaded as a plug-in
    QString docPath;          // documentation path (manuals below it)
    QString styleName = QStringLiteral("Highway");
    QString authorName;
    bool hdMorphs = true;     // the HD morph support plug-in is present
    bool headless = true;     // no main window is shown
    bool userLibrary = false; // "My Library" in the home folder leads the content libraries
    bool logDetails = false;  // the Log pane shows traces and dialogs' labels from the start
    QStringList scriptArgs;   // what the command line hands to scripts (App.scriptArgs)
};

// The host application. One exists at a time, reachable through the global dzApp.
class DzApp : public QObject {
    Q_OBJECT
    // The values given to the studio with --script-arg, in order.
    Q_PROPERTY(QStringList scriptArgs READ getScriptArgs)
public:
    explicit DzApp(const DzAppOptions& options);
    ~DzApp() override;

    const DzAppOptions& options() const;

    // Creates the main window (menus, scene list, panes) and loads the plug-ins.
    void startup();

    // The log as written so far in this session, one entry per line (for tests). Each line is
    // "<ISO timestamp> <text>", as in the log file.
    QStringList logLines() const;
    // Last URL that showURL was asked to open.
    QString lastShownUrl() const;

    QString settingsFilePath() const;
    QString logFilePath() const;

    DzClassFactory* findClassFactory(const char* className) const;
    void registerClassFactory(DzClassFactory* factory);
    void unregisterClassFactory(DzClassFactory* factory);
    QList<DzClassFactory*> classFactories() const;

    // The script engine of the session; class factories register their classes on it.
    QScriptEngine* scriptEngine() const;
    // Runs a script file on that engine; false with "<file>:<line>: <error>" in errorText when
    // it throws or cannot be read.
    bool evaluateScriptFile(const QString& filePath, QString* errorText);

    DzAuthor getCurrentAuthor() const;
    QStringList getScriptArgs() const;

public slots:
    QWidget* getDialogParent() const;
    void log(const QString& text);
    bool flushLogBuffer();
    QString getDocumentationPath() const;
    void showURL(const QString& url);

    DzMainWindow* getInterface() const;
    DzContentMgr* getContentMgr() const;
    DzAssetIOMgr* getAssetIOMgr() const;
    DzImportMgr* getImportMgr() const;
    DzExportMgr* getExportMgr() const;
    DzPluginMgr* getPluginMgr() const;
    DzStyle* getStyle() const;
    DzScene* getScene() const;

signals:
    void logged(const QString& line);
    void urlShown(const QString& url);

private:
    struct Impl;
    std::unique_ptr<Impl> _d;
};

extern DzApp* dzApp;
extern DzScene* dzScene;
