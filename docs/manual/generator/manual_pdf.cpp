#include "manual_pdf.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextFrame>
#include <QTextOption>
#include <memory>
#include <vector>

#include "manual_style.h"

namespace manual {

namespace {

// An empty document laid out on the pages like the body.
std::unique_ptr<QTextDocument> newPagedDocument(const PageSetup& page)
{
    auto pDoc = std::make_unique<QTextDocument>();
    pDoc->documentLayout()->setPaintDevice(page.pWriter);
    pDoc->setUseDesignMetrics(true);
    pDoc->setDefaultFont(style::textFont());
    pDoc->setDocumentMargin(0);
    pDoc->setIndentWidth(page.points(style::indentPt));
    pDoc->setPageSize(page.body);
    return pDoc;
}

QTextCharFormat textChars(qreal pt, const QColor& colour, bool bBold = false)
{
    QTextCharFormat chars;
    chars.setFontPointSize(pt);
    chars.setForeground(colour);
    chars.setFontWeight(bBold ? QFont::Bold : QFont::Normal);
    return chars;
}

void fillTitlePage(QTextDocument& doc, const ManualInfo& info, const PageSetup& page)
{
    QTextCursor cursor(&doc);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);

    // A frame's first block keeps no top margin, so the frame's own margin lowers the title.
    QTextFrameFormat frame = doc.rootFrame()->frameFormat();
    frame.setTopMargin(page.layoutUnits(page.body.height()) * 0.3);
    doc.rootFrame()->setFrameFormat(frame);

    QTextBlockFormat name = centred;
    name.setBottomMargin(page.points(12));
    cursor.setBlockFormat(name);
    cursor.setCharFormat(textChars(style::titlePt, style::headingColour, true));
    cursor.insertText(info.title);

    QTextBlockFormat subtitle = centred;
    subtitle.setBottomMargin(page.points(36));
    cursor.insertBlock(subtitle, textChars(style::sectionPt, style::quietColour));
    cursor.insertText(QStringLiteral("User manual"));

