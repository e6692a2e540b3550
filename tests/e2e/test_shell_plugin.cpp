#include <gtest/gtest.h>

#include <QFileInfo>
#include <QMenu>
#include <iterator>

#include "dzmainwindow.h"
#include "dzplugin.h"
#include "dzpluginmgr.h"
#include "studio_run.h"
#include "test_app.h"

namespace {

const QString kPluginFile = QStringLiteral(KVR_PLUGIN_DIR "/TK_kelvaro.so");

// The host as the studio starts it, with the plug-in folder of the build: the plug-in is
// loaded from there and both actions stand in its menu, in order.
TEST(ShellInHost, PluginLoadsAndPlacesBothActionsInItsMenu)
{
    DzAppOptions options = TestApp::defaultOptions();
    options.pluginDir = QStringLiteral(KVR_PLUGIN_DIR);
    TestApp app(options);
    app->startup();
    ASSERT_TRUE(QFileInfo::exists(kPluginFile));
    DzPlugin* pPlugin = app->getPluginMgr()->findPlugin(QStringLiteral("Tavrenik's Kelvaro"));
    ASSERT_NE(pPlugin, nullptr) << app->logLines().join('\n').toStdString();
    EXPECT_EQ(QFileInfo(pPlugin->getFilename()).canonicalFilePath(), QFileInfo(kPluginFile).canonicalFilePath());
    EXPECT_EQ(pPlugin->getStatus(), 0);
    EXPECT_TRUE(pPlugin->isActivated());
    EXPECT_EQ(pPlugin->getVersion().toString(), QStringLiteral("1.0.5.0"));
    EXPECT_EQ(pPlugin->getAuthor(), QStringLiteral("Tavrenik"));

    QMenu* pMenu = app->getInterface()->findMenu(QStringLiteral("Co&nvert"));
    ASSERT_NE(pMenu, nullptr);
    EXPECT_EQ(pMenu->title(), QStringLiteral("Co&nvert")) << "the mnemonic is kept";
    const QList<QAction*> actions = pMenu->actions();
    struct Expected {
        const char* pcszText;
        const char* pcszShortcut;
        const char* pcszClass;
    };
    const Expected expected[] = {
        {"Convert selected Genesis 3 / 8 / 8.1 &figure...", "Ctrl+Alt+C", "KvrConvertFigureAction"},
        {"Convert selected Genesis 3 / 8 / 8.1 &morphs one by one...", "Ctrl+Alt+M", "KvrConvertMorphsAction"},
        {"Open Kelvaro PDF manual", "", "KvrOpenManualAction"},
    };
    ASSERT_EQ(actions.size(), int(std::size(expected)));
    for (int i = 0; i < actions.size(); ++i) {
        EXPECT_EQ(actions[i]->text(), QString::fromUtf8(expected[i].pcszText));
        EXPECT_EQ(actions[i]->shortcut(), QKeySequence(QString::fromLatin1(expected[i].pcszShortcut)));
        EXPECT_STREQ(actions[i]->metaObject()->className(), expected[i].pcszClass);
    }
}

TEST(ShellInStudio, ScriptsFindAndConstructBothActions)
{
    const StudioRun run = runStudio(
        {},
        QStringLiteral("var made = [new KvrConvertFigureAction(), new KvrOpenManualAction()];\n"
                       "for (var i = 0; i < made.length; ++i)\n"
                       "    print('made: ' + made[i].text + ' | ' + made[i].getDescription());\n"
                       "var mgr = MainWindow.getActionMgr();\n"
                       "print('found: ' + mgr.findAction('KvrConvertFigureAction').text);\n"
                       "print('found: ' + mgr.findAction('KvrOpenManualAction').text);\n"));
    ASSERT_EQ(run.exitCode, 0) << run.describe();
    EXPECT_EQ(run.stdOut, QStringLiteral("made: Convert selected Genesis 3 / 8 / 8.1 &figure... | Converts the "
                                         "morphs in the selected Genesis 3/8/8.1 figure to the selected G9 figure.\n"
                                         "made: Open Kelvaro PDF manual | Opens the PDF user manual for Tavrenik's "
                                         "Kelvaro\n"
                                         "found: Convert selected Genesis 3 / 8 / 8.1 &figure...\n"
                                         "found: Open Kelvaro PDF manual\n"));
    EXPECT_TRUE(run.logContains(QStringLiteral("Loaded plug-in Tavrenik's Kelvaro 1.0.5.0 (")));
}

} // namespace
