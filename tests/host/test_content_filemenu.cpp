#include <gtest/gtest.h>

#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "../../host/src/gui/dzcontentlibrarypane.h"
#include "../../host/src/gui/dzfilemenu.h"
#include "../../host/src/gui/dzrecentfiles.h"
#include "qt_wait.h"
#include "test_content_support.h"

using namespace testcontent;

// The File menu and the Content Library pane, as widgets a user clicks and types into.
namespace {

const QString qsSample = "Scenes/Sample Conversion.duf";

QString stock(const QString& relativePath) { return contentMgr()->getAbsolutePath(relativePath); }

// A menu opened as the user opens it, with the key typed in it (a mnemonic).
void typeInMenu(QMenu* menu, char key)
{
    menu->popup(QPoint(10, 10));
    ASSERT_EVENTUALLY(menu->isVisible());
    QTest::keyClick(menu, key);
}

} // namespace

TEST(FileMenu, OpenMergeSaveAndRecentFilesDoWhatTheySay)
{
    QTemporaryDir work;
    TestApp app;
    DzFileMenu menu;
    QString chosen;
    QList<DzFileMenu::Request> asked;
    menu.setFileChooser([&](DzFileMenu::Request request) {
        asked << request;
        return chosen;
    });

    chosen = stock("People/Genesis 9/Genesis 9.duf");
    typeInMenu(&menu, 'M');
    chosen = stock("Props/Primitive Sphere.duf");
    typeInMenu(&menu, 'M');
    EXPECT_EQ(rootLabels(), (QStringList{"Genesis 9", "Sphere"}));

    chosen = work.filePath("Work");  // the suffix is added
    typeInMenu(&menu, 'A');
    ASSERT_TRUE(QFileInfo::exists(work.filePath("Work.duf")));

    chosen = stock(qsSample);
    typeInMenu(&menu, 'O');
    EXPECT_EQ(rootLabels(), (QStringList{"Genesis 8.1 Female", "Genesis 9"}));

    chosen.clear();  // cancelled: nothing changes
    typeInMenu(&menu, 'O');
    EXPECT_EQ(rootLabels(), (QStringList{"Genesis 8.1 Female", "Genesis 9"}));
    using R = DzFileMenu::Request;
    EXPECT_EQ(asked, (QList<R>{R::Merge, R::Merge, R::SaveAs, R::Open, R::Open}));

    // Open Recent: the scenes opened and saved (not the files merged), most recent first; the
    // second is the saved scene, and opening it replaces the sample.
    menu.rebuildRecentMenu();
    QStringList entries;
    for (QAction* action : menu.recentMenu()->actions())
        entries << action->text();
    EXPECT_EQ(entries, (QStringList{"&1 Sample Conversion.duf", "&2 Work.duf"}));
    menu.recentMenu()->actions().at(1)->trigger();
    EXPECT_EQ(rootLabels(), (QStringList{"Genesis 9", "Sphere"}));
}

TEST(FileMenu, RecentFilesAreFewMostRecentFirstAndOnlyThoseThatExist)
{
    QTemporaryDir work, home;
    DzAppOptions options = TestApp::defaultOptions();
    options.homeDir = home.path();
    auto app = std::make_unique<TestApp>(options);
    QStringList files;
    for (int i = 0; i < dzrecentfiles::kMaxRecentFiles + 2; ++i) {
        files.prepend(work.filePath(QStringLiteral("%1.duf").arg(i)));
        ASSERT_TRUE(writeFile(files.first(), "{}"));
        dzrecentfiles::add(files.first());
    }
    EXPECT_EQ(dzrecentfiles::files(), files.mid(0, dzrecentfiles::kMaxRecentFiles));

    dzrecentfiles::add(files[5]);  // again: moved first, not listed twice
    QStringList expected = files.mid(0, dzrecentfiles::kMaxRecentFiles);
    expected.move(5, 0);
    EXPECT_EQ(dzrecentfiles::files(), expected);

    ASSERT_TRUE(QFile::remove(files[0]));
    expected.removeOne(files[0]);
    EXPECT_EQ(dzrecentfiles::files(), expected);

    // The next session on the same home has them.
    app = std::make_unique<TestApp>(options);
    EXPECT_EQ(dzrecentfiles::files(), expected);
}

