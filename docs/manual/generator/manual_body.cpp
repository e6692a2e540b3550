#include "manual_body.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextLayout>
#include <QTextOption>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <utility>

#include "manual_style.h"

namespace manual {

namespace {

// A block that must stand on the same page as the one after it: headings, captioned pictures.
constexpr int iKeepWithNextProperty = QTextFormat::UserProperty + 1;
// A paragraph that holds a picture.
constexpr int iPictureProperty = QTextFormat::UserProperty + 2;

const QString optionalPictureTitle = QStringLiteral("optional");

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw ManualError(QStringLiteral("cannot read the manual's text %1: %2").arg(path, file.errorString()));
    return QString::fromUtf8(file.readAll());
}

qreal headingPoints(int iLevel)
{
    switch (iLevel) {
    case 1: return style::chapterPt;
    case 2: return style::sectionPt;
    default: return style::subsectionPt;
    }
}

// Removes the block with the paragraph separator that ends it (or the one before it, for the
// last block), so no empty paragraph is left behind.
void removeBlock(QTextDocument& doc, const QTextBlock& block)
{
    QTextCursor cursor(&doc);
    if (block.next().isValid()) {
        cursor.setPosition(block.position());
        cursor.setPosition(block.next().position(), QTextCursor::KeepAnchor);
    } else {
        cursor.setPosition(block.previous().isValid() ? block.position() - 1 : block.position());
        cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    }
    cursor.removeSelectedText();
}

// A list item followed by another item or by more of its own text: spaced closer than the
// paragraph after the list.
bool continuesList(const QTextBlock& block)
{
    const QTextBlock next = block.next();
    if (!next.isValid())
        return false;
    if (block.textList())
        return next.textList() == block.textList() || next.blockFormat().indent() > 0;
    return block.blockFormat().indent() > 0 && next.textList();
}

// A paragraph or list item wholly in bold introduces the text after it, as the messages do.
bool isLeadIn(const QTextBlock& block)
{
    if (block.text().trimmed().isEmpty())
        return false;
    for (auto it = block.begin(); !it.atEnd(); ++it)
        if (it.fragment().charFormat().fontWeight() < QFont::Bold && !it.fragment().text().trimmed().isEmpty())
            return false;
    return true;
}

struct PictureAt {
    int iPosition;
    QTextImageFormat format;
};

std::vector<PictureAt> findPictures(const QTextDocument& doc)
{
    std::vector<PictureAt> pictures;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isImageFormat())
                pictures.push_back({fragment.position(), fragment.charFormat().toImageFormat()});
        }
    }
    return pictures;
}

} // namespace

ManualBody::ManualBody(const QString& textPath, const PageSetup& page)
    : _page(page)
{
    _doc.documentLayout()->setPaintDevice(page.pWriter);
    _doc.setUseDesignMetrics(true);
    _doc.setDefaultFont(style::textFont());
    _doc.setDocumentMargin(0);
    _doc.setIndentWidth(page.points(style::indentPt));
    QTextOption option = _doc.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);  // a long path must not run off the page
    _doc.setDefaultTextOption(option);

    _doc.setMarkdown(readText(textPath));
    numberHeadings();
    styleBlocks();
    styleTables();
    styleCodeSpans();
    placePictures(QFileInfo(textPath).absolutePath());
    _doc.setPageSize(page.body);
    paginate();
}

void ManualBody::styleBlocks()
{
    QTextCursor cursor(&_doc);
    for (QTextBlock block = _doc.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        const int iLevel = format.headingLevel();
        if (iLevel > 0) {
            format.setTopMargin(_page.points(iLevel == 1 ? 0 : iLevel == 2 ? 16 : 10));
            format.setBottomMargin(_page.points(iLevel == 1 ? 14 : 6));
            format.setProperty(iKeepWithNextProperty, true);
            if (iLevel == 1 && block != _doc.begin())
                format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        } else if (QTextCursor(block).currentTable()) {
            format.setTopMargin(0);  // the cell's padding spaces it
            format.setBottomMargin(0);
        } else {
            format.setTopMargin(0);
            format.setBottomMargin(_page.points(continuesList(block) ? style::paragraphGapPt / 2 : style::paragraphGapPt));
            format.setLineHeight(style::iLineHeightPercent, QTextBlockFormat::ProportionalHeight);
            format.setProperty(iKeepWithNextProperty, isLeadIn(block));
        }
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
        if (iLevel > 0)
            styleHeadingText(block, iLevel);
    }
}

