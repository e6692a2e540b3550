#include <QFileInfo>
#include <numeric>
#include <gtest/gtest.h>

#include "dzmorphdeltas.h"
#include "dzshape.h"
#include "test_assets_session.h"
#include "test_content_support.h"
#include "test_fileio_conditions.h"

using testgeo::morphOf;

namespace {

void expectSameDeltas(const DzMorphDeltas* a, const DzMorphDeltas* b)
{
    EXPECT_EQ(a->deltaIndices(), b->deltaIndices());
    EXPECT_TRUE(a->deltaValues() == b->deltaValues());
}

// A morph that moves every vertex: its asset is far larger than addShape's.
DzMorph* addLargeShape(DzNode* figure, const QString& name)
{
    const int count = figure->getObject()->getCurrentShape()->getNumVertices();
    QVector<int> indices(count);
    std::iota(indices.begin(), indices.end(), 0);
    return testgeo::addMorph(figure, name, indices, QVector<DzVec3>(count, DzVec3(0.123456f, -0.654321f, 0.5f)));
}

} // namespace

// Saved plain or compressed, a morph comes back with its figure in the same session and the
// next, tied to its asset.
TEST(MorphSupportAssets, SavedMorphsComeBackWithTheirFigure)
{
    for (const bool compress : {false, true}) {
        SCOPED_TRACE(compress ? "compressed" : "plain");
        AssetSession s;
        EXPECT_LT(s.mgr()->findFilter("DzSceneAssetFilter"), 0);
        DzNode* figure = s.loadFigure();
        ASSERT_NE(figure, nullptr);
        DzMorph* morph = addShape(figure, "My Shape");
        auto settings = s.options(figure, {"My Shape"});
        settings->setBoolValue("CompressOutput", compress);
        const int code = s.save(settings.get());
        ASSERT_EQ(code, 0) << s.message(code).toStdString();

        EXPECT_EQ(readFile(s.morphs("Me/Shapes/My Shape.dsf")).left(2), compress ? "\x1f\x8b" : "{\"");
        const QString uri = "/data/DAZ%203D/Genesis%209/Base/Morphs/Me/Shapes/My%20Shape.dsf#My Shape";
        EXPECT_EQ(morph->getDeltas()->getUri().toString(), uri);
        DzNode* second = s.loadFigure();
        ASSERT_NE(morphOf(second, "My Shape"), nullptr);
        expectSameDeltas(morphOf(second, "My Shape")->getDeltas(), morph->getDeltas());

        DzMorphDeltas saved;
        saved.setDeltas(morph->getDeltas()->deltaIndices(), morph->getDeltas()->deltaValues());
        s.start();
        DzMorph* loaded = morphOf(s.loadFigure(), "My Shape");
        ASSERT_NE(loaded, nullptr);
        expectSameDeltas(loaded->getDeltas(), &saved);
        EXPECT_EQ(loaded->getDeltas()->getUri().toString(), uri);
        EXPECT_EQ(loaded->getValueControl()->getPath(), "Actor/Mine");
    }
}

