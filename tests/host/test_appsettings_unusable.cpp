#include <gtest/gtest.h>


#include "dzappsettings.h"
#include "test_app.h"
#include "test_files.h"
#include "test_fileio_conditions.h"

// A settings file the session cannot use: one log line names it and says why, the choices made
// hold until the session ends (any settings object reads them), and a file that could not be
// read is never written over.
TEST(AppSettingsUnusable, ChoicesHoldForTheSessionAndTheLogSaysWhyOnce)
{
    enum Obstacle { FolderAtThePath, UnreadableFile, ReadOnlyFolder };
    struct Case {
        const char* what;
        Obstacle obstacle;
        const char* logged;  // %1: the settings file
    };
    const Case cases[] = {
        {"a folder at the path", FolderAtThePath, "Settings: \"%1\" cannot be read: it is a folder"},
        {"a file nobody may read", UnreadableFile, "Settings: \"%1\" cannot be read: Permission denied"},
        {"a folder nobody may write", ReadOnlyFolder, "Settings: \"%1\" cannot be written: Permission denied"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestApp app;
        const QString path = app->settingsFilePath();
        const QByteArray kept = "[Kelvaro]\nwidth=12\n";
        if (c.obstacle == FolderAtThePath) {
            ASSERT_TRUE(QDir().mkpath(path));
        } else {
            ASSERT_TRUE(writeFile(path, kept));
        }
        ASSERT_TRUE(setMode(app.home(), c.obstacle == ReadOnlyFolder ? 0555 : 0777));
        // In the read-only folder the file itself could be written: the settings are replaced whole.
        ASSERT_TRUE(setMode(path, c.obstacle == UnreadableFile ? 0 : 0777));
        {
            WithoutPrivileges unprivileged;
            if (!unprivileged.active())
                GTEST_SKIP() << "running as root, and the user nobody is not available to check permissions";
            // Each object is gone before the next reads: nothing but the session keeps the values.
            EXPECT_FALSE(DzAppSettings("Kelvaro").setIntValue("depth", 3));
            EXPECT_FALSE(DzAppSettings("Kelvaro").setStringValue("name", "mine"));
            EXPECT_EQ(DzAppSettings("Kelvaro").getIntValue("depth"), 3);
            EXPECT_EQ(DzAppSettings("Kelvaro").getStringValue("name"), "mine");
            EXPECT_FALSE(DzAppSettings("Kelvaro").removeValue("name"));
            EXPECT_FALSE(DzAppSettings("Kelvaro").hasKey("name"));
            EXPECT_EQ(DzAppSettings("Kelvaro").getIntValue("width", 7), c.obstacle == ReadOnlyFolder ? 12 : 7);
        }
        EXPECT_EQ(app.logLinesContaining(path), QStringList{QString(c.logged).arg(path) +
                                                            "; choices are kept until the session ends but not saved"});
        ASSERT_TRUE(setMode(app.home(), 0700) && setMode(path, 0755));
        if (c.obstacle == FolderAtThePath)
            continue;
        EXPECT_EQ(readFile(path), kept);
        // Usable again, the file takes what is set, and nothing held shadows it.
        EXPECT_TRUE(DzAppSettings("Kelvaro").setIntValue("depth", 4));
        EXPECT_EQ(DzAppSettings("Kelvaro").getIntValue("depth"), 4);
    }
}
