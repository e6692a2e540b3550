#include <QFileInfo>
#include <optional>

#include "test_content_support.h"
#include "test_fileio_conditions.h"
#include "test_objio_support.h"

using namespace testgeo;

// Each statement option, alone against the defaults (whose exact text test_objio_text pins).
TEST(ObjExport, StatementOptionsAreObserved)
{
    struct Case {
        const char* key;
        bool value;
        QByteArray keyword;
        QList<QByteArray> lines;  // every line of that statement
    };
    const Case cases[] = {
        {"WriteVT", false, "vt", {}},
        {"WriteVT", false, "f", {"f 1 2 3 4"}},
        {"WriteF", false, "f", {}},
        {"WriteF", false, "v", {"v 0.00000000 0.00000000 0.00000000", "v 2.00000000 0.00000000 0.00000000",
                                "v 2.00000000 2.00000000 0.00000000", "v 0.00000000 2.00000000 0.00000000"}},
        {"WriteG", false, "g", {}},
        {"GroupGeom", false, "g", {"g Quad"}},  // named by the node instead
        {"WriteUsemtl", false, "usemtl", {}},
        {"WriteMtllib", true, "mtllib", {"mtllib q.mtl"}},
    };
    ObjIoSession s;
    s.addNode("Quad", openQuad());
    const QString p = s.path("q.obj");
    for (const Case& c : cases) {
        SilentOptions o;
        o.setBoolValue(c.key, c.value);
        ASSERT_EQ(s.exporter()->writeFile(p, &o), 0);
        EXPECT_EQ(ObjIoSession::statements(p, c.keyword), c.lines) << c.key << " " << c.keyword.constData();
    }
}

TEST(ObjExport, SelectionOptionsChooseTheNodes)
{
    ObjIoSession s;
    DzNode* a = s.addNode("A", cube());
    DzNode* b = s.addNode("B", cube(2.0f));
    DzNode* child = nodeWithMesh(openQuad());
    child->setLabel("Child");
    a->addNodeChild(child);
    DzNode* hidden = s.addNode("Hidden", cube());
    hidden->setVisible(false);
    a->select(true);

    auto exported = [&](std::initializer_list<std::pair<const char*, bool>> flags) {
        SilentOptions o;
        o.setBoolValue("GroupGeom", false);
        o.setBoolValue("IgnoreInvisible", false);
        for (const auto& [key, value] : flags)
            o.setBoolValue(key, value);
        QStringList groups;
        if (s.exporter()->writeFile(s.path("sel.obj"), &o) != 0)
            return groups;
        for (const QByteArray& g : ObjIoSession::statements(s.path("sel.obj"), "g"))
            groups << QString::fromUtf8(g.mid(2));
        return groups;
    };

    EXPECT_EQ(exported({}), QStringList({"A", "B", "Child", "Hidden"}));  // scene order
    EXPECT_EQ(exported({{"IgnoreInvisible", true}}), QStringList({"A", "B", "Child"}));
    EXPECT_EQ(exported({{"SelectedOnly", true}}), QStringList({"A"}));
    EXPECT_EQ(exported({{"SelectedOnly", true}, {"IncludeParented", true}}),
              QStringList({"A", "Child"}));
    EXPECT_EQ(exported({{"SelectedOnly", true}, {"SelectedRootsOnly", true}}), QStringList({"A"}));
    child->select(true);  // a selected child under a selected root is not a root of its own
    EXPECT_EQ(exported({{"SelectedRootsOnly", true}}), QStringList({"A"}));
    EXPECT_EQ(exported({{"SelectedOnly", true}}), QStringList({"A", "Child"}));
    dzScene->setPrimarySelection(b);
    EXPECT_EQ(exported({{"PrimaryRootOnly", true}}), QStringList({"B"}));
}

