#include "tv_daz-helpers-manual.h"

#include <QApplication>
#include <QFileInfo>
#include <fmt/format.h>

#include "dzapp.h"
#include "tv_msgbox.h"

namespace tav::daz {

namespace {

// Restores the cursor on every way out of the scope.
class WaitCursorGuard {
public:
    WaitCursorGuard() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursorGuard() { QApplication::restoreOverrideCursor(); }
    WaitCursorGuard(const WaitCursorGuard&) = delete;
    WaitCursorGuard& operator=(const WaitCursorGuard&) = delete;
};

} // namespace

QString PdfManualPath(const QString& documentationPath, std::string_view title)
{
    const QString qTitle = QString::fromUtf8(title.data(), int(title.size()));
    return documentationPath + QString::fromLatin1("/Plugins/") + qTitle + QString::fromLatin1("/") + qTitle
           + QString::fromLatin1(" Manual.pdf");
}

void openPdfManual(std::string_view title)
{
    const QString path = PdfManualPath(dzApp->getDocumentationPath(), title);
    if (QFileInfo::exists(path)) {
        WaitCursorGuard waitCursor;
        // The path goes to the host as it is, without URL escaping.
        dzApp->showURL(QString::fromLatin1("file:///") + path);
        return;
    }
    CriticalErrorMessageBox(
        "Could not open PDF file",
        fmt::format("The file {} does not exist. Did you install the plugin correctly?",
                    path.toUtf8().toStdString()),
        nullptr, true);
}

} // namespace tav::daz
