// Writes the stand-in host's bundled content library: synthetic figures, their morphs, the
// stock and user scene files, and files that make the host open each of its load dialogs.
//   content-gen --size small|full --out DIR

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <cstdio>

#include "library.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QString size, out;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--size"))
            size = args[i + 1];
        else if (args[i] == QLatin1String("--out"))
            out = args[i + 1];
    }
    if ((size != QLatin1String("small") && size != QLatin1String("full")) || out.isEmpty()) {
        std::fprintf(stderr, "usage: content-gen --size small|full --out DIR\n");
        return 2;
    }
    // Start from an empty folder so nothing stale survives a regeneration.
    QDir dir(out);
    if (dir.exists() && !dir.removeRecursively()) {
        std::fprintf(stderr, "content-gen: cannot clear %s\n", qPrintable(out));
        return 1;
    }
    cg::writeLibrary(out, size == QLatin1String("small") ? cg::Size::Small : cg::Size::Full);
    return 0;
}
