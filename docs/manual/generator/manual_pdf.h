#pragma once

#include <QString>

#include <vector>

#include "manual_body.h"
#include "page_setup.h"
#include "pdf_destinations.h"

namespace manual {

// What the title page and the footers say.
struct ManualInfo {
    QString title;    // the product's name
    QString version;  // "1.0.5"
};

// Prints the manual on the page setup's writer: a title page, the contents with the page of
// every chapter and section, then the body. Every page but the title page carries the
// manual's name and "Page N of M" below its text. Returns where each chapter's heading stands,
// for links into the manual, named by the chapter's anchor: its title in lower case, each run
// of characters other than letters and digits one hyphen, none at the ends ("Installing,
// updating and uninstalling" is "installing-updating-and-uninstalling"). Throws ManualError
// when the writer fails.
std::vector<NamedDestination> writeManual(const PageSetup& page, ManualBody& body, const ManualInfo& info);

} // namespace manual
