#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTextStream>
#include <algorithm>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "studio_run.h"

// The user manual as the build installs it below the studio's documentation path, read back
// with poppler's tools the way a reader's viewer sees it.
namespace {

const QString manualPdf =
    QStringLiteral(KVR_BUILD_DIR "/docs/Plugins/Kelvaro for Genesis 9/Kelvaro for Genesis 9 Manual.pdf");
const QString manualFolder = QStringLiteral(KVR_SOURCE_DIR "/docs/manual");

QString runTool(const QString& tool, const QStringList& args)
{
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << tool.toStdString() << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString manualText()
{
    QFile file(manualFolder + QStringLiteral("/manual.md"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    return QString::fromUtf8(file.readAll());
}

struct TextHeading {
    QString number;  // as the PDF prints it: "3", "3.2"
    QString title;
};

// Chapters ("# ") and sections ("## ") in the order the text has them, numbered as printed.
std::vector<TextHeading> textHeadings()
{
    std::vector<TextHeading> headings;
    int iChapter = 0;
    int iSection = 0;
    QString text = manualText();
    QTextStream in(&text);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.startsWith(QLatin1String("# "))) {
            headings.push_back({QString::number(++iChapter), line.mid(2).trimmed()});
            iSection = 0;
        } else if (line.startsWith(QLatin1String("## "))) {
            headings.push_back({QStringLiteral("%1.%2").arg(iChapter).arg(++iSection), line.mid(3).trimmed()});
        }
    }
    return headings;
}

// The text of every page, laid out as printed; pdftotext ends each page with a form feed.
QStringList pdfPages()
{
    QStringList pages = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), manualPdf, QStringLiteral("-")})
                            .split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

bool hasHeadingLine(const QString& page, const TextHeading& heading)
{
    const QRegularExpression line(QStringLiteral("^\\s*%1\\s+%2\\s*$")
                                      .arg(QRegularExpression::escape(heading.number),
                                           QRegularExpression::escape(heading.title)),
                                  QRegularExpression::MultilineOption);
    return line.match(page).hasMatch();
}

class ManualPdf : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFileInfo::exists(manualPdf)) << "the manual is not built: " << manualPdf.toStdString();
        pages = pdfPages();
        ASSERT_FALSE(pages.isEmpty());
    }

    QStringList pages;
};

