#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include "studio_run.h"

// The example a user copies for unattended work: every older figure of a scene converted and
// saved, and the saved morphs there for a fresh Genesis 9 in a new session.
TEST(ExampleScripts, ConvertAllFiguresConvertsEverySourceAndSavesItsMorphs)
{
    QTemporaryDir library;
    QFile script(QStringLiteral(KVR_SOURCE_DIR "/examples/convert-all-figures.js"));
    ASSERT_TRUE(script.open(QIODevice::ReadOnly));
    const StudioRun run = runStudio({"--content-dir", KVR_CONTENT_DIR, "--scene", "Scenes/Several Sources.duf",
                                     "--script-arg", library.path(), "--script-arg", "Example Vendor",
                                     "--answer", "Convert figure*=Convert", "--answer", "Conversion complete*=Close",
                                     "--answer", "Error*=OK"},
                                    QString::fromUtf8(script.readAll()), 300);
    ASSERT_EQ(run.exitCode, 0) << run.stdErr.toStdString() << run.stdOut.toStdString();
    EXPECT_EQ(run.stdOut,
              "Converting 3 figures; saving to " + library.path() + "\n"
              "  Genesis 3 Male: Genesis 3 Male converted to G9 Head, Genesis 3 Male converted to G9 Body\n"
              "  Genesis 8 Female: Genesis 8 Female converted to G9 Head, Genesis 8 Female converted to G9 Body\n"
              "  Genesis 8.1 Male: Genesis 8.1 Male converted to G9 Head, Genesis 8.1 Male converted to G9 Body\n"
              "Done.\n");

    QStringList saved;
    for (QDirIterator it(library.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        saved << QFileInfo(it.next()).fileName();
    EXPECT_EQ(saved.size(), 6) << saved.join(", ").toStdString();

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
    ASSERT_EQ(reload.exitCode, 0) << reload.stdErr.toStdString();
    EXPECT_EQ(reload.stdOut,
              "Genesis 3 Male converted to G9 Body\nGenesis 3 Male converted to G9 Head\n"
              "Genesis 8 Female converted to G9 Body\nGenesis 8 Female converted to G9 Head\n"
              "Genesis 8.1 Male converted to G9 Body\nGenesis 8.1 Male converted to G9 Head\n");
}