    cursor.insertBlock(centred, textChars(style::subsectionPt, Qt::black));
    cursor.insertText(QStringLiteral("Version %1").arg(info.version));
}

// One line per chapter and section: number, title and, right-aligned, its page. The numbers
// may be placeholders: the layout is the same whatever they are, so the contents can be laid
// out before the body's pages are known.
void fillContents(QTextDocument& doc, const std::vector<Heading>& headings, const std::vector<int>& pages,
                  const PageSetup& page)
{
    QTextCursor cursor(&doc);
    QTextBlockFormat heading;
    heading.setBottomMargin(page.points(14));
    cursor.setBlockFormat(heading);
    cursor.setCharFormat(textChars(style::chapterPt, style::headingColour, true));
    cursor.insertText(QStringLiteral("Contents"));

    const qreal width = page.layoutUnits(page.body.width());
    for (size_t i = 0; i < headings.size(); ++i) {
        const Heading& entry = headings[i];
        const bool bChapter = entry.iLevel == 1;
        QTextBlockFormat line;
        line.setTopMargin(page.points(bChapter ? 8 : 1));
        line.setBottomMargin(page.points(1));
        line.setIndent(bChapter ? 0 : 1);
        // Tab stops count from where the indented line starts; one right at the end would wrap.
        line.setTabPositions({QTextOption::Tab(width - line.indent() * doc.indentWidth() - 1, QTextOption::RightTab)});
        cursor.insertBlock(line, textChars(style::bodyPt, Qt::black, bChapter));
        cursor.insertText(QStringLiteral("%1  %2\t%3").arg(entry.number, entry.title).arg(pages[i]));
    }
}

void drawDocumentPage(QPainter& painter, QTextDocument& doc, int iPage, const PageSetup& page)
{
    const qreal top = iPage * page.body.height();
    const QRectF area(QPointF(0, top), page.body);
    QAbstractTextDocumentLayout::PaintContext context;
    // The layout draws every line that touches the clip, and a line's leading may reach a
    // little into the next page; with the clip drawn in by more than that, each line is
    // drawn on its own page only and the PDF's text holds it once.
    const qreal leading = page.devicePoints(3);
    context.clip = area.adjusted(0, leading, 0, -leading);
    painter.save();
    painter.translate(0, -top);
    painter.setClipRect(area);
    doc.documentLayout()->draw(&painter, context);
    painter.restore();
}

void drawFooter(QPainter& painter, const QString& text, int iNumber, int iTotal, const PageSetup& page)
{
    painter.save();
    painter.setPen(QPen(style::quietColour, page.devicePoints(0.5)));
    const qreal lineY = page.footerTop + page.devicePoints(8);
    painter.drawLine(QPointF(0, lineY), QPointF(page.body.width(), lineY));
    QFont font = style::textFont();
    font.setPointSizeF(style::footerPt);
    painter.setFont(font);
    const QRectF band(0, lineY + page.devicePoints(3), page.body.width(), page.footerTop + page.footerHeight - lineY);
    painter.drawText(band, Qt::AlignLeft | Qt::AlignTop, text);
    painter.drawText(band, Qt::AlignRight | Qt::AlignTop, QStringLiteral("Page %1 of %2").arg(iNumber).arg(iTotal));
    painter.restore();
}

// The name links give a chapter, as writeManual tells it.
QByteArray chapterAnchor(const QString& title)
{
    QByteArray anchor;
    bool bGap = false;
    for (const QChar c : title.toLower()) {
        if (c.isLetterOrNumber()) {
            if (bGap && !anchor.isEmpty())
                anchor += '-';
            anchor += QString(c).toUtf8();
            bGap = false;
        } else {
            bGap = true;
        }
    }
    return anchor;
}

// Every chapter's heading, on its page of the whole manual.
std::vector<NamedDestination> chapterDestinations(const ManualBody& body, int iFirstBodyPage, const PageSetup& page)
{
    std::vector<NamedDestination> destinations;
    for (const Heading& heading : body.headings()) {
        if (heading.iLevel != 1)
            continue;
        destinations.push_back({chapterAnchor(heading.title), iFirstBodyPage - 1 + body.pageOf(heading.block),
                                page.pdfPoint({0, body.topOnPage(heading.block)})});
    }
    return destinations;
}

} // namespace

std::vector<NamedDestination> writeManual(const PageSetup& page, ManualBody& body, const ManualInfo& info)
{
    const std::unique_ptr<QTextDocument> pTitle = newPagedDocument(page);
    fillTitlePage(*pTitle, info, page);

    const std::vector<Heading>& headings = body.headings();
    std::vector<int> pages(headings.size(), 0);
    std::unique_ptr<QTextDocument> pContents = newPagedDocument(page);
    fillContents(*pContents, headings, pages, page);
    const int iFirstBodyPage = pTitle->pageCount() + pContents->pageCount() + 1;
    for (size_t i = 0; i < headings.size(); ++i)
        pages[i] = iFirstBodyPage + body.pageOf(headings[i].block);
    pContents = newPagedDocument(page);
    fillContents(*pContents, headings, pages, page);
    if (pTitle->pageCount() + pContents->pageCount() + 1 != iFirstBodyPage)
        throw ManualError(QStringLiteral("the contents changed length when their page numbers were filled in"));

    const int iTotal = iFirstBodyPage - 1 + body.pageCount();
    const QString footer = QStringLiteral("%1 Manual").arg(info.title);
    QPainter painter;
    if (!painter.begin(page.pWriter))
        throw ManualError(QStringLiteral("cannot start the PDF"));
    int iNumber = 0;
    const auto print = [&](QTextDocument& doc, bool bFooter) {
        for (int iPage = 0; iPage < doc.pageCount(); ++iPage) {
            if (iNumber++ > 0)
                page.pWriter->newPage();
            drawDocumentPage(painter, doc, iPage, page);
            if (bFooter)
                drawFooter(painter, footer, iNumber, iTotal, page);
        }
    };
    print(*pTitle, false);
    print(*pContents, true);
    print(body.document(), true);
    if (!painter.end())
        throw ManualError(QStringLiteral("cannot finish the PDF"));
    return chapterDestinations(body, iFirstBodyPage, page);
}

} // namespace manual
