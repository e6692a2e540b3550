#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLibraryInfo>

#include "dzaction.h"
#include "dzclassfactory.h"
#include "dzplugin.h"
#include "dzpluginmgr.h"
#include "test_app.h"
#include "test_files.h"

namespace {

class PluginProbe : public QObject {
    Q_OBJECT
};

// Entry points of an in-process "library", so version handling is tested without building one.
DzTClassFactory<PluginProbe> probeFactory(DzGuid::fromString("{0b0e3c1e-2f67-4a7a-9d0c-5a1f1e2d3c4b}"));

DzPlugin* probeDefinition()
{
    static DzPlugin* plugin = [] {
        auto* p = new DzPlugin("Probe");
        p->setVersion(2, 1, 0, 0);
        p->addClassFactory(&probeFactory);
        return p;
    }();
    return plugin;
}

DzVersion sdk45() { return DzVersion(4, 5, 0, 100); }
DzVersion sdk45Later() { return DzVersion(4, 5, 3, 0); }
DzVersion sdk46() { return DzVersion(4, 6, 0, 100); }
DzVersion sdk35() { return DzVersion(3, 5, 0, 100); }

// A real shared library that is no plug-in: zlib, beside Qt's libraries.
QString copyNonPluginLibrary(const QString& folder, const QString& name)
{
    const QString source = QLibraryInfo::location(QLibraryInfo::LibrariesPath) + "/libz.so.1";
    const QString target = QDir(folder).filePath(name);
    QFile::copy(source, target);
    return target;
}

} // namespace

TEST(PluginMgr, SdkVersionMustBe45AndFactoriesLiveWithTheirPlugin)
{
    {
        TestApp app;
        DzPluginMgr* mgr = app->getPluginMgr();
        EXPECT_FALSE(mgr->registerPlugin("/p/newer.so", sdk46, probeDefinition));
        EXPECT_FALSE(mgr->registerPlugin("/p/older.so", sdk35, probeDefinition));
        EXPECT_EQ(mgr->findPlugin("Probe"), nullptr);
        EXPECT_EQ(app->findClassFactory("PluginProbe"), nullptr);
        EXPECT_EQ(app.logLinesContaining("/p/newer.so").size(), 1);
        EXPECT_EQ(app.logLinesContaining("/p/older.so").size(), 1);

        // Revision and build do not matter.
        EXPECT_TRUE(mgr->registerPlugin("/p/probe.so", sdk45Later, probeDefinition));
        EXPECT_EQ(app->findClassFactory("PluginProb"), nullptr);
        std::unique_ptr<QObject> made(app->findClassFactory("PluginProbe")->createInstance());
        EXPECT_TRUE(qobject_cast<PluginProbe*>(made.get()));
    }
    TestApp fresh;
    EXPECT_EQ(fresh->findClassFactory("PluginProbe"), nullptr);
}

TEST(PluginMgr, LibraryWithoutEntryPointsIsRefusedAndLoadingCarriesOn)
{
    QTemporaryDir folder;
    const QString notAPlugin = copyNonPluginLibrary(folder.path(), "libnotaplugin.so");
    ASSERT_TRUE(QFile::exists(notAPlugin));
    ASSERT_TRUE(writeFile(QDir(folder.path()).filePath("readme.txt"), "not a library"));

    TestApp app;
    DzPluginMgr* mgr = app->getPluginMgr();
    const int before = mgr->getNumPlugins();
    EXPECT_FALSE(mgr->loadPlugin(notAPlugin));
    mgr->loadPlugins(folder.path());
    EXPECT_EQ(mgr->getNumPlugins(), before);
    const QStringList refusals = app.logLinesContaining("libnotaplugin.so");
    ASSERT_EQ(refusals.size(), 2);
    EXPECT_TRUE(refusals[0].contains("getPluginDefinition")) << refusals[0].toStdString();
    EXPECT_TRUE(app.logLinesContaining("readme.txt").isEmpty());

    // A later valid plug-in still registers.
    EXPECT_TRUE(mgr->registerPlugin("/p/probe.so", sdk45, probeDefinition));
}

#include "test_app_plugins.moc"
