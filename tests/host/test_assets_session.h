#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "dzassetiofilter.h"
#include "dzassetiomgr.h"
#include "dzcontentmgr.h"
#include "dzfileiosettings.h"
#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dznode.h"
#include "dzobject.h"
#include "dzscene.h"
#include "library_copy.h"
#include "test_app.h"
#include "test_files.h"
#include "test_geometry_fixtures.h"

// The figure every save uses, and where its morphs land below a library.
const char* const kFigureFile = "People/Genesis 9/Genesis 9.duf";
const char* const kMorphFolder = "data/DAZ 3D/Genesis 9/Base/Morphs";

// A writable library next to the bundled one; the figure comes from the bundled one, the
// saved morphs go to the writable one, and both are content directories.
struct AssetSession {
    QTemporaryDir root;
    QString library = root.filePath("library");
    std::unique_ptr<TestApp> app;

    AssetSession()
    {
        QDir().mkpath(library);
        start();
    }

    void start()
    {
        app.reset();
        DzAppOptions options = TestApp::defaultOptions();
        options.contentDirs << library;
        app = std::make_unique<TestApp>(options);
    }

    DzNode* loadFigure()
    {
        DzContentMgr* content = (*app)->getContentMgr();
        const int before = dzScene->getNumNodes();
        EXPECT_TRUE(content->openFile(content->getAbsolutePath(kFigureFile), true));
        for (int i = before; i < dzScene->getNumNodes(); ++i)
            if (dzScene->getNode(i)->isRootNode())
                return dzScene->getNode(i);
        return nullptr;
    }

    DzAssetIOMgr* mgr() const { return (*app)->getAssetIOMgr(); }
    DzAssetIOFilter* filter() const
    {
        return mgr()->getFilter(mgr()->findFilter("DzMorphSupportAssetFilter"));
    }

    // Options as the product sends them, with one figure and its morph names.
    std::unique_ptr<DzFileIOSettings> options(DzNode* figure, const QStringList& morphs,
                                              const QString& vendor = "Me",
                                              const QString& product = "Shapes")
    {
        auto settings = std::make_unique<DzFileIOSettings>();
        filter()->getDefaultOptions(settings.get());
        settings->setStringValue("RootLabel", figure->getLabel());
        settings->setStringValue("BaseDataPath", library);
        settings->setStringValue("VendorName", vendor);
        settings->setStringValue("ProductName", product);
        DzSettings* names = settings->getSettingsValue("NodeNames")->setSettingsValue(figure->getName());
        for (int i = 0; i < morphs.size(); ++i)
            names->setStringValue(QString::number(i), morphs[i]);
        settings->setBoolValue("RunSilent", true);
        settings->setBoolValue("CompressOutput", false);
        return settings;
    }

    int save(DzFileIOSettings* settings)
    {
        return mgr()->doSaveWithOptions(filter(), settings, false, QString(), QString(), QString());
    }
    QString message(int code) const { return mgr()->getErrorMessage(code); }

    // A path below the library's morphs folder.
    QString morphs(const QString& below = QString()) const
    {
        return QDir(library).filePath(QString(kMorphFolder) + "/" + below);
    }
};

inline DzMorph* addShape(DzNode* figure, const QString& name)
{
    DzMorph* morph = testgeo::addMorph(figure, name, {0, 7, 12},
                                       {{1, 2, 3}, {-0.5f, 0, 0.25f}, {0, 0, 4}});
    morph->getValueControl()->setPath("Actor/Mine");
    return morph;
}
