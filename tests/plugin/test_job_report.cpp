#include <gtest/gtest.h>

#include "kvr_job-report.h"

TEST(JobReport, TheNoteListsMissingMorphsByNameWithTheirValuesInPercent)
{
    EXPECT_EQ(missingMorphsNote({}), "");
    EXPECT_EQ(missingMorphsNote({{"b_morph", 0.25f}, {"a_morph", -0.05f}, {"Z", 1.0f}}),
              "<p><b>Note:</b> The following morphs had non-zero values in the source figure but could not be "
              "found in the target figure created by the Transfer Utility:</p>"
              "<ul><li>Z (100.0%)</li><li>a_morph (-5.0%)</li><li>b_morph (25.0%)</li></ul>");
}

TEST(JobReport, TheDurationCountsWholeSeconds)
{
    EXPECT_EQ(jobDurationText(61500), "1:01 minutes");
    EXPECT_EQ(jobDurationText(999), "0 seconds");
    EXPECT_EQ(jobDurationText(1000), "1 second");
}
