#pragma once

#include <QList>
#include <QStringList>

#include "dsonmorph.h"

// The morph files installed for figures, read once per session: a file is read again only when
// its size or modification time changed, or when it changed so shortly before it was read that
// a later change could keep the same time stamp.
namespace dson {

// The morph assets installed for a figure: every .dsf below "data/<folder>/Morphs/" of each
// content directory whose morphs name the figure as parent. Files that cannot be used are
// skipped with a line in `problems`.
QList<MorphData> findInstalledMorphs(const QStringList& contentDirs, const QString& figureUrl,
                                     int vertexCount, QStringList* problems);

// How many installed morph files were read from disk in this session.
int installedMorphFileReads();
// Forgets every file read, so that the next loads read them again.
void forgetInstalledMorphFiles();

} // namespace dson
