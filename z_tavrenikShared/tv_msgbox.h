#pragma once

#include <string>
#include <string_view>

class QWidget;

namespace tav {

// "<p><b>{title sentence}</b></p>\n<p>{message sentence}</p>", not HTML-escaped.
std::string MessageBoxHtml(std::string_view title, std::string_view message);

// Modal critical box; with log, writes the event to the host log first. A null parent
// means the host's dialog parent.
void CriticalErrorMessageBox(std::string_view title, std::string_view message, QWidget* parent,
                             bool log);

// Modal information box, parented exactly as given; never logs.
void InformationMessageBox(std::string_view title, std::string_view message, QWidget* parent);

} // namespace tav