TEST_F(ManualPdf, HasATitlePageAndEveryChapterAndSectionUnderItsNumber)
{
    const QString info = runTool(QStringLiteral("pdfinfo"), {manualPdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)"))))
        << info.toStdString();
    EXPECT_GT(pages.size(), 10);

    EXPECT_TRUE(pages[0].contains(QLatin1String("Kelvaro for Genesis 9")));
    EXPECT_TRUE(pages[0].contains(QLatin1String("Version 1.0.5")));

    const std::vector<TextHeading> headings = textHeadings();
    ASSERT_GE(headings.size(), 30u) << "the manual's text has lost its chapters";
    int iLastPage = 0;
    for (const TextHeading& heading : headings) {
        int iPage = iLastPage;
        while (iPage < pages.size() && !hasHeadingLine(pages[iPage], heading))
            ++iPage;
        EXPECT_LT(iPage, pages.size()) << "heading " << heading.number.toStdString() << " "
                                       << heading.title.toStdString() << " is not printed in order";
        iLastPage = std::min(iPage, int(pages.size()) - 1);
    }
}

// Each contents line "3.2  Title ... 7" must send the reader to the page that shows the heading.
TEST_F(ManualPdf, ContentsGiveThePageOfEveryHeading)
{
    const std::vector<TextHeading> headings = textHeadings();
    ASSERT_TRUE(pages[1].contains(QLatin1String("Contents")));
    for (const TextHeading& heading : headings) {
        const QRegularExpression entry(QStringLiteral("^\\s*%1\\s+%2\\s+(\\d+)\\s*$")
                                           .arg(QRegularExpression::escape(heading.number),
                                                QRegularExpression::escape(heading.title)),
                                       QRegularExpression::MultilineOption);
        QRegularExpressionMatch match;
        for (int iPage = 1; iPage < pages.size() && !match.hasMatch(); ++iPage)
            match = entry.match(pages[iPage]);
        ASSERT_TRUE(match.hasMatch()) << "no contents entry for " << heading.title.toStdString();
        const int iPrinted = match.captured(1).toInt();
        ASSERT_GE(iPrinted, 1);
        ASSERT_LE(iPrinted, pages.size());
        EXPECT_TRUE(hasHeadingLine(pages[iPrinted - 1], heading))
            << heading.title.toStdString() << " is not on page " << iPrinted;
        EXPECT_TRUE(pages[iPrinted - 1].contains(QStringLiteral("Page %1 of %2").arg(iPrinted).arg(pages.size())));
    }
}

// Every picture the text names is in the PDF at the resolution of its file, so the dialogs stay
// legible when zoomed; a picture marked optional may still be missing.
TEST_F(ManualPdf, HoldsEveryPictureAtItsOwnResolution)
{
    const QRegularExpression reference(QStringLiteral("!\\[[^\\]]*\\]\\(([^) ]+)( \"optional\")?\\)"));
    std::vector<QSize> expected;
    for (auto it = reference.globalMatch(manualText()); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString path = manualFolder + QLatin1Char('/') + match.captured(1);
        if (!QFileInfo::exists(path)) {
            EXPECT_FALSE(match.captured(2).isEmpty()) << "missing picture " << path.toStdString();
            continue;
        }
        expected.push_back(QImageReader(path).size());
    }
    ASSERT_GE(expected.size(), 3u) << "the dialog screenshots are not in the text";

    // pdfimages -list: page num type width height ...; masks of transparent pictures are "smask".
    std::vector<QSize> embedded;
    const QStringList lines = runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), manualPdf})
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines.mid(2)) {
        const QStringList fields = line.simplified().split(QLatin1Char(' '));
        if (fields.size() > 4 && fields[2] == QLatin1String("image"))
            embedded.emplace_back(fields[3].toInt(), fields[4].toInt());
    }
    ASSERT_EQ(embedded.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(embedded[i], expected[i]) << "picture " << i;
}

// No word may run past the side margins or into the bottom margin, whatever the line holds.
TEST_F(ManualPdf, NoTextLeavesThePageArea)
{
    const QString boxes = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), manualPdf, QStringLiteral("-")});
    const QRegularExpression page(QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">"));
    const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    const QRegularExpressionMatch pageSize = page.match(boxes);
    ASSERT_TRUE(pageSize.hasMatch());
    const double width = pageSize.captured(1).toDouble();
    const double height = pageSize.captured(2).toDouble();
    const double margin = 15.0 / 25.4 * 72.0;  // inside the 20 mm side margins, with room for rounding
    int cWords = 0;
    for (auto it = word.globalMatch(boxes); it.hasNext(); ++cWords) {
        const QRegularExpressionMatch match = it.next();
        EXPECT_GE(match.captured(1).toDouble(), margin) << match.captured(5).toStdString();
        EXPECT_LE(match.captured(3).toDouble(), width - margin) << match.captured(5).toStdString();
        EXPECT_LE(match.captured(4).toDouble(), height - 5.0 / 25.4 * 72.0) << match.captured(5).toStdString();
    }
    EXPECT_GT(cWords, 3000);
}

// A chapter's anchor as links name it: the title in lower case, hyphens between its words.
QString anchorOf(const QString& title)
{
    QString anchor = title.toLower().replace(QRegularExpression(QStringLiteral("[^a-z0-9]+")), QStringLiteral("-"));
    return anchor.remove(QRegularExpression(QStringLiteral("^-+|-+$")));
}

struct Destination {
    int iPage;   // 1-based
    double top;  // points from the page's bottom edge
};

