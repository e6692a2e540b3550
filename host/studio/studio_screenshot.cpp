#include "studio_screenshot.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QPixmap>
#include <QWidget>

bool saveWindowScreenshot(QWidget* window, const QString& filePath, QString* error)
{
    // Layouts are made as events: the panes' contents are placed only once they have run.
    window->show();
    QCoreApplication::processEvents();
    const QPixmap picture = window->grab();
    const QString folder = QFileInfo(filePath).absolutePath();
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot make the folder %1").arg(folder);
        return false;
    }
    QImageWriter writer(filePath, "png");
    if (!writer.write(picture.toImage())) {
        *error = writer.errorString();
        return false;
    }
    return true;
}
