#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

#include "dzassetiofilter.h"
#include "dzassetiomgr.h"
#include "dzcontentmgr.h"
#include "dzfileiosettings.h"
#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "dznode.h"
#include "dzobject.h"
#include "dzscene.h"
#include "test_app.h"
#include "test_assets_session.h"
#include "test_geometry_fixtures.h"

using testgeo::morphOf;

namespace {

void expectSameDeltas(const DzMorphDeltas* a, const DzMorphDeltas* b)
{
    ASSERT_EQ(a->getNumDeltas(), b->getNumDeltas());
    for (int i = 0; i < a->getNumDeltas(); ++i) {
        EXPECT_EQ(a->getDeltaIndex(i), b->getDeltaIndex(i));
        EXPECT_EQ(a->getDelta(i), b->getDelta(i));
    }
}

} // namespace

TEST(MorphSupportAssets, FilterIsFoundByClassNameOnly)
{
    AssetSession s;
    ASSERT_NE(s.mgr(), nullptr);
    EXPECT_GE(s.mgr()->findFilter("DzMorphSupportAssetFilter"), 0);
    EXPECT_LT(s.mgr()->findFilter("DzSceneAssetFilter"), 0);
    EXPECT_EQ(s.mgr()->getFilter(-1), nullptr);
}

TEST(MorphSupportAssets, SavedMorphComesBackWithTheFigureInANewSession)
{
    AssetSession s;
    DzNode* figure = s.loadFigure();
    ASSERT_NE(figure, nullptr);
    DzMorph* morph = addShape(figure, "My Shape");
    auto settings = s.options(figure, {"My Shape"});
    ASSERT_EQ(s.save(settings.get()), 0) << s.mgr()->getErrorMessage(s.save(settings.get())).toStdString();

    const QString file = s.library + "/" + kMorphFolder + "/Me/Shapes/My Shape.dsf";
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << file.toStdString();
    EXPECT_EQ(written.read(1), "{");  // not compressed
    const QString uri = "/data/DAZ%203D/Genesis%209/Base/Morphs/Me/Shapes/My%20Shape.dsf#My Shape";
    EXPECT_EQ(morph->getDeltas()->getUri().toString(), uri);

    auto saved = std::make_unique<DzMorphDeltas>();
    saved->setDeltas(morph->getDeltas()->deltaIndices(), morph->getDeltas()->deltaValues());
    s.start();
    DzNode* again = s.loadFigure();
    ASSERT_NE(again, nullptr);
    DzMorph* loaded = morphOf(again, "My Shape");
    ASSERT_NE(loaded, nullptr);
    expectSameDeltas(loaded->getDeltas(), saved.get());
    EXPECT_EQ(loaded->getDeltas()->getUri().toString(), uri);
    EXPECT_EQ(loaded->getValueControl()->getPath(), "Actor/Mine");
}

TEST(MorphSupportAssets, CompressedFilesAreGzipAndLoadInTheSameSession)
{
    AssetSession s;
    DzNode* figure = s.loadFigure();
    ASSERT_NE(figure, nullptr);
    DzMorph* morph = addShape(figure, "Packed");
    auto settings = s.options(figure, {"Packed"}, "Me", "");
    settings->setBoolValue("CompressOutput", true);
    ASSERT_EQ(s.save(settings.get()), 0);

    QFile written(s.library + "/" + kMorphFolder + "/Me/Packed.dsf");
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.read(2), QByteArray("\x1f\x8b"));

    DzNode* second = s.loadFigure();
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second, figure);
    ASSERT_NE(morphOf(second, "Packed"), nullptr);
    expectSameDeltas(morphOf(second, "Packed")->getDeltas(), morph->getDeltas());
}

TEST(MorphSupportAssets, NamesCannotLeaveTheDataFolder)
{
    AssetSession s;
    DzNode* figure = s.loadFigure();
    ASSERT_NE(figure, nullptr);
    addShape(figure, "../../x");
    addShape(figure, "a/b\\c");
    auto settings = s.options(figure, {"../../x", "a/b\\c"}, "../..", "..");
    ASSERT_EQ(s.save(settings.get()), 0);

    const QStringList files = s.filesBelow(s.root.path());
    ASSERT_EQ(files.size(), 2) << files.join(", ").toStdString();
    for (const QString& file : files)
        EXPECT_TRUE(file.startsWith("library/data/DAZ 3D/Genesis 9/Base/Morphs/")) << file.toStdString();
}

TEST(MorphSupportAssets, FailuresGiveCodesWithTextsAndWriteNothing)
{
    AssetSession s;
    DzNode* figure = s.loadFigure();
    ASSERT_NE(figure, nullptr);
    addShape(figure, "Real");

    auto unknown = s.options(figure, {"Real", "Imaginary"});
    const int unknownCode = s.save(unknown.get());
    EXPECT_NE(unknownCode, 0);
    EXPECT_NE(unknownCode, 100);
    EXPECT_TRUE(s.mgr()->getErrorMessage(unknownCode).contains("Imaginary"));
    EXPECT_TRUE(s.filesBelow(s.library).isEmpty());

    // A file where the library folder should be cannot hold folders, even for root.
    const QString blocked = s.root.filePath("blocked");
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    auto unwritable = s.options(figure, {"Real"});
    unwritable->setStringValue("BaseDataPath", blocked);
    const int writeCode = s.save(unwritable.get());
    EXPECT_NE(writeCode, 0);
    EXPECT_NE(writeCode, 100);
    EXPECT_TRUE(s.mgr()->getErrorMessage(writeCode).contains("blocked"));
    EXPECT_TRUE(morphOf(figure, "Real")->getDeltas()->getUri().isEmpty());

    auto noFigure = s.options(figure, {"Real"});
    noFigure->setStringValue("RootLabel", "Nobody");
    EXPECT_NE(s.save(noFigure.get()), 0);
}

TEST(MorphSupportAssets, CancellingTheOptionsDialogGives100)
{
    AssetSession s;
    DzNode* figure = s.loadFigure();
    ASSERT_NE(figure, nullptr);
    addShape(figure, "Asked");
    auto settings = s.options(figure, {"Asked"});
    settings->setBoolValue("RunSilent", false);
    QString seenTitle;
    QTimer::singleShot(50, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            seenTitle = dialog->windowTitle();
            dialog->reject();
        }
    });
    EXPECT_EQ(s.save(settings.get()), 100);
    EXPECT_FALSE(seenTitle.isEmpty());
    EXPECT_TRUE(s.filesBelow(s.library).isEmpty());
}