// A failed export names the file and the system's reason, and leaves whatever the path held;
// a link at the path (one planted in a shared temporary folder) is never written through.
TEST(ObjExport, FailuresKeepWhatThePathHeldAndSayWhy)
{
    enum Held { Nothing, File, Folder, Link, DanglingLink, HardLink };
    struct Case {
        const char* what;
        Held held;
        const char* file;
        bool selectedOnly;
        rlim_t sizeLimit;  // 0: none
        DzError code;
        const char* expected;  // %1: the path
    };
    const Case cases[] = {
        {"nothing to export", File, "out.obj", true, 0, DZ_NOTHING_TO_EXPORT, "There is nothing to export to %1"},
        {"a missing folder", Nothing, "missing/out.obj", false, 0, DZ_WRITE_FILE_ERROR,
         "Could not write %1: No such file or directory"},
        {"a folder at the path", Folder, "out.obj", false, 0, DZ_WRITE_FILE_ERROR, "Could not write %1: Is a directory"},
        {"no room", File, "out.obj", false, 128, DZ_WRITE_FILE_ERROR, "Could not write %1: File too large"},
        {"a link at the path", Link, "out.obj", false, 0, DZ_FILE_LINK_ERROR,
         "Could not write %1: it is a symbolic link"},
        {"a dangling link at the path", DanglingLink, "out.obj", false, 0, DZ_FILE_LINK_ERROR,
         "Could not write %1: it is a symbolic link"},
        {"a hard link at the path", HardLink, "out.obj", false, 0, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ObjIoSession s;
        s.addNode("Cube", cube());
        const QString path = s.path(c.file);
        const QString victim = s.path("victim.obj");
        writeFile(victim, "precious");
        ASSERT_TRUE(setMode(victim, 0640));  // a file replaced keeps its permissions
        switch (c.held) {
        case File: writeFile(path, "v 1 2 3\n"); break;
        case Folder: ASSERT_TRUE(QDir().mkpath(path)); break;
        case Link: ASSERT_TRUE(QFile::link(victim, path)); break;
        case DanglingLink: ASSERT_TRUE(QFile::link(s.path("planted.obj"), path)); break;
        case HardLink: ASSERT_EQ(::link(QFile::encodeName(victim).constData(), QFile::encodeName(path).constData()), 0); break;
        case Nothing: break;
        }
        const auto entries = [&] { return QDir(s.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); };
        const QStringList before = entries();
        SilentOptions o;
        o.setBoolValue("SelectedOnly", c.selectedOnly);
        DzError code = 0;
        {
            std::optional<FileSizeLimit> limit;
            if (c.sizeLimit)
                limit.emplace(c.sizeLimit);
            code = s.exporter()->writeFile(path, &o);
        }
        EXPECT_EQ(code, c.code);
        EXPECT_EQ(readFile(victim), "precious");
        if (code == 0) {
            EXPECT_TRUE(readFile(path).startsWith("v "));
            EXPECT_EQ(QFileInfo(path).permissions(), QFileInfo(victim).permissions());
            continue;
        }
        const QString message = dzApp->getExportMgr()->getErrorMessage(code);
        EXPECT_TRUE(message.contains(QString(c.expected).arg(path))) << message.toStdString();
        EXPECT_EQ(entries(), before);
        if (c.held == File) {
            EXPECT_EQ(readFile(path), "v 1 2 3\n");
        }
    }
}

TEST(ObjExport, RunSilentZeroAsksForOptionsAndOneNeverDoes)
{
    ObjIoSession s;
    s.addNode("Cube", cube());
    testcontent::DialogAnswerer closer;
    const auto titles = [&] {
        QStringList out;
        for (const testcontent::SeenDialog& seen : closer.seen())
            out << seen.title;
        return out;
    };
    SilentOptions o;
    EXPECT_EQ(s.exporter()->writeFile(s.path("a.obj"), &o), 0);
    o.setIntValue("RunSilent", 0);
    EXPECT_EQ(s.exporter()->writeFile(s.path("b.obj"), &o), DZ_USER_CANCELLED);
    EXPECT_FALSE(QFile::exists(s.path("b.obj")));
    EXPECT_EQ(s.importer()->readFile(s.path("a.obj"), &o), DZ_USER_CANCELLED);
    EXPECT_EQ(titles(), QStringList({"OBJ Export Options", "OBJ Import Options"}));
}