// Markdown sizes headings relative to the text; that size wins over a point size for as long
// as it is there at all, so each fragment's format is rewritten without it.
void ManualBody::styleHeadingText(const QTextBlock& block, int iLevel)
{
    std::vector<std::pair<int, QTextCharFormat>> fragments;
    for (auto it = block.begin(); !it.atEnd(); ++it)
        fragments.emplace_back(it.fragment().position(), it.fragment().charFormat());
    QTextCursor cursor(&_doc);
    for (size_t i = 0; i < fragments.size(); ++i) {
        QTextCharFormat chars = fragments[i].second;
        chars.clearProperty(QTextFormat::FontSizeAdjustment);
        chars.setFontPointSize(headingPoints(iLevel));
        chars.setFontWeight(QFont::Bold);
        chars.setForeground(style::headingColour);
        const int iEnd = i + 1 < fragments.size() ? fragments[i + 1].first : block.position() + block.length() - 1;
        cursor.setPosition(fragments[i].first);
        cursor.setPosition(iEnd, QTextCursor::KeepAnchor);
        cursor.setCharFormat(chars);
    }
}

// Tables span the text width with thin ruled cells and a shaded, bold heading row. Markdown
// gives them spacing in pixels, which is next to nothing on a print device.
void ManualBody::styleTables()
{
    for (QTextFrame* pFrame : _doc.rootFrame()->childFrames()) {
        auto* pTable = qobject_cast<QTextTable*>(pFrame);
        if (!pTable)
            continue;
        QTextTableFormat format = pTable->format();
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        format.setCellSpacing(0);
        format.setCellPadding(_page.points(4));
        format.setBorder(_page.points(0.5));
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderBrush(style::quietColour);
        format.setTopMargin(_page.points(4));
        format.setBottomMargin(_page.points(10));
        format.setHeaderRowCount(1);
        pTable->setFormat(format);

        QTextCharFormat heading;
        heading.setFontWeight(QFont::Bold);
        QTextCharFormat shade;
        shade.setBackground(style::tableHeadingShade);
        for (int iColumn = 0; iColumn < pTable->columns(); ++iColumn) {
            QTextTableCell cell = pTable->cellAt(0, iColumn);
            cell.setFormat(shade);
            QTextCursor cursor = cell.firstCursorPosition();
            cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(heading);
        }
    }
}

// Markdown's code spans come with the platform's fixed font, which may not be monospaced on
// a machine without a display; they are the only fragments that name a font family.
void ManualBody::styleCodeSpans()
{
    std::vector<std::pair<int, int>> spans;
    for (QTextBlock block = _doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().hasProperty(QTextFormat::FontFamily) && !fragment.charFormat().isImageFormat())
                spans.emplace_back(fragment.position(), fragment.length());
        }
    }
    const QFont code = style::codeFont();
    QTextCharFormat chars;
    chars.setFontFamily(code.family());
    chars.setFontStyleHint(code.styleHint(), code.styleStrategy());
    chars.setFontFixedPitch(true);
    chars.setFontPointSize(code.pointSizeF());
    QTextCursor cursor(&_doc);
    for (const auto& [iPosition, iLength] : spans) {
        cursor.setPosition(iPosition);
        cursor.setPosition(iPosition + iLength, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(chars);
    }
}

