#include "tv_daz-helpers-manual-place.h"

#include <QFileInfo>

#include "dzapp.h"
#include "tv_daz-helpers-manual.h"
#include "tv_str.h"

namespace tav::daz {

void openPdfManualAt(std::string_view title, std::string_view destination)
{
    const QString path = PdfManualPath(dzApp->getDocumentationPath(), title);
    if (!QFileInfo::exists(path)) {
        openPdfManual(title);
        return;
    }
    // As openPdfManual hands it over: the path unescaped behind "file:///".
    dzApp->showURL(QString::fromLatin1("file:///") + path + QString::fromLatin1("#nameddest=") + ToQString(destination));
}

} // namespace tav::daz
