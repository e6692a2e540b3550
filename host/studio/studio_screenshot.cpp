#include "studio_screenshot.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QPixmap>
#include <QWidget>

namespace {

constexpr int kLayoutRounds = 4;

} // namespace

bool saveWindowScreenshot(QWidget* window, const QString& filePath, QString* error)
{
    // Layouts are made as events, one level of widgets a round (a scroll area sizes its
    // contents only after they asked for room): let a few rounds run before drawing.
    window->show();
    for (int i = 0; i < kLayoutRounds; ++i)
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
