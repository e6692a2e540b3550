#pragma once

#include <QPointF>
#include <QSizeF>

class QPdfWriter;

namespace manual {

// The page geometry every document of the manual is laid out on. The documents measure fonts
// and pictures on the PDF writer itself, so what is laid out is what is printed.
//
// Two units meet here. The page size and whatever is painted directly are in the writer's
// device units. Lengths inside a document's formats (margins, indents, padding, tab stops,
// picture sizes) are in layout units: Qt reads them at 96 dots per inch and scales them to the
// device.
struct PageSetup {
    // Sets the writer up for A4 pages with margins and takes its geometry.
    explicit PageSetup(QPdfWriter& writer);

    QPdfWriter* pWriter = nullptr;  // the paint device of every document
    QSizeF body;                    // text area of one page, device units; documents paginate at its height
    qreal footerTop = 0;            // device units: top of the band below the body that holds the page number
    qreal footerHeight = 0;         // device units: height of that band

    // Layout units of a length given in points.
    qreal points(qreal pt) const;
    // Layout units of a length in device units.
    qreal layoutUnits(qreal deviceLength) const;
    // Device units of a length given in points, for painting.
    qreal devicePoints(qreal pt) const;
    // The point in the PDF page's own space (points, y up from the bottom edge) of a position
    // in device units on the page's paint area.
    QPointF pdfPoint(const QPointF& device) const;
};

} // namespace manual