// In a window an open over a scene with nodes asks first, and a failure shows its reason; a
// headless session asks nothing and shows nothing.
TEST(FileMenu, AWindowSessionAsksBeforeReplacingAndShowsWhyALoadFailed)
{
    struct Case {
        bool headless;
        const char* file;
        const char* press;
        QStringList dialogs;    // titles, in order
        const char* shown;      // in the last dialog's text
        QStringList labels;     // afterwards
    };
    const QStringList kept{"Sphere"}, sample{"Genesis 8.1 Female", "Genesis 9"};
    const Case cases[] = {
        {true, "Scenes/Sample Conversion.duf", "", {}, "", sample},
        {false, "Scenes/Sample Conversion.duf", "Open", {"Open Scene"}, "in place of the current scene", sample},
        {false, "Scenes/Sample Conversion.duf", "Cancel", {"Open Scene"}, "Open \"Sample Conversion.duf\"", kept},
        {false, "Tests/Unreadable File.duf", "Open", {"Open Scene", "Error opening file", "Open Scene"},
         "Could not load \"Unreadable File.duf\".\n\ncannot open", kept},
        {true, "Tests/Unreadable File.duf", "Open", {"Error opening file"}, "", kept},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + (c.headless ? " headless" : " in a window"));
        DzAppOptions options = TestApp::defaultOptions();
        options.headless = c.headless;
        TestApp app(options);
        ASSERT_TRUE(openStock("Props/Primitive Sphere.duf"));
        DzFileMenu menu;
        menu.setFileChooser([&](DzFileMenu::Request) { return stock(c.file); });
        DialogAnswerer answerer(c.press);
        menu.openAction()->trigger();
        QStringList titles;
        for (const SeenDialog& seen : answerer.seen())
            titles << seen.title;
        EXPECT_EQ(titles, c.dialogs);
        const QString lastText = answerer.seen().isEmpty() ? QString() : answerer.seen().last().text;
        EXPECT_TRUE(lastText.contains(c.shown)) << lastText.toStdString();
        EXPECT_EQ(rootLabels(), c.labels);
    }
}

namespace {

// A library with what the pane shows and what it leaves out.
struct PaneLibrary {
    QTemporaryDir dir;
    std::unique_ptr<TestApp> app;

    PaneLibrary()
    {
        for (const char* file : {"People/B Figures/Fig.duf", "People/a/deep/Deep.duf", "People/Empty/readme.txt",
                                 "Scenes/Sample.duf", "Props/Ball.duf", "Props/ball.txt", "Other/Hidden.duf",
                                 "data/x/y.duf"})
            writeFile(dir.filePath(file), "{}");
        QDir().mkpath(dir.filePath("People/Nothing"));
        DzAppOptions options = TestApp::defaultOptions();
        options.contentDirs = QStringList{dir.path(), contentDir()};
        app = std::make_unique<TestApp>(options);
    }
};

// The tree below an item, one line per item, indented by depth.
QStringList outline(const QTreeWidgetItem* item, int depth = 0)
{
    QStringList lines{QString(depth * 2, ' ') + item->text(0)};
    for (int i = 0; i < item->childCount(); ++i)
        lines << outline(item->child(i), depth + 1);
    return lines;
}

} // namespace

TEST(ContentLibraryPane, ShowsPeopleScenesAndPropsOfEachDirectoryWithTheirDufFilesOnly)
{
    PaneLibrary library;
    DzContentLibraryPane pane;
    QTreeWidget* tree = pane.tree();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(outline(tree->topLevelItem(0)),
              (QStringList{QDir(library.dir.path()).dirName(), "  People", "    a", "      deep", "        Deep",
                           "    B Figures", "      Fig", "  Scenes", "    Sample", "  Props", "    Ball"}));
    EXPECT_EQ(tree->topLevelItem(1)->text(0), QDir(contentDir()).dirName());
    EXPECT_NE(pane.findItem(1, "People/Genesis 9/Genesis 9.duf"), nullptr);
    EXPECT_NE(pane.findItem(1, qsSample), nullptr);
    EXPECT_EQ(pane.findItem(1, "Tests/Missing Assets.duf"), nullptr);

    // Files that appear later are there when the pane is shown again.
    writeFile(library.dir.filePath("Props/New.duf"), "{}");
    EXPECT_EQ(pane.findItem(0, "Props/New.duf"), nullptr);
    pane.show();
    EXPECT_NE(pane.findItem(0, "Props/New.duf"), nullptr);
}

TEST(ContentLibraryPane, DoubleClickMergesAFigureAndOpensASceneInPlaceOfTheScene)
{
    TestApp app;
    DzContentLibraryPane pane;
    pane.resize(400, 900);
    pane.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
    auto doubleClick = [&](const QString& relativePath) {
        QTreeWidgetItem* item = pane.findItem(0, relativePath);
        ASSERT_NE(item, nullptr) << relativePath.toStdString();
        for (QTreeWidgetItem* parent = item->parent(); parent; parent = parent->parent())
            parent->setExpanded(true);
        pane.tree()->scrollToItem(item);
        const QRect rect = pane.tree()->visualItemRect(item);
        // A double click as the window system delivers it: press, release, double click, release.
        QTest::mouseClick(pane.tree()->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(pane.tree()->viewport(), Qt::LeftButton, {}, rect.center());
    };
    doubleClick("People/Genesis 9/Genesis 9.duf");
    doubleClick("Props/Primitive Sphere.duf");
    EXPECT_EQ(rootLabels(), (QStringList{"Genesis 9", "Sphere"}));
    doubleClick(qsSample);
    EXPECT_EQ(rootLabels(), (QStringList{"Genesis 8.1 Female", "Genesis 9"}));
    doubleClick("People/Genesis 3 Male/Genesis 3 Male.duf");
    EXPECT_EQ(rootLabels(), (QStringList{"Genesis 8.1 Female", "Genesis 9", "Genesis 3 Male"}));
    // A folder only opens or closes.
    doubleClick("People/Genesis 9");
    EXPECT_EQ(rootLabels().size(), 3);
    EXPECT_EQ(app.logLinesContaining("Content:"), QStringList());
}