// pdfinfo -dests: "  17 [ XYZ   57  785 null      ] "name"".
std::map<QString, Destination> pdfDestinations()
{
    const QRegularExpression line(QStringLiteral("^\\s*(\\d+)\\s+\\[\\s*XYZ\\s+\\S+\\s+([\\d.]+)\\s+\\S+\\s*\\]\\s+\"(.*)\"$"),
                                  QRegularExpression::MultilineOption);
    std::map<QString, Destination> destinations;
    const QString listed = runTool(QStringLiteral("pdfinfo"), {QStringLiteral("-dests"), manualPdf});
    for (auto it = line.globalMatch(listed); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        destinations[match.captured(3)] = {match.captured(1).toInt(), match.captured(2).toDouble()};
    }
    return destinations;
}

// Points from the page's top edge to the top of the page's first word WORD (-1 when there is
// none), and the page's height.
std::pair<double, double> wordTop(int iPage, const QString& word)
{
    const QString boxes = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"),
                                                                QString::number(iPage), QStringLiteral("-l"),
                                                                QString::number(iPage), manualPdf, QStringLiteral("-")});
    const double height = QRegularExpression(QStringLiteral("<page width=\"[\\d.]+\" height=\"([\\d.]+)\""))
                              .match(boxes).captured(1).toDouble();
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("<word xMin=\"[\\d.]+\" yMin=\"([\\d.]+)\"[^>]*>%1</word>")
                               .arg(QRegularExpression::escape(word)))
            .match(boxes);
    return {match.hasMatch() ? match.captured(1).toDouble() : -1.0, height};
}

// A link "manual.pdf#nameddest=<chapter anchor>" opens the page of the chapter's heading with
// the heading at the window's top; the Convert morphs dialog's Help names its chapter so.
TEST_F(ManualPdf, EveryChapterIsANamedDestinationAtItsHeading)
{
    const std::map<QString, Destination> destinations = pdfDestinations();
    std::set<QString> chapters;
    for (const TextHeading& heading : textHeadings()) {
        if (heading.number.contains(QLatin1Char('.')))
            continue;
        const QString anchor = anchorOf(heading.title);
        chapters.insert(anchor);
        const auto it = destinations.find(anchor);
        ASSERT_NE(it, destinations.end()) << "no destination " << anchor.toStdString();
        const Destination& destination = it->second;
        ASSERT_GE(destination.iPage, 1);
        ASSERT_LE(destination.iPage, pages.size());
        EXPECT_TRUE(hasHeadingLine(pages[destination.iPage - 1], heading)) << anchor.toStdString() << " on page "
                                                                            << destination.iPage;
        const auto [top, height] = wordTop(destination.iPage, heading.number);
        // pdfinfo rounds to whole points; the heading's line starts at the destination's top.
        EXPECT_NEAR(height - destination.top, top, 1.5) << anchor.toStdString();
    }
    EXPECT_EQ(destinations.size(), chapters.size()) << "destinations that are no chapter";
    EXPECT_EQ(chapters.count(QStringLiteral("converting-morphs-one-by-one")), 1u);
}

