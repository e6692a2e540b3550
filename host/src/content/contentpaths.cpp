#include "contentpaths.h"

#include <QDir>
#include <QFileInfo>

namespace dzcontent {
namespace {

bool isWithin(const QString& canonicalDir, const QString& canonicalPath)
{
    if (canonicalDir.isEmpty() || canonicalPath.isEmpty())
        return false;
    if (canonicalDir == QLatin1String("/"))
        return true;
    return canonicalPath == canonicalDir || canonicalPath.startsWith(canonicalDir + QLatin1Char('/'));
}

} // namespace

bool liesInsideContent(const QStringList& contentDirs, const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    for (const QString& dir : contentDirs)
        if (isWithin(QFileInfo(dir).canonicalFilePath(), canonical))
            return true;
    return false;
}

ContentFile findContentFile(const QStringList& contentDirs, const QString& relativePath)
{
    const QString relative = QString(relativePath).replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (relative.isEmpty())
        return {};
    if (QDir::isAbsolutePath(relative))
        return {{}, QStringLiteral("is an absolute path, not one within a content directory")};
    const QString clean = QDir::cleanPath(relative);
    if (clean == QLatin1String("..") || clean.startsWith(QLatin1String("../")))
        return {{}, QStringLiteral("climbs out of the content directories")};
    for (const QString& dir : contentDirs) {
        const QFileInfo info(QDir(dir).absoluteFilePath(clean));
        if (!info.isFile())
            continue;
        if (!liesInsideContent(contentDirs, info.filePath()))
            return {{},
                    QStringLiteral("leads through a link to \"%1\", outside the content directories")
                        .arg(info.canonicalFilePath())};
        return {info.filePath(), {}};
    }
    return {};
}

} // namespace dzcontent
