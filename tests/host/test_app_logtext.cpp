#include <gtest/gtest.h>

#include "../../host/src/app/dzlogtext.h"
#include "../../host/src/app/dzopenurl.h"
#include "qt_print.h"

// How the Log pane reads what the log file keeps, and which URL the host opens for a text.
namespace {

struct LogCase {
    const char* name;
    QString text;      // as written to the log
    QString brief;     // the pane without details ("" hides it)
    QString detailed = {};  // the pane with details; null: as brief
};

// Readable names in test listings.
void PrintTo(const LogCase& c, std::ostream* os) { *os << c.name; }

const QString kEm = QString::fromUtf8("\u2014");

const LogCase kLogCases[] = {
    {"MessageBoxHtmlReadsAsParagraphs",
     "Message box \"Error " + kEm + " K\": <p><b>Could not convert figure.</b></p>\n<p>Failed to find X.</p>",
     "Message box \"Error " + kEm + " K\":\nCould not convert figure.\nFailed to find X."},
    {"EntitiesAreDecoded", "Saved to <b>A &amp; B</b> &lt;ok&gt; &#8220;x&#8221;",
     QString::fromUtf8("Saved to A & B <ok> \u201cx\u201d")},
    {"PlainTextWithAngleBracketsStays", "if a < b and c > d: 5 & 6", "if a < b and c > d: 5 & 6"},
    {"PlainLinesKeepTheirIndent", "Loaded:  \n  one\n  two", "Loaded:\n  one\n  two"},
    {"LeavingIsATrace", "Leaving Running Transfer Utility", "", "Leaving Running Transfer Utility"},
    {"LeavingInsideATextIsNoTrace", "TkKVR: Critical error: Leaving early", "TkKVR: Critical error: Leaving early"},
    {"DialogLabelsOnlyWithDetails",
     "Dialog \"Convert figure " + kEm + " K\": \n<p>About to convert <b>4 morphs</b>.</p>\nMorph name\n\n\nMorph path",
     "Dialog \"Convert figure " + kEm + " K\" opened",
     "Dialog \"Convert figure " + kEm + " K\":\nAbout to convert 4 morphs.\nMorph name\n\nMorph path"},
    {"UnansweredDialogIsNoDialogDump", "Dialog \"Q\" left unanswered for 30 s: <p>Why?</p>",
     "Dialog \"Q\" left unanswered for 30 s:\nWhy?"},
};

class LogReading : public testing::TestWithParam<LogCase> {};

TEST_P(LogReading, BriefAndDetailed)
{
    const LogCase& c = GetParam();
    const DzLogReading reading = dzReadLogText(c.text);
    EXPECT_EQ(reading.brief, c.brief);
    EXPECT_EQ(reading.detailed, c.detailed.isNull() ? c.brief : c.detailed);
}

INSTANTIATE_TEST_SUITE_P(Texts, LogReading, testing::ValuesIn(kLogCases),
                         [](const testing::TestParamInfo<LogCase>& info) { return info.param.name; });

struct UrlCase {
    const char* name;
    QString text;
    QString localFile;  // empty: not a local file
    QString url;        // what the desktop is given
};
// Readable names in test listings.
void PrintTo(const UrlCase& c, std::ostream* os) { *os << c.name; }


const UrlCase kUrlCases[] = {
    // "file:///" followed by an absolute path: four slashes.
    {"PluginsFileUrl", "file:////docs/A B/A B Manual.pdf", "/docs/A B/A B Manual.pdf",
     "file:///docs/A B/A B Manual.pdf"},
    {"ThreeSlashes", "file:///docs/x.pdf", "/docs/x.pdf", "file:///docs/x.pdf"},
    {"PercentAndHashAreLiteral", "file:////tmp/50% #1.pdf", "/tmp/50% #1.pdf", "file:///tmp/50%25 %231.pdf"},
    {"WebUrl", "https://example.org/a?b=c", "", "https://example.org/a?b=c"},
};

class UrlFromText : public testing::TestWithParam<UrlCase> {};

TEST_P(UrlFromText, FileUrlsTakeThePathLiterally)
{
    const UrlCase& c = GetParam();
    const QUrl url = dzUrlFromText(c.text);
    EXPECT_EQ(url.isLocalFile(), !c.localFile.isEmpty());
    if (url.isLocalFile()) {
        EXPECT_EQ(url.toLocalFile(), c.localFile);
    }
    EXPECT_EQ(url.toString(QUrl::FullyEncoded).replace("%20", " "), c.url);
}

INSTANTIATE_TEST_SUITE_P(Texts, UrlFromText, testing::ValuesIn(kUrlCases),
                         [](const testing::TestParamInfo<UrlCase>& info) { return info.param.name; });

} // namespace
