#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "library_copy.h"
#include "studio_run.h"


// Every tool a user's script drives is one call away, and every type in those calls (DzError,
// the tools' enumerations, settings and node pointers) crosses into the script and back.
TEST(UserScripts, EveryToolMethodAUserScriptUsesCanBeCalled)
{
    QTemporaryDir work, library;
    const QString script = QString("var WORK = %1;\nvar LIBRARY = %2;\n").arg(scriptString(work.path()), scriptString(library.path()))
                           + readTestScript("user_tools.js");
    const StudioRun run = runStudio({}, script);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.stdErr.toStdString() << run.stdOut.toStdString();
    EXPECT_EQ(run.stdOut.count("ok "), 11) << run.stdOut.toStdString();

    EXPECT_EQ(filesBelow(library.path()), QStringList{"data/Daz 3D/Genesis 8/Female 8_1/Morphs/Script Vendor/Script Product/HeavyFromScript.dsf"});
}
