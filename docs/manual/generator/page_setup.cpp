#include "page_setup.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

namespace manual {

namespace {

constexpr int iDeviceDpi = 600;
// The density Qt reads document lengths at; main() pins it with Qt::AA_Use96Dpi so it does
// not follow whatever screen there is.
constexpr qreal layoutDpi = 96.0;
constexpr qreal pointsPerInch = 72.0;
constexpr qreal mmPerInch = 25.4;

const QMarginsF pageMarginsMm(20.0, 18.0, 20.0, 10.0);  // left, top, right, bottom
constexpr qreal footerBandMm = 12.0;                     // inside the paint area, below the body

} // namespace

PageSetup::PageSetup(QPdfWriter& writer)
    : pWriter(&writer)
{
    writer.setResolution(iDeviceDpi);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(pageMarginsMm, QPageLayout::Millimeter);
    footerHeight = footerBandMm / mmPerInch * iDeviceDpi;
    body = QSizeF(writer.width(), writer.height() - footerHeight);
    footerTop = body.height();
}

qreal PageSetup::points(qreal pt) const
{
    return pt / pointsPerInch * layoutDpi;
}

qreal PageSetup::layoutUnits(qreal deviceLength) const
{
    return deviceLength / iDeviceDpi * layoutDpi;
}

qreal PageSetup::devicePoints(qreal pt) const
{
    return pt / pointsPerInch * iDeviceDpi;
}

QPointF PageSetup::pdfPoint(const QPointF& device) const
{
    const QPageLayout layout = pWriter->pageLayout();
    const QRectF paint = layout.paintRect(QPageLayout::Point);
    const qreal scale = pointsPerInch / iDeviceDpi;
    return {paint.left() + device.x() * scale,
            layout.fullRect(QPageLayout::Point).height() - (paint.top() + device.y() * scale)};
}

} // namespace manual
