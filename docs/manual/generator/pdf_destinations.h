#pragma once

#include <QByteArray>
#include <QPointF>
#include <vector>

namespace manual {

// A place a link may name: a viewer given "FILE.pdf#nameddest=NAME" opens the page there.
struct NamedDestination {
    QByteArray name;  // any bytes; escaped as a PDF name needs
    int iPage = 0;    // 0-based, in the order of the page tree
    QPointF topLeft;  // what the viewer shows at its top left: points in the page's user space, y up
};

// The PDF with the destinations added as an incremental update: the original bytes unchanged,
// then a new catalog that carries a /Dests dictionary, a cross-reference section for the two
// new objects and a trailer pointing back at the previous section.
//
// Reads what a plain writer such as Qt's produces: cross-reference tables (followed through
// /Prev, not streams), a catalog and page tree of dictionaries. Anything else, a catalog that
// already has /Dests, a name given twice or a page past the last throws ManualError saying
// what it met.
QByteArray withNamedDestinations(const QByteArray& pdf, const std::vector<NamedDestination>& destinations);

} // namespace manual
