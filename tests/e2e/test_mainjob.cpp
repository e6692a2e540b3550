#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "fidelity.h"

// The main job a new user runs first: the sample scene converted, the report and the pictures.
TEST(MainJob, ReportsTheNewMorphsTheStepsAndAFidelityWithinTheBoundsAndWritesFourPictures)
{
    QTemporaryDir pictures;
    QProcess job;
    job.start(QStringLiteral(KVR_BUILD_DIR "/bin/mainjob"), {"--small", "--pictures", pictures.path()});
    ASSERT_TRUE(job.waitForFinished(120000));
    const QString out = QString::fromUtf8(job.readAllStandardOutput());
    ASSERT_EQ(job.exitCode(), 0) << out.toStdString() << job.readAllStandardError().toStdString();

    EXPECT_TRUE(out.contains("Genesis 8.1 Female converted to G9 Head  on \"rigged-for-mlp-")) << out.toStdString();
    EXPECT_TRUE(out.contains("Genesis 8.1 Female converted to G9 Body  on \"rigged-for-mlp-")) << out.toStdString();
    EXPECT_TRUE(out.contains("Parameters group \"Kelvaro\""));
    for (const char* pcszStep : {" 1 ", "Normalizing target G9 figure", "18 ", "Creating body morph",
                                 "Whole job, Convert pressed to Success dialog: "})
        EXPECT_TRUE(out.contains(pcszStep)) << pcszStep;

    const QRegularExpressionMatch rms = QRegularExpression("root mean square [0-9.]+ cm \\(([0-9.]+) %").match(out);
    const QRegularExpressionMatch max = QRegularExpression("largest +[0-9.]+ cm \\(([0-9.]+) %\\)").match(out);
    ASSERT_TRUE(rms.hasMatch() && max.hasMatch()) << out.toStdString();
    EXPECT_LT(rms.captured(1).toDouble(), 100 * fRmsRelativeBound);
    EXPECT_LT(max.captured(1).toDouble(), 100 * fMaxRelativeBound);
    EXPECT_GT(max.captured(1).toDouble(), 0.0);

    for (const char* pcszPicture : {"source.png", "target-before.png", "target-after.png", "distance.png"}) {
        const QImage picture(pictures.filePath(pcszPicture));
        EXPECT_EQ(picture.size(), QSize(800, 900)) << pcszPicture;
    }
    // The converted figure differs from the Genesis 9 it started as.
    EXPECT_NE(QImage(pictures.filePath("target-before.png")), QImage(pictures.filePath("target-after.png")));
}