// The destinations are added to Qt's PDF as an update; viewers find objects by the cross-reference
// offsets, and a wrong one makes some rebuild the file and others fail, so each must be exact.
TEST(ManualPdfFile, EveryCrossReferenceOffsetPointsAtItsObject)
{
    QFile file(manualPdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << manualPdf.toStdString();
    const QByteArray pdf = file.readAll();
    const QRegularExpression startXref(QStringLiteral("startxref\\s+(\\d+)\\s+%%EOF\\s*$"));
    const QRegularExpressionMatch last = startXref.match(QString::fromLatin1(pdf.right(64)));
    ASSERT_TRUE(last.hasMatch()) << "the file does not end with startxref";
    const QRegularExpression subsection(QStringLiteral("^(\\d+) (\\d+)$"));
    const QRegularExpression entry(QStringLiteral("^(\\d{10}) (\\d{5}) ([nf]) ?$"));
    const QRegularExpression prev(QStringLiteral("/Prev (\\d+)"));
    int cSections = 0;
    int cObjects = 0;
    for (int iXref = last.captured(1).toInt(); iXref >= 0; ++cSections) {
        ASSERT_LT(cSections, 10) << "the sections loop";
        ASSERT_EQ(pdf.mid(iXref, 5), "xref\n") << "offset " << iXref;
        const QStringList lines = QString::fromLatin1(pdf.mid(iXref)).split(QLatin1Char('\n'));
        int iLine = 1;
        for (QRegularExpressionMatch head; (head = subsection.match(lines[iLine])).hasMatch();) {
            const int iFirst = head.captured(1).toInt();
            for (int i = 0; i < head.captured(2).toInt(); ++i) {
                const QRegularExpressionMatch object = entry.match(lines[++iLine]);
                ASSERT_TRUE(object.hasMatch()) << "entry \"" << lines[iLine].toStdString() << "\"";
                if (object.captured(3) == QLatin1String("f"))
                    continue;
                const QByteArray expected = QStringLiteral("%1 %2 obj").arg(iFirst + i).arg(object.captured(2).toInt()).toLatin1();
                EXPECT_EQ(pdf.mid(object.captured(1).toInt(), expected.size()), expected);
                ++cObjects;
            }
            ++iLine;
        }
        ASSERT_EQ(lines[iLine], QLatin1String("trailer"));
        const int iTrailerEnd = lines.indexOf(QStringLiteral("startxref"), iLine);
        const QRegularExpressionMatch previous = prev.match(lines.mid(iLine, iTrailerEnd - iLine).join(QLatin1Char('\n')));
        iXref = previous.hasMatch() ? previous.captured(1).toInt() : -1;
    }
    EXPECT_EQ(cSections, 2) << "Qt's table and the destinations' update";
    EXPECT_GT(cObjects, 100);
}

// The studio looks for the manual below its default documentation path, where the build puts it.
TEST(ManualInStudio, TheManualActionOpensTheInstalledPdf)
{
    ASSERT_TRUE(QFileInfo::exists(manualPdf)) << "the manual is not built";
    const StudioRun run =
        runStudio({}, "MainWindow.getActionMgr().findAction('KvrOpenManualAction').trigger();\n");
    EXPECT_EQ(run.exitCode, 0) << run.stdErr.toStdString();
    EXPECT_TRUE(run.logContains(QStringLiteral("Opening URL: file:///") + manualPdf))
        << run.logLines.join('\n').toStdString();
    EXPECT_FALSE(run.logContains(QStringLiteral("Could not open PDF file")));
}

// What the manual tells a user to look for after installing: the plug-in's name and version, its
// library file and its two menu items, each as the loaded plug-in has them.
TEST(ManualInStudio, NamesThePluginItsLibraryAndItsMenuItemsAsLoaded)
{
    const StudioRun run = runStudio(
        {}, "var p = App.getPluginMgr().findPlugin(\"Tavrenik's Kelvaro\");\n"
            "print(p.name);\n"
            "print('version ' + p.version.split('.').slice(0, 3).join('.'));\n"
            "var library = p.filename.replace(/^.*\\//, '').replace(/\\.[^.]*$/, '');\n"
            "print(library + '.dll');\n"
            "print(library + '.dylib');\n"
            "var actions = MainWindow.getActionMgr();\n"
            "print(actions.findAction('KvrConvertFigureAction').text.replace('&', ''));\n"
            "print(actions.findAction('KvrOpenManualAction').text.replace('&', ''));\n");
    ASSERT_EQ(run.exitCode, 0) << run.describe();
    const QStringList names = run.stdOut.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(names.size(), 6) << run.describe();

    // Lines broken anywhere in the PDF read as one text.
    const QString manual = runTool(QStringLiteral("pdftotext"), {manualPdf, QStringLiteral("-")}).simplified();
    for (const QString& name : names)
        EXPECT_TRUE(manual.contains(name)) << "the manual never says " << name.toStdString();
}

} // namespace
