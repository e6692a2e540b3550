#pragma once

#include <QColor>
#include <QFont>

namespace manual {

// The manual's type: one sans-serif family for text and headings, a monospaced one for names
// the user types or finds on disk. Sizes are in points.
namespace style {

constexpr qreal bodyPt = 10.0;
constexpr qreal codePt = 9.0;
constexpr qreal captionPt = 9.0;
constexpr qreal footerPt = 8.5;
constexpr qreal chapterPt = 20.0;   // level 1 headings
constexpr qreal sectionPt = 14.0;   // level 2
constexpr qreal subsectionPt = 11.5;  // level 3 and below
constexpr qreal titlePt = 30.0;     // the title page's product name

constexpr qreal indentPt = 18.0;         // one level of list or contents indent
constexpr int iLineHeightPercent = 120;  // body text leading
constexpr qreal paragraphGapPt = 6.0;    // space below a paragraph

const QColor headingColour(0x1f, 0x3a, 0x5f);
const QColor quietColour(0x55, 0x5f, 0x6b);  // captions, footers, rules, the title page's subtitle
const QColor tableHeadingShade(0xe8, 0xed, 0xf3);

QFont textFont();
QFont codeFont();

} // namespace style

} // namespace manual
