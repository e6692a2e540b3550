#include "dzrecentfiles.h"

#include <QFileInfo>

#include "dzappsettings.h"

namespace dzrecentfiles {
namespace {

const QString kGroup = QStringLiteral("Recent Files");

QString keyOf(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

QStringList stored()
{
    const DzAppSettings settings(kGroup);
    QStringList list;
    for (int i = 0; i < kMaxRecentFiles; ++i) {
        const QString path = settings.getStringValue(keyOf(i));
        if (!path.isEmpty())
            list << path;
    }
    return list;
}

// The first kMaxRecentFiles of the list.
void store(const QStringList& list)
{
    DzAppSettings settings(kGroup);
    for (int i = 0; i < kMaxRecentFiles; ++i) {
        if (i < list.size())
            settings.setStringValue(keyOf(i), list[i]);
        else
            settings.removeValue(keyOf(i));
    }
}

} // namespace

QStringList files()
{
    const QStringList list = stored();
    QStringList existing;
    for (const QString& path : list)
        if (QFileInfo(path).isFile())
            existing << path;
    if (existing != list)
        store(existing);
    return existing;
}

void add(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = files();
    list.removeAll(absolute);
    list.prepend(absolute);
    store(list);
}

} // namespace dzrecentfiles
