// Writes one X window, as the display shows it, into a PNG: grab-window WINDOW-ID FILE.
// The pictures of dialogs are taken with it from a studio running on a virtual display.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: grab-window WINDOW-ID FILE\n");
        return 2;
    }
    bool bNumber = false;
    const WId id = QString::fromLocal8Bit(argv[1]).toULongLong(&bNumber, 0);
    const QPixmap picture = bNumber ? QGuiApplication::primaryScreen()->grabWindow(id) : QPixmap();
    if (picture.isNull() || !picture.save(QString::fromLocal8Bit(argv[2]), "png")) {
        std::fprintf(stderr, "grab-window: cannot write window %s into %s\n", argv[1], argv[2]);
        return 1;
    }
    return 0;
}
