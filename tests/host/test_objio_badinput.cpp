// Broken, odd and hostile OBJ files: each gives one message naming the file, the line where
// there is one and what is wrong, and the scene gains nothing.
#include <QFileInfo>

#include "test_objio_support.h"

namespace {

struct BadFile {
    const char* what;
    QByteArray bytes;
    int line;              // 0: the message names no line
    const char* fragment;  // what the message must say
};

const QByteArray kTriangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";

const BadFile kBadFiles[] = {
    {"empty", "", 0, "is empty"},
    {"comments only", "# nothing here\n\n", 0, "holds no vertices"},
    {"cut short in a vertex", "v 0 0 0\nv 1 0", 2, "cut short"},
    {"cut short in a face", kTriangle + "f 1 2", 4, "cut short"},
    {"binary", QByteArray("v 0 0 0\n\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 24), 4, "binary data"},
    {"not a number", "v 0 0 0\n# fine\nv 1 x 0\n", 3, "\"x\" is not a number"},
    {"coordinate beyond double", "v 1e999 0 0\n", 1, "out of range for a coordinate"},
    {"coordinate beyond float", "v 0 -3.5e38 0\n", 1, "out of range for a coordinate"},
    {"not finite", "v 0 0 nan\n", 1, "not a finite number"},
    {"too few coordinates", "v 1 2\n", 1, "three coordinates"},
    {"too few corners", kTriangle + "f 1 2\r\n", 4, "at least three"},
    {"index past the end", kTriangle + "f 1 2 4\n", 4, "\"4\" is out of range: 3 vertices are defined"},
    {"relative index before the start", kTriangle + "f -4 1 2\n", 4, "\"-4\" is out of range"},
    {"index zero", kTriangle + "f 0 1 2\n", 4, "count from 1"},
    {"index beyond any integer", kTriangle + "f 1 2 99999999999999999999\n", 4, "is out of range"},
    {"index not a number", kTriangle + "f 1 2 three\n", 4, "not a whole number"},
    {"texture index past the end", kTriangle + "vt 0 0\nf 1/1 2/2 3/1\n", 5,
     "texture index \"2\" is out of range: 1 texture coordinate is defined"},
    {"line to a missing vertex", kTriangle + "l 1 7\n", 4, "\"7\" is out of range"},
    {"point without a vertex", kTriangle + "p\n", 4, "at least one vertex"},
    {"face before its vertices", "f 1 2 3\n" + kTriangle, 1, "0 vertices are defined"},
};

} // namespace

TEST(ObjBadInput, EachBadFileGivesOneMessageWithItsFileAndLineAndAddsNothing)
{
    ObjIoSession s;
    SilentOptions o;
    const int before = dzScene->getNumNodes();
    for (const BadFile& bad : kBadFiles) {
        const QString path = s.path(QStringLiteral("bad file é.obj"));
        writeFile(path, bad.bytes);
        EXPECT_EQ(s.importer()->readFile(path, &o), DZ_ILLEGAL_FILE_FORMAT) << bad.what;
        const QString message = dzApp->getImportMgr()->getErrorMessage(DZ_ILLEGAL_FILE_FORMAT);
        EXPECT_TRUE(message.contains(path)) << bad.what << ": " << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf8(bad.fragment))) << bad.what << ": " << message.toStdString();
        if (bad.line > 0) {
            EXPECT_TRUE(message.contains(QStringLiteral("line %1:").arg(bad.line)))
                << bad.what << ": " << message.toStdString();
        }
    }
    EXPECT_EQ(dzScene->getNumNodes(), before);
}

TEST(ObjBadInput, MissingFoldersAndHugeFilesAreRefusedBeforeReading)
{
    ObjIoSession s;
    SilentOptions o;
    const int before = dzScene->getNumNodes();
    auto expectRefused = [&](const QString& path, DzError code, const char* fragment) {
        EXPECT_EQ(s.importer()->readFile(path, &o), code) << fragment;
        const QString message = dzApp->getImportMgr()->getErrorMessage(code);
        EXPECT_TRUE(message.contains(path) && message.contains(fragment)) << message.toStdString();
    };
    expectRefused(s.path("nowhere.obj"), DZ_OPEN_FILE_ERROR, "does not exist");
    QDir(s.dir.path()).mkdir("folder.obj");
    expectRefused(s.path("folder.obj"), DZ_OPEN_FILE_ERROR, "is a folder");

    // A sparse file: as large as any OBJ the host could hold, on no real disk space.
    QFile huge(s.path("huge.obj"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(qint64(3) << 30));
    huge.close();
    expectRefused(huge.fileName(), DZ_ILLEGAL_FILE_FORMAT, "too large to import: 3.00 GiB");
    EXPECT_EQ(dzScene->getNumNodes(), before);
}

TEST(ObjBadInput, PathsWithBlanksAndNonAsciiReachTheFileUnchanged)
{
    ObjIoSession s;
    SilentOptions o;
    QDir(s.dir.path()).mkdir(QString::fromUtf8("My Mörphs 形"));
    const QString path = s.path(QString::fromUtf8("My Mörphs 形/Ünïcode näme.obj"));
    writeFile(path, kTriangle + "f 1 2 3\n");
    ASSERT_EQ(s.importer()->readFile(path, &o), 0);
    EXPECT_NE(dzScene->findNodeByLabel(QString::fromUtf8("Ünïcode näme")), nullptr);

    s.addNode("Quad", testgeo::openQuad());
    const QString exported = s.path(QString::fromUtf8("My Mörphs 形/out put.obj"));
    ASSERT_EQ(s.exporter()->writeFile(exported, &o), 0);
    EXPECT_TRUE(QFileInfo(exported).isFile());
}
