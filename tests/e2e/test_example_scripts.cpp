#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "library_copy.h"
#include "studio_run.h"

// The example a user copies for unattended work: every older figure of a scene converted and
// saved, and the saved morphs there for a fresh Genesis 9 in a new session.
namespace {

const QStringList qslAnswers{"--answer", "Convert figure*=Convert", "--answer", "Conversion complete*=Close",
                             "--answer", "Error*=OK"};

StudioRun runConvertAllFigures(const QStringList& scriptArgs)
{
    return runExample("convert-all-figures.js", scriptArgs, QStringList{"--scene", "Scenes/Several Sources.duf"} + qslAnswers);
}

} // namespace

TEST(ExampleScripts, ConvertAllFiguresConvertsEverySourceAndSavesItsMorphs)
{
    QTemporaryDir library;
    const StudioRun run = runConvertAllFigures({library.path(), "Example Vendor"});
    ASSERT_EQ(run.exitCode, 0) << run.describe();
    EXPECT_EQ(run.stdOut,
              "Converting 3 figures; saving to " + library.path() + "\n"
              "  Genesis 3 Male: Genesis 3 Male converted to G9 Head, Genesis 3 Male converted to G9 Body\n"
              "  Genesis 8 Female: Genesis 8 Female converted to G9 Head, Genesis 8 Female converted to G9 Body\n"
              "  Genesis 8.1 Male: Genesis 8.1 Male converted to G9 Head, Genesis 8.1 Male converted to G9 Body\n"
              "Done.\n");
    EXPECT_EQ(filesBelow(library.path()).size(), 6) << filesBelow(library.path()).join(", ").toStdString();

    // A new session: a fresh Genesis 9 has every saved morph, and each one moves it.
    const StudioRun reload = runStudio(
        {"--content-dir", KVR_CONTENT_DIR, "--content-dir", library.path()},
        "var cm = App.getContentMgr();\n"
        "cm.openFile(cm.getAbsolutePath('People/Genesis 9/Genesis 9.duf'), false);\n"
        "var object = Scene.findNodeByLabel('Genesis 9').getObject();\n"
        "var found = [];\n"
        "for (var i = 0; i < object.getNumModifiers(); ++i) {\n"
        "  var m = object.getModifier(i);\n"
        "  if (m.getName().indexOf('converted to G9') > 0 && m.getDeltas().getNumDeltas() > 100)\n"
        "    found.push(m.getName());\n"
        "}\n"
        "print(found.sort().join('\\n'));\n");
    ASSERT_EQ(reload.exitCode, 0) << reload.describe();
    EXPECT_EQ(reload.stdOut,
              "Genesis 3 Male converted to G9 Body\nGenesis 3 Male converted to G9 Head\n"
              "Genesis 8 Female converted to G9 Body\nGenesis 8 Female converted to G9 Head\n"
              "Genesis 8.1 Male converted to G9 Body\nGenesis 8.1 Male converted to G9 Head\n");
}

// Without a library the example never picks one (it used to save into the first content
// directory, the bundled one): it stops at once, says how to call it, and converts nothing.
TEST(ExampleScripts, ConvertAllFiguresWithoutALibrarySaysHowToCallIt)
{
    for (const QStringList& scriptArgs : {QStringList{}, QStringList{""}}) {
        const StudioRun run = runConvertAllFigures(scriptArgs);
        EXPECT_EQ(run.exitCode, 1) << run.describe();
        EXPECT_TRUE(run.stdErr.contains("no library to save into given; usage: studio --headless --scene SCENE "
                                        "--script convert-all-figures.js --script-arg LIBRARY"))
            << run.describe();
        EXPECT_EQ(run.stdOut, "") << run.describe();
        EXPECT_FALSE(run.logContains("Entering KvrConverter")) << run.describe();
    }
}
