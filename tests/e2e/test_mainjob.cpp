#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "fidelity.h"
#include "studio_run.h"

namespace {

// A line of the report, as a pattern for the whole line; "ms" captures a time in milliseconds.
struct ReportLine {
    const char* pcszWhat;
    const char* pcszPattern;
};

const ReportLine aExpectedLines[] = {
    {"the dialog's title", "  Conversion complete.*"},
    {"the dialog's intro", "  The source figure “Genesis 8\\.1 Female” has been converted successfully\\."},
    {"its count", "  The target figure “rigged-for-mlp-\\S+” now contains 2 new morphs:"},
    {"its own time, the measured one beside it",
     "  Time taken: \\d+ seconds?   \\(measured: (?<ms>\\d+) ms\\)"},
    {"its list's heading", "  Newly created morphs"},
    {"the head morph's row", "  \\[ \\] Genesis 8\\.1 Female converted to G9 Head  <0\\.0%>.*\\[Show in Parameters\\]"},
    {"the body morph's row", "  \\[ \\] Genesis 8\\.1 Female converted to G9 Body  <0\\.0%>.*\\[Show in Parameters\\]"},
    {"its save form", "  Save checked morphs as support assets"},
    {"its button", ".*\\[Close\\].*"},
    {"the figure they are on", "New morphs on the Genesis 9 \\(labelled rigged-for-mlp-\\S+ by the conversion\\), left in "
                               "the scene, not saved as assets:"},
    {"why the converted figure keeps its stance",
     "    The Genesis 9 after the conversion, its 2 new morphs dialled to 100 %: .* It keeps its own stance, legs "
     "6\\.5 degrees closer together than the source's: a morph changes the shape, never the pose\\..*"},
    {"the head morph's place", "  Genesis 8\\.1 Female converted to G9 Head  .*Parameters group \"Kelvaro\""},
    {"the body morph's place", "  Genesis 8\\.1 Female converted to G9 Body  .*Parameters group \"Kelvaro\""},
    {"the first step", "   1 +\\d+\\.\\d  Normalizing target G9 figure"},
    {"the last step", "  18 +\\d+\\.\\d  Creating body morph.*"},
    {"the whole job", "  Whole job, Convert pressed to Success dialog: (?<ms>\\d+) ms"},
};

} // namespace

// The main job a new user runs first: the sample scene converted, the report and the pictures.
TEST(MainJob, ReportsTheNewMorphsTheStepsAndAFidelityWithinTheBoundsAndWritesFourPictures)
{
    QTemporaryDir pictures;
    const MainJobRun job = runSmallMainJob({}, pictures.path());
    const QString& out = job.stdOut;
    ASSERT_EQ(job.exitCode, 0) << out.toStdString() << job.stdErr.toStdString();

    // The measured time, given twice, is the same both times.
    QStringList times;
    for (const ReportLine& line : aExpectedLines) {
        const QRegularExpression pattern(QStringLiteral("^%1$").arg(line.pcszPattern),
                                         QRegularExpression::MultilineOption);
        const QRegularExpressionMatch match = pattern.match(out);
        EXPECT_TRUE(match.hasMatch()) << line.pcszWhat << "\n" << out.toStdString();
        if (match.hasMatch() && !match.captured("ms").isEmpty())
            times << match.captured("ms");
    }
    ASSERT_EQ(times.size(), 2);
    EXPECT_EQ(times[0], times[1]);

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
    // README shows the same pictures under the same captions.
    QFile readme(QStringLiteral(KVR_SOURCE_DIR "/README.md"));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    const QString readmeText = QString::fromUtf8(readme.readAll());
    const QRegularExpression caption(QStringLiteral("^  \\S+\\.png\\n    (.+)$"), QRegularExpression::MultilineOption);
    int cCaptions = 0;
    for (auto it = caption.globalMatch(out); it.hasNext(); ++cCaptions) {
        const QString text = it.next().captured(1);
        if (!text.startsWith(QStringLiteral("The source:"))) {  // its dials depend on the content
            EXPECT_TRUE(readmeText.contains("| " + text + " |")) << text.toStdString();
        }
    }
    EXPECT_EQ(cCaptions, 4);
    // The converted figure differs from the Genesis 9 it started as.
    EXPECT_NE(QImage(pictures.filePath("target-before.png")), QImage(pictures.filePath("target-after.png")));
}
