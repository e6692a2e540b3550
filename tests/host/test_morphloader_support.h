#pragma once

#include <fmt/format.h>

#include "../../host/src/content/dzdformer.h"
#include "dzfloatproperty.h"
#include "dzmorphloader.h"
#include "dzmorphloaderbatch.h"
#include "test_objio_support.h"

// Writes positions as a triangle-free OBJ (vertices only are what a morph target needs).
inline void writeObjPositions(const QString& path, const QVector<DzVec3>& positions)
{
    std::string text;
    for (const DzVec3& p : positions)
        text += fmt::format("v {:.8f} {:.8f} {:.8f}\n", p.m_x, p.m_y, p.m_z);
    writeFile(path, QByteArray::fromStdString(text));
}

// A loader set up as for one morph in the given mode for the node.
inline DzMorphLoader* makeLoader(DzNode* node, const QString& file, const QString& name)
{
    auto* loader = new DzMorphLoader;
    loader->setParent(node); // goes with the node when the test's scene ends
    loader->setLoadMode(node->inherits("DzFigure") ? DzMorphLoader::FigureMode
                                                   : DzMorphLoader::NodeGeometryMode,
                        node);
    loader->setFilename(file);
    loader->setMorphName(name);
    return loader;
}

inline QString runLoader(DzMorphLoader* loader, DzNode* node)
{
    DzMorphLoaderBatch batch;
    batch.addMorph(loader);
    DzFileIOSettings settings;
    settings.setIntValue("RunSilent", 1);
    return batch.createMorphs(&settings, node, false, true);
}
