#pragma once

#include <QString>
#include <string_view>

namespace tav::daz {

// "<documentation path>/Plugins/<title>/<title> Manual.pdf".
QString PdfManualPath(const QString& documentationPath, std::string_view title);

// Opens the product's PDF manual through the host, or tells the user it is not installed.
// Throws nothing of its own.
void openPdfManual(std::string_view title);

} // namespace tav::daz