void ManualBody::placePictures(const QString& folder)
{
    std::vector<PictureAt> pictures = findPictures(_doc);
    // From the end, so removing or adding a paragraph leaves the positions still to do valid.
    std::reverse(pictures.begin(), pictures.end());
    for (PictureAt& picture : pictures) {
        const QString name = picture.format.name();
        const QString path = QDir(folder).filePath(name);
        const QTextBlock block = _doc.findBlock(picture.iPosition);
        if (block.length() != 2)  // the picture and the paragraph's end
            throw ManualError(QStringLiteral("picture %1 must be a paragraph of its own").arg(name));

        const QImage image(path);
        if (image.isNull()) {
            const bool bOptional =
                picture.format.stringProperty(QTextFormat::ImageTitle) == optionalPictureTitle;
            if (!bOptional || QFileInfo::exists(path))
                throw ManualError(QStringLiteral("cannot read picture %1").arg(path));
            _notes << QStringLiteral("%1 is not there yet; the manual goes without it").arg(name);
            removeBlock(_doc, block);
            continue;
        }

        _doc.addResource(QTextDocument::ImageResource, QUrl(name), image);
        // A picture in a list item stands in the item's indented column.
        const qreal column = _page.layoutUnits(_page.body.width()) - block.blockFormat().indent() * _doc.indentWidth();
        const qreal width = std::min<qreal>(image.width(), column);
        picture.format.setWidth(width);
        picture.format.setHeight(width * image.height() / image.width());
        QTextCursor cursor(&_doc);
        cursor.setPosition(picture.iPosition);
        cursor.setPosition(picture.iPosition + 1, QTextCursor::KeepAnchor);
        cursor.setCharFormat(picture.format);

        QTextBlockFormat format = block.blockFormat();
        format.setAlignment(Qt::AlignHCenter);
        format.setLineHeight(100, QTextBlockFormat::SingleHeight);
        format.setTopMargin(_page.points(6));
        format.setBottomMargin(_page.points(3));
        const QString caption = picture.format.stringProperty(QTextFormat::ImageAltText);
        format.setProperty(iKeepWithNextProperty, !caption.isEmpty());
        format.setProperty(iPictureProperty, true);
        cursor.setBlockFormat(format);
        if (caption.isEmpty())
            continue;

        QTextBlockFormat captionFormat;
        captionFormat.setIndent(format.indent());
        captionFormat.setAlignment(Qt::AlignHCenter);
        captionFormat.setBottomMargin(_page.points(10));
        QTextCharFormat captionChars;
        captionChars.setFontItalic(true);
        captionChars.setFontPointSize(style::captionPt);
        captionChars.setForeground(style::quietColour);
        cursor.movePosition(QTextCursor::EndOfBlock);
        cursor.insertBlock(captionFormat, captionChars);
        cursor.insertText(caption);
    }
}

void ManualBody::numberHeadings()
{
    int iChapter = 0;
    int iSection = 0;
    QTextCursor cursor(&_doc);
    for (QTextBlock block = _doc.begin(); block.isValid(); block = block.next()) {
        const int iLevel = block.blockFormat().headingLevel();
        if (iLevel < 1 || iLevel > 2)
            continue;
        if (iLevel == 1) {
            ++iChapter;
            iSection = 0;
        } else {
            ++iSection;
        }
        Heading heading;
        heading.iLevel = iLevel;
        heading.number = iLevel == 1 ? QString::number(iChapter)
                                     : QStringLiteral("%1.%2").arg(iChapter).arg(iSection);
        heading.title = block.text();
        heading.block = block;
        cursor.setPosition(block.position());
        cursor.insertText(heading.number + QStringLiteral("  "));
        _headings.push_back(heading);
    }
}

int ManualBody::pageAt(qreal y) const
{
    return int(y / _page.body.height());
}

// Where the block's lines are measured from, in the document: its layout's position, offset
// by the cell for a block in a table.
QPointF ManualBody::lineOrigin(const QTextBlock& block) const
{
    return _doc.documentLayout()->blockBoundingRect(block).topLeft();  // lays the block out
}

// Lines are placed on whole pages; their middles stay clear of the rounding at page edges.
int ManualBody::linePage(const QTextBlock& block, int iLine) const
{
    const QPointF origin = lineOrigin(block);
    const QTextLayout* pLayout = block.layout();
    if (pLayout->lineCount() == 0)
        return pageAt(origin.y());
    const QTextLine line = pLayout->lineAt(iLine < 0 ? pLayout->lineCount() - 1 : iLine);
    return pageAt(origin.y() + line.y() + line.height() / 2);
}

