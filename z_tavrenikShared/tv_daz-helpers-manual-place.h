#pragma once

#include <string_view>

namespace tav::daz {

// Opens the product's PDF manual at a named destination (a chapter), as PDF viewers take it
// from the URL's "#nameddest=" part; a viewer that does not know it opens the first page. A
// missing manual is told as openPdfManual tells it. Throws nothing of its own.
void openPdfManualAt(std::string_view title, std::string_view destination);

} // namespace tav::daz
