#include <gtest/gtest.h>

#include "../../host/src/tools/asset_morphfile.h"
#include "test_assets_session.h"

// Names a user types for morphs, vendors and products: whatever they hold, a save writes inside
// the chosen library's data folder (refusals are in test_assets_support).
TEST(MorphAssetNames, EveryNameEndsInsideTheDataFolder)
{
    struct Case {
        const char* what;
        QString morph;
        QString vendor;
        QString product;
        QString savedAs;  // below the morphs folder
    };
    const Case cases[] = {
        {"plain", "Smile", "Me", "Shapes", "Me/Shapes/Smile.dsf"},
        {"non-ASCII", QString::fromUtf8("L\u00e4cheln \u7b11\u9854 \U0001F600"), QString::fromUtf8("J\u00fcrgen"),
         "Shapes", QString::fromUtf8("J\u00fcrgen/Shapes/L\u00e4cheln \u7b11\u9854 \U0001F600.dsf")},
        {"separators", "a/b\\c", "Me", "Shapes", "Me/Shapes/a_b_c.dsf"},
        {"parent folders", "../../etc/x", "..", "../..", "__/___../___.._etc_x.dsf"},
        {"reserved characters", "a:b*c?d\"e<f>g|h", "Me", "Shapes", "Me/Shapes/a_b_c_d_e_f_g_h.dsf"},
        {"control characters", QString("tab\there\nnew"), "Me", "Shapes", "Me/Shapes/tab_here_new.dsf"},
        {"empty vendor and product", "Smile", "", "", "Smile.dsf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AssetSession s;
        DzNode* figure = s.loadFigure();
        ASSERT_NE(figure, nullptr);
        addShape(figure, c.morph);
        const int code = s.save(s.options(figure, {c.morph}, c.vendor, c.product).get());
        EXPECT_EQ(code, 0) << s.message(code).toStdString();
        EXPECT_EQ(filesBelow(s.root.path()), QStringList{QDir(s.root.path()).relativeFilePath(s.morphs(c.savedAs))});
    }
}

TEST(MorphAssetNames, AVeryLongNameIsShortenedToAFileNameTheFileSystemTakes)
{
    const QString longName(300, QChar('m'));
    AssetSession s;
    DzNode* figure = s.loadFigure();
    addShape(figure, longName);
    addShape(figure, longName + "x");
    const int code = s.save(s.options(figure, {longName, longName + "x"}, longName, "Shapes").get());
    ASSERT_EQ(code, 0) << s.message(code).toStdString();
    const QStringList files = filesBelow(s.library);
    ASSERT_EQ(files.size(), 2);  // the two names stay apart
    for (const QString& file : files)
        for (const QString& component : file.split('/'))
            EXPECT_LE(component.toUtf8().size(), 255) << component.toStdString();

    // Loaded again, each morph is found under its full name.
    s.start();
    DzNode* again = s.loadFigure();
    EXPECT_NE(again->getObject()->findModifier(longName), nullptr);
    EXPECT_NE(again->getObject()->findModifier(longName + "x"), nullptr);
}

// The figure's data folder comes from its asset URI, each folder made a safe name; a folder
// named only by blanks has none and is left out, never an empty part ("data//...").
TEST(MorphAssetNames, AFigureFolderOfBlanksLeavesNoEmptyPart)
{
    EXPECT_EQ(DzMorphAssetFile::dataFolderOf("/data/%C2%A0/Genesis%209/Base/Genesis9.dsf#Genesis9"),
              "Genesis 9/Base");
    EXPECT_EQ(DzMorphAssetFile::dataFolderOf("/data/DAZ%203D/%20/Base/Genesis9.dsf#Genesis9"), "DAZ 3D/Base");
}
