#pragma once

#include <functional>
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

// Runs a callback from a Qt slot. An error escaping it would end the host inside Qt's event
// loop; instead it is shown in one critical box titled "Unhandled exception in <where>" and
// logged, and the widget keeps working.
void ReportingErrors(std::string_view where, const std::function<void()>& callback);

// Modal information box, parented exactly as given; never logs.
void InformationMessageBox(std::string_view title, std::string_view message, QWidget* parent);

} // namespace tav