int ManualBody::pageOf(const QTextBlock& block) const
{
    return linePage(block, 0);
}

qreal ManualBody::topOnPage(const QTextBlock& block) const
{
    // A block moved to a new page may keep its top a little above it.
    return std::max<qreal>(0, lineOrigin(block).y() - pageOf(block) * _page.body.height());
}

int ManualBody::lastLinePage(const QTextBlock& block) const
{
    return linePage(block, -1);
}

bool ManualBody::keepsWithNext(const QTextBlock& block)
{
    return block.blockFormat().boolProperty(iKeepWithNextProperty);
}

// The block begins its page: its top and first line are there, and the block before it ends
// on an earlier page. One device unit of slack absorbs the rounding of page positions.
bool ManualBody::startsPage(const QTextBlock& block) const
{
    const int iPage = pageOf(block);
    return pageAt(lineOrigin(block).y() + 1) == iPage
           && (!block.previous().isValid() || lastLinePage(block.previous()) < iPage);
}

// The first block of the run that must stay together with the block: the headings and other
// lead-ins right before it, or the block itself.
QTextBlock ManualBody::runStart(QTextBlock block)
{
    while (block.previous().isValid() && keepsWithNext(block.previous()))
        block = block.previous();
    return block;
}

void ManualBody::breakBefore(const QTextBlock& block)
{
    QTextBlockFormat format = block.blockFormat();
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(block).setBlockFormat(format);
    relayout();
}

// Moves runs of blocks to the next page until no page ends inside a paragraph, a table, or a
// run that must stay together, or above a picture the layout pushed down while its paragraph
// starts on the page before. Whole paragraphs leave no lone lines at page ends, and Qt draws
// a paragraph's line before the page's first again, clipped away but kept in the PDF's text.
// Each move puts a run at the top of a page, where it stays, so the passes end; a run longer
// than a page stays put.
void ManualBody::paginate()
{
    for (QTextBlock block = _doc.begin(); block.isValid();) {
        if (QTextTable* pTable = QTextCursor(block).currentTable()) {
            block = paginateTable(pTable);
            continue;
        }
        const QTextBlock next = block.next();
        const bool bSplitRun = keepsWithNext(block) && next.isValid() && lastLinePage(block) != pageOf(next);
        const bool bSplitParagraph = lastLinePage(block) != pageOf(block);
        const bool bPushedPicture =
            block.blockFormat().boolProperty(iPictureProperty) && pageAt(lineOrigin(block).y() + 1) != pageOf(block);
        const QTextBlock first = runStart(block);
        if ((bSplitRun || bSplitParagraph || bPushedPicture) && !startsPage(first)) {
            breakBefore(first);
            block = first;
        } else {
            block = next;
        }
    }
}

// A table that does not fit on the rest of its page starts the next one, with the headings
// before it; one longer than a page stays put. Returns the block to go on from.
QTextBlock ManualBody::paginateTable(QTextTable* pTable)
{
    const QTextBlock first = _doc.findBlock(pTable->firstPosition());
    const QTextBlock after = _doc.findBlock(pTable->lastPosition() + 1);
    if (pageOf(first) == lastLinePage(_doc.findBlock(pTable->lastPosition())))
        return after;
    const QTextBlock lead = first.previous();
    if (lead.isValid() && keepsWithNext(lead)) {
        const QTextBlock start = runStart(lead);
        if (startsPage(start))
            return after;
        breakBefore(start);
        return start;
    }
    QTextTableFormat format = pTable->format();
    if (format.pageBreakPolicy() != QTextFormat::PageBreak_AlwaysBefore) {
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        pTable->setFormat(format);
        relayout();
    }
    return after;
}

// Qt's relayout from a changed block on loses the lines of a tall picture further down; the
// whole document is laid out again instead.
void ManualBody::relayout()
{
    _doc.markContentsDirty(0, _doc.characterCount());
}

} // namespace manual
