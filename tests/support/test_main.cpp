#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

// Every test executable runs with a QApplication on the offscreen platform, so widgets,
// timers and event loops behave as they do in the studio. CTest starts one process per test:
// its temporary files, and those of the studios it starts (which inherit TMPDIR), go into a
// folder of its own, removed when it ends.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir tempDir(QDir::tempPath() + QStringLiteral("/kvr-test-XXXXXX"));
    if (tempDir.isValid()) {
        // Passable by others, as /tmp is: tests that drop root's privileges still reach their
        // own folders inside it.
        QFile::setPermissions(tempDir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                  QFile::ExeGroup | QFile::ExeOther);
        qputenv("TMPDIR", QFile::encodeName(tempDir.path()));
    }
    int status = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        status = RUN_ALL_TESTS();
    }
    return status;
}
