#include "dsoninstalledmorphs.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include "contentpaths.h"
#include "dsonerror.h"
#include "dsondocument.h"
#include "dsonsessioncache.h"

namespace dson {
namespace {

using dzcontent::liesInsideContent;

// A modifier of an installed morph file as read, before it meets a figure.
struct FileModifier {
    QString id, parentUrl;
    bool isMorph = false;
    MorphData data;
    int index = 0;          // in the modifier library, for messages
    int vertexCount = 0;    // the morph's own
    QString headFault;      // before the vertex count is known
    QString deltaFault;     // reading the deltas for that count
};

// A file's modifiers in order, up to a fault that stops the file (empty when none).
struct MorphFile {
    QVector<FileModifier> modifiers;
    QString fault;
    qint64 deltaCount = 0;
};

MorphFile readMorphFile(const QString& path)
{
    MorphFile file;
    try {
        const Document doc = readDocument(path);
        const QString library = QStringLiteral("modifier_library");
        int i = 0;
        for (Value value : optArray(doc.root(), "modifier_library", QString())) {
            const Object mod = objectAt(value, library, i);
            FileModifier m;
            m.index = i++;
            m.id = looseString(mod, "id");
            m.parentUrl = looseString(mod, "parent");
            m.isMorph = isMorphModifier(mod);
            if (m.isMorph) {
                const QString where = QStringLiteral("modifier_library[%1]").arg(m.index);
                Object morph;
                try {
                    m.vertexCount = readMorphHead(mod, where, m.data, morph);
                    try {
                        readMorphDeltas(morph, m.vertexCount, where, m.data);
                    } catch (const DsonError& e) {
                        m.deltaFault = e.text;
                    }
                } catch (const DsonError& e) {
                    m.headFault = e.text;
                }
                file.deltaCount += m.data.deltas.size() + m.data.hdDeltas.size();
            }
            file.modifiers.append(m);
        }
    } catch (const DsonError& e) {
        file.fault = e.text;
    }
    return file;
}

// Bound on what the cache holds (about 20 bytes a delta).
constexpr qint64 kMaxCachedDeltas = qint64(32) << 20;

SessionFileCache<MorphFile>& cache()
{
    static SessionFileCache<MorphFile> instance(kMaxCachedDeltas, readMorphFile,
                                                [](const MorphFile& file) { return file.deltaCount; });
    return instance;
}

// A content directory may be given relative to the working folder; urls are relative to it.
QString assetUriOf(const QString& contentDir, const QString& filePath, const QString& id)
{
    return encodePath(QDir(contentDir).relativeFilePath(QFileInfo(filePath).absoluteFilePath())) +
           QLatin1Char('#') + id;
}

// The morphs of one file for the figure, in file order; throws at the first fault met.
void appendMorphsFor(const MorphFile& file, const QString& contentDir, const QString& path,
                     const QString& figureUrl, int vertexCount, QList<MorphData>& found)
{
    for (const FileModifier& m : file.modifiers) {
        if (!m.isMorph || !sameAsset(m.parentUrl, figureUrl))
            continue;
        if (!m.headFault.isEmpty())
            dsonFail(m.headFault);
        checkMorphVertexCount(m.vertexCount, vertexCount, QStringLiteral("modifier_library[%1]").arg(m.index));
        if (!m.deltaFault.isEmpty())
            dsonFail(m.deltaFault);
        MorphData data = m.data;
        data.assetUri = assetUriOf(contentDir, path, m.id);
        found.append(data);
    }
    if (!file.fault.isEmpty())
        dsonFail(file.fault);
}

} // namespace

QList<MorphData> findInstalledMorphs(const QStringList& contentDirs, const QString& figureUrl,
                                     int vertexCount, QStringList* problems)
{
    QList<MorphData> found;
    const QString dataFolder = QFileInfo(parseUrl(figureUrl).file).path();
    for (const QString& dir : contentDirs) {
        const QString morphDir = QDir(dir).filePath(dataFolder + QStringLiteral("/Morphs"));
        if (!QFileInfo(morphDir).isDir())
            continue;
        if (!liesInsideContent(contentDirs, morphDir)) {
            problems->append(
                QStringLiteral("morph folder \"%1\" skipped: it lies outside the content directories").arg(morphDir));
            continue;
        }
        QStringList files;
        QDirIterator it(morphDir, {QStringLiteral("*.dsf")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            if (it.fileInfo().isSymLink() && !liesInsideContent(contentDirs, it.filePath()))
                problems->append(QStringLiteral("morph file \"%1\" skipped: it links to a file outside the "
                                                "content directories")
                                     .arg(it.filePath()));
            else
                files.append(it.filePath());
        }
        files.sort(); // the order morphs appear in does not depend on the file system
        for (const QString& path : files) {
            try {
                appendMorphsFor(*cache().get(path), dir, path, figureUrl, vertexCount, found);
            } catch (const DsonError& e) {
                problems->append(QStringLiteral("morph file \"%1\" skipped: %2").arg(path, e.text));
            }
        }
    }
    return found;
}

int installedMorphFileReads()
{
    return cache().reads();
}

void forgetInstalledMorphFiles()
{
    cache().clear();
}

} // namespace dson
