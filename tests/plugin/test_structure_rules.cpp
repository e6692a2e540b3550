#include <gtest/gtest.h>

#include <QProcess>

// The structure rules the compiler does not check (no include cycle, no Qt-5-only name, no
// host-internal include), run as CI runs them; the self-test plants each kind of problem in a
// scratch tree and must find every one of them and nothing else.
TEST(StructureRules, TheCheckFindsPlantedProblemsAndNoneInTheTree)
{
    for (const QStringList& arguments : {QStringList{"--self-test"}, QStringList{}}) {
        QProcess check;
        check.start(QStringLiteral(KVR_SOURCE_DIR "/scripts/check-structure"), arguments);
        ASSERT_TRUE(check.waitForFinished(60000));
        EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString()
                                       << check.readAllStandardError().toStdString();
    }
}
