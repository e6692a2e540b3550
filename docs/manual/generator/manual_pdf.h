#pragma once

#include <QString>

#include "manual_body.h"
#include "page_setup.h"

namespace manual {

// What the title page and the footers say.
struct ManualInfo {
    QString title;    // the product's name
    QString version;  // "1.0.5"
};

// Prints the manual on the page setup's writer: a title page, the contents with the page of
// every chapter and section, then the body. Every page but the title page carries the
// manual's name and "Page N of M" below its text. Throws ManualError when the writer fails.
void writeManual(const PageSetup& page, ManualBody& body, const ManualInfo& info);

} // namespace manual