// Saves refused before anything is written: the message says why, an asset saved before stays
// as it was and no morph is tied to a file.
TEST(MorphSupportAssets, RefusedSavesWriteNothingAndSayWhy)
{
    struct Case {
        const char* what;
        QStringList morphs;
        const char* option;  // set to `value` when given
        QString value;
        const char* fragment;
    };
    const Case cases[] = {
        {"a morph the figure lacks", {"Smile", "Missing"}, nullptr, "", "\"Missing\""},
        {"two names for one file", {"Mouth/Open", "Mouth\\Open"}, nullptr, "", "\"Mouth_Open.dsf\""},
        {"a blank name", {"   "}, nullptr, "", "A morph name is empty"},
        {"no such figure", {"Smile"}, "RootLabel", "Nobody", "\"Nobody\""},
        {"no library", {"Smile"}, "BaseDataPath", "", "No content directory"},
    };
    AssetSession s;
    DzNode* figure = s.loadFigure();
    ASSERT_NE(figure, nullptr);
    for (const char* name : {"Smile", "Mouth/Open", "Mouth\\Open", "   "})
        addShape(figure, name);
    ASSERT_EQ(s.save(s.options(figure, {"Smile"}).get()), 0);
    const QByteArray smile = readFile(s.morphs("Me/Shapes/Smile.dsf"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto settings = s.options(figure, c.morphs);
        if (c.option)
            settings->setStringValue(c.option, c.value);
        const int code = s.save(settings.get());
        EXPECT_EQ(code, DZ_INVALID_ARGUMENT);
        EXPECT_TRUE(s.message(code).contains(c.fragment)) << s.message(code).toStdString();
        EXPECT_EQ(filesBelow(s.library), QStringList{QString(kMorphFolder) + "/Me/Shapes/Smile.dsf"});
        EXPECT_EQ(readFile(s.morphs("Me/Shapes/Smile.dsf")), smile);
        EXPECT_TRUE(morphOf(figure, "Mouth/Open")->getDeltas()->getUri().isEmpty());
    }
}

// What a save meets on its way below the library: a link planted there is never written
// through (whatever it points to stays as it was), a file where a folder must go is named with
// the system's reason, and a hard link is replaced, not rewritten.
TEST(MorphSupportAssets, NoSaveWritesThroughALinkOrPastAFileInTheWay)
{
    const QString m = kMorphFolder;
    const QString asset = m + "/Me/Shapes/Smile.dsf";
    struct Case {
        const char* what;
        QString symlinkAt;  // below the library, to `outside`
        QString fileAt;     // below the library ("." for the library itself)
        bool hardLink;      // the asset's path is a hard link to `outside`
        const char* outside;  // below the root, beside the library
        int code;
        QString faultAt;      // below the library: %1 of `expected`
        const char* expected;  // part of the message
    };
    const char* linked = "\"%1\" is a symbolic link, and morph assets are never written through links";
    const char* notFolder = "Cannot create the folder \"%1\": Not a directory";
    const Case cases[] = {
        {"link at the asset's path", asset, "", false, "outside/victim.txt", DZ_FILE_LINK_ERROR, asset, linked},
        {"dangling link at the asset's path", asset, "", false, "outside/new.txt", DZ_FILE_LINK_ERROR, asset, linked},
        {"linked product folder", m + "/Me/Shapes", "", false, "outside", DZ_FILE_LINK_ERROR, m + "/Me/Shapes", linked},
        {"linked data folder", "data", "", false, "outside", DZ_FILE_LINK_ERROR, "data", linked},
        {"file where the vendor folder goes", "", m + "/Me", false, "", DZ_WRITE_FILE_ERROR, m + "/Me", notFolder},
        {"library that is a file", "", ".", false, "", DZ_WRITE_FILE_ERROR, ".", notFolder},
        {"hard link at the asset's path", "", "", true, "outside/victim.txt", 0, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AssetSession s;
        DzNode* figure = s.loadFigure();
        ASSERT_NE(figure, nullptr);
        addShape(figure, "Smile");
        const auto below = [&](const QString& path) { return QDir::cleanPath(s.library + "/" + path); };
        const QString outside = s.root.filePath(c.outside);
        QDir().mkpath(s.root.filePath("outside"));
        writeFile(s.root.filePath("outside/victim.txt"), "precious");
        QDir().mkpath(s.morphs("Me/Shapes"));
        for (const QString& at : {c.symlinkAt, c.fileAt})
            if (!at.isEmpty())
                QDir(below(at)).removeRecursively();
        if (!c.symlinkAt.isEmpty()) {
            ASSERT_TRUE(QFile::link(outside, below(c.symlinkAt)));
        }
        if (!c.fileAt.isEmpty())
            writeFile(below(c.fileAt), "in the way");
        if (c.hardLink) {
            ASSERT_EQ(::link(QFile::encodeName(outside).constData(), QFile::encodeName(below(asset)).constData()), 0);
        }
        const QStringList outsideBefore = filesBelow(s.root.filePath("outside"));

        const int code = s.save(s.options(figure, {"Smile"}).get());
        EXPECT_EQ(code, c.code) << s.message(code).toStdString();
        EXPECT_EQ(filesBelow(s.root.filePath("outside")), outsideBefore);
        EXPECT_EQ(readFile(s.root.filePath("outside/victim.txt")), "precious");
        if (code == 0) {
            EXPECT_TRUE(readFile(below(asset)).startsWith("{\""));
            continue;
        }
        const QString expected = QString(c.expected).arg(below(c.faultAt));
        EXPECT_TRUE(s.message(code).contains(expected)) << s.message(code).toStdString();
        EXPECT_TRUE(morphOf(figure, "Smile")->getDeltas()->getUri().isEmpty());
        if (!c.symlinkAt.isEmpty()) {
            EXPECT_TRUE(QFileInfo(below(c.symlinkAt)).isSymLink());
        }
    }
}

// A save of several morphs that fails part-way says what failed and why, which morphs were
// saved before (their assets whole, tied to them) and which were not; no partial file is left.
TEST(MorphSupportAssets, AFailurePartWaySaysWhatWasSavedAndWhy)
{
    struct Case {
        const char* what;
        bool readOnlyLibrary;  // else: files may not grow past 32 KB, as on a full disk
        QString faultAt;       // below the library: %1 of `expected`
        const char* expected;
    };
    const Case cases[] = {
        {"no room for the large morph", false, QString(kMorphFolder) + "/Me/Shapes/Body.dsf",
         "Cannot write \"%1\": File too large. Saved before the failure: \"Head\". Not saved: \"Body\", \"Arms\"."},
        {"read-only library", true, "data",
         "Cannot create the folder \"%1\": Permission denied. Nothing was saved. Not saved: \"Head\", \"Body\", "
         "\"Arms\"."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AssetSession s;
        DzNode* figure = s.loadFigure();
        ASSERT_NE(figure, nullptr);
        DzMorph* head = addShape(figure, "Head");
        addLargeShape(figure, "Body");
        addShape(figure, "Arms");
        auto settings = s.options(figure, {"Head", "Body", "Arms"});
        int code = 0;
        if (c.readOnlyLibrary) {
            ASSERT_TRUE(setMode(s.root.path(), 0755) && setMode(s.library, 0555));
            WithoutPrivileges unprivileged;
            if (!unprivileged.active())
                GTEST_SKIP() << "running as root, and the user nobody is not available to check permissions";
            code = s.save(settings.get());
        } else {
            FileSizeLimit limit(32 * 1024);
            code = s.save(settings.get());
        }
        EXPECT_EQ(code, DZ_WRITE_FILE_ERROR);
        EXPECT_EQ(s.message(code), QString(c.expected).arg(s.library + "/" + c.faultAt));
        const bool headSaved = !c.readOnlyLibrary;
        EXPECT_EQ(filesBelow(s.library),
                  headSaved ? QStringList{QString(kMorphFolder) + "/Me/Shapes/Head.dsf"} : QStringList());
        EXPECT_EQ(head->getDeltas()->getUri().isEmpty(), !headSaved);
        EXPECT_TRUE(morphOf(figure, "Body")->getDeltas()->getUri().isEmpty());
    }
}

TEST(MorphSupportAssets, CancellingTheOptionsDialogGives100)
{
    AssetSession s;
    DzNode* figure = s.loadFigure();
    ASSERT_NE(figure, nullptr);
    addShape(figure, "Asked");
    auto settings = s.options(figure, {"Asked"});
    settings->setBoolValue("RunSilent", false);
    testcontent::DialogAnswerer closer;
    EXPECT_EQ(s.save(settings.get()), 100);
    EXPECT_EQ(closer.seen().size(), 1);
    EXPECT_TRUE(filesBelow(s.library).isEmpty());
}
