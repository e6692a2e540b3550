#include "app/dzopenurl.h"

#include "app/dzqtmessagefilter.h"

#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>

namespace {

const QString kFileScheme = QStringLiteral("file:");

QString boxText(const QUrl& url)
{
    if (!url.isLocalFile())
        return QStringLiteral("<p>No application could be started to open %1.</p>")
            .arg(url.toString().toHtmlEscaped());
    return QStringLiteral("<p>No application could be started to open the file. It is here:</p>"
                          "<p><b>%1</b></p>"
                          "<p>Open it from there with an application for its type.</p>")
        .arg(QDir::toNativeSeparators(url.toLocalFile()).toHtmlEscaped());
}

} // namespace

QUrl dzUrlFromText(const QString& text)
{
    if (!text.startsWith(kFileScheme, Qt::CaseInsensitive))
        return QUrl(text);
    QString path = text.mid(kFileScheme.size());
    while (path.startsWith(QLatin1String("//")))
        path.remove(0, 1);
    return QUrl::fromLocalFile(path);
}

void dzOpenUrl(const QUrl& url, QWidget* parent)
{
    {
        // Qt names the URL it could not open; the box below tells the user instead.
        const DzQtWarningsReportedByHost reported;
        if (QDesktopServices::openUrl(url))
            return;
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Could not open"), boxText(url),
                    QMessageBox::Ok, parent);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.exec();
}
