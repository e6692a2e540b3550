#include <gtest/gtest.h>

#include <QFile>

#include "../../host/src/tools/asset_morphfile.h"
#include "test_assets_session.h"

// Names a user types for morphs, vendors and products: whatever they hold, a save writes inside
// the chosen library's data folder or refuses with one message naming the problem, and never
// leaves half an asset.
namespace {

struct NameCase {
    const char* what;
    QString morph;
    QString vendor;
    QString product;
    QString savedAs;  // relative to the morphs folder; empty when the save is refused
    QString refusal;  // part of the host's text when refused
};

const QString kLong = QString(300, QChar('m'));

std::vector<NameCase> nameCases()
{
    return {
        {"plain", "Smile", "Me", "Shapes", "Me/Shapes/Smile.dsf", ""},
        {"non-ASCII", QString::fromUtf8("L\u00e4cheln \u7b11\u9854 \U0001F600"), QString::fromUtf8("J\u00fcrgen"), "Shapes",
         QString::fromUtf8("J\u00fcrgen/Shapes/L\u00e4cheln \u7b11\u9854 \U0001F600.dsf"), ""},
        {"separators", "a/b\\c", "Me", "Shapes", "Me/Shapes/a_b_c.dsf", ""},
        {"parent folders", "../../etc/x", "..", "../..", "__/___../___.._etc_x.dsf", ""},
        {"reserved characters", "a:b*c?d\"e<f>g|h", "Me", "Shapes", "Me/Shapes/a_b_c_d_e_f_g_h.dsf", ""},
        {"control characters", QString("tab\there\nnew"), "Me", "Shapes", "Me/Shapes/tab_here_new.dsf", ""},
        {"empty vendor and product", "Smile", "", "", "Smile.dsf", ""},
        {"blank morph name", "   ", "Me", "Shapes", "", "A morph name is empty"},
    };
}

QString morphsFolder(const AssetSession& s)
{
    return QDir(s.library).filePath(kMorphFolder);
}

} // namespace

TEST(MorphAssetNames, EveryNameEndsInsideTheDataFolderOrIsRefused)
{
    for (const NameCase& c : nameCases()) {
        AssetSession s;
        DzNode* figure = s.loadFigure();
        ASSERT_NE(figure, nullptr);
        addShape(figure, c.morph);
        auto settings = s.options(figure, {c.morph}, c.vendor, c.product);
        const int code = s.save(settings.get());
        if (c.savedAs.isEmpty()) {
            EXPECT_NE(code, 0) << c.what;
            EXPECT_TRUE(s.mgr()->getErrorMessage(code).contains(c.refusal)) << c.what << ": "
                                                                             << s.mgr()->getErrorMessage(code).toStdString();
            EXPECT_TRUE(s.filesBelow(s.library).isEmpty()) << c.what;
            continue;
        }
        EXPECT_EQ(code, 0) << c.what << ": " << s.mgr()->getErrorMessage(code).toStdString();
        EXPECT_EQ(s.filesBelow(s.library),
                  QStringList{QDir(s.root.path()).relativeFilePath(QDir(morphsFolder(s)).filePath(c.savedAs))})
            << c.what;
    }
}

TEST(MorphAssetNames, AVeryLongNameIsShortenedToAFileNameTheFileSystemTakes)
{
    AssetSession s;
    DzNode* figure = s.loadFigure();
    addShape(figure, kLong);
    addShape(figure, kLong + "x");
    auto settings = s.options(figure, {kLong, kLong + "x"}, kLong, "Shapes");
    ASSERT_EQ(s.save(settings.get()), 0) << s.mgr()->getErrorMessage(s.save(settings.get())).toStdString();
    const QStringList files = s.filesBelow(s.library);
    ASSERT_EQ(files.size(), 2);  // the two names stay apart
    for (const QString& file : files)
        for (const QString& component : file.split('/'))
            EXPECT_LE(component.toUtf8().size(), 255) << component.toStdString();

    // Loaded again, each morph is found under its full name.
    s.start();
    DzNode* again = s.loadFigure();
    EXPECT_NE(again->getObject()->findModifier(kLong), nullptr);
    EXPECT_NE(again->getObject()->findModifier(kLong + "x"), nullptr);
}

TEST(MorphAssetNames, TwoNamesThatWouldShareAFileAreRefusedBeforeAnythingIsWritten)
{
    AssetSession s;
    DzNode* figure = s.loadFigure();
    addShape(figure, "Mouth/Open");
    addShape(figure, "Mouth\\Open");
    auto settings = s.options(figure, {"Mouth/Open", "Mouth\\Open"});
    const int code = s.save(settings.get());
    EXPECT_NE(code, 0);
    EXPECT_TRUE(s.mgr()->getErrorMessage(code).contains("Mouth_Open.dsf")) << s.mgr()->getErrorMessage(code).toStdString();
    EXPECT_TRUE(s.filesBelow(s.library).isEmpty());
}

TEST(MorphAssetNames, ARefusedSaveLeavesAnExistingAssetAsItWas)
{
    AssetSession s;
    DzNode* figure = s.loadFigure();
    addShape(figure, "Smile");
    auto first = s.options(figure, {"Smile"});
    ASSERT_EQ(s.save(first.get()), 0);
    const QString file = QDir(morphsFolder(s)).filePath("Me/Shapes/Smile.dsf");
    QFile before(file);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray bytes = before.readAll();

    // The second save names a morph the figure lacks: refused whole, Smile untouched.
    auto second = s.options(figure, {"Smile", "Missing"});
    EXPECT_NE(s.save(second.get()), 0);
    QFile after(file);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), bytes);
    EXPECT_EQ(s.filesBelow(s.library).size(), 1);
}

// The figure's data folder comes from its asset URI, each folder made a safe name; a folder
// named only by blanks has none and is left out, never an empty part ("data//...").
TEST(MorphAssetNames, AFigureFolderOfBlanksLeavesNoEmptyPart)
{
    EXPECT_EQ(DzMorphAssetFile::dataFolderOf("/data/%C2%A0/Genesis%209/Base/Genesis9.dsf#Genesis9"),
              "Genesis 9/Base");
    EXPECT_EQ(DzMorphAssetFile::dataFolderOf("/data/DAZ%203D/%20/Base/Genesis9.dsf#Genesis9"), "DAZ 3D/Base");
}
