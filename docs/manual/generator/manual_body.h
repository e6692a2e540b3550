#pragma once

#include <QString>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>
#include <vector>

#include "manual_error.h"
#include "page_setup.h"

namespace manual {

// A numbered heading of the manual: a chapter (level 1) or one of its sections (level 2).
struct Heading {
    int iLevel = 0;
    QString number;     // "3" or "3.2", printed before the title
    QString title;      // as written in the text
    QTextBlock block;   // the heading in the body document
};

// The manual's body: its Markdown text, styled and laid out on the pages.
//
// Read from the text: headings of levels 1 to 3, paragraphs, emphasis, code spans, bullet and
// numbered lists, tables with a heading row, and pictures. A picture is a paragraph of its
// own, "![caption](images/x.png)": its file is found relative to the text's folder, scaled down
// to the text width when wider, centred, and printed with the caption below it. A picture
// titled "optional", ![caption](images/x.png "optional"), may be missing: its paragraph is left
// out and a note says so. Any other picture that cannot be read is an error.
//
// Chapters and sections are numbered; every chapter starts a new page; a paragraph is never
// split between pages, a heading never ends a page and a picture never parts from its caption.
class ManualBody {
public:
    // Throws ManualError when the text or a required picture cannot be read.
    ManualBody(const QString& textPath, const PageSetup& page);
    ManualBody(const ManualBody&) = delete;
    ManualBody& operator=(const ManualBody&) = delete;

    QTextDocument& document() { return _doc; }
    const std::vector<Heading>& headings() const { return _headings; }
    // 0-based page of the body on which the block's first line stands.
    int pageOf(const QTextBlock& block) const;
    // Device units from the top of that page to the block's top.
    qreal topOnPage(const QTextBlock& block) const;
    int pageCount() const { return _doc.pageCount(); }
    // One line per optional picture left out, for the build's output.
    const QStringList& notes() const { return _notes; }

private:
    void styleBlocks();
    void styleHeadingText(const QTextBlock& block, int iLevel);
    void styleTables();
    void styleCodeSpans();
    void placePictures(const QString& folder);
    void numberHeadings();
    void paginate();
    QTextBlock paginateTable(QTextTable* pTable);
    static QTextBlock runStart(QTextBlock block);
    void breakBefore(const QTextBlock& block);
    void relayout();

    QPointF lineOrigin(const QTextBlock& block) const;
    int pageAt(qreal y) const;
    // Page of a line of the block; -1 is the last line.
    int linePage(const QTextBlock& block, int iLine) const;
    int lastLinePage(const QTextBlock& block) const;
    static bool keepsWithNext(const QTextBlock& block);
    bool startsPage(const QTextBlock& block) const;

    const PageSetup& _page;
    QTextDocument _doc;
    std::vector<Heading> _headings;
    QStringList _notes;
};

} // namespace manual
