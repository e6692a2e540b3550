#include "tv_msgbox.h"

#include <QMessageBox>
#include <fmt/format.h>

#include "dzapp.h"
#include "tv_identity.h"
#include "tv_log.h"
#include "tv_str.h"
#include "tv_version.h"

namespace tav {

std::string MessageBoxHtml(std::string_view title, std::string_view message)
{
    // Not escaped: messages may carry their own markup.
    return fmt::format("<p><b>{}</b></p>\n<p>{}</p>", str::MakeSentence(title),
                       str::MakeSentence(message));
}

void CriticalErrorMessageBox(std::string_view title, std::string_view message, QWidget* parent,
                             bool log)
{
    if (log) {
        Log(fmt::format("Critical error message box in {} {}: {}: {}", pcszPluginName,
                        VersionNumberText(), title, message));
    }
    if (!parent && dzApp)
        parent = dzApp->getDialogParent();
    const QString body = ToQString(MessageBoxHtml(title, message));
    const QString caption =
        ToQString(fmt::format("Error {} {} {}", str::pcszEmDash, pcszPluginName, VersionNumberText()));
    QMessageBox::critical(parent, caption, body, QMessageBox::Ok, QMessageBox::NoButton);
}

void ReportingErrors(std::string_view where, const std::function<void()>& callback)
{
    try {
        callback();
    } catch (const std::exception& e) {
        CriticalErrorMessageBox(fmt::format("Unhandled exception in {}", where), e.what(), nullptr, true);
    }
}

void InformationMessageBox(std::string_view title, std::string_view message, QWidget* parent)
{
    const QString body = ToQString(MessageBoxHtml(title, message));
    const QString caption = ToQString(fmt::format("{} {}", pcszPluginName, VersionNumberText()));
    QMessageBox::information(parent, caption, body, QMessageBox::Ok, QMessageBox::NoButton);
}

} // namespace tav
