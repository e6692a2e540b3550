#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "io/objaxes.h"

class DzFacetMesh;

// What an OBJ file written by the exporter contains.
struct ObjWriteOptions {
    ObjAxes axes;                 // scene to file: axes, inversions, scale
    int precision = 8;            // digits after the decimal point
    bool writeVT = true;          // texture coordinates (vt) and their indices in faces
    bool writeVN = false;         // area-weighted vertex normals (vn)
    bool writeF = true;           // faces
    bool writeO = false;          // one "o" line per node
    bool writeG = true;           // "g" lines, named by the grouping options below
    bool groupNodes = false;      // group name includes the node label
    bool groupGeom = true;        // ... the mesh's face group
    bool groupSurfaces = false;   // ... the surface (material) name
    bool groupSingle = false;     // one group for the whole file, named fileBaseName
    bool writeUsemtl = true;      // "usemtl" whenever the surface changes
    QString mtllib;               // file name of a "mtllib" line, empty for none
    QString fileBaseName;
};

// Accumulates meshes (already in world space) into the text of one OBJ file; vertex and
// texture indices continue from one mesh to the next.
class ObjWriter {
public:
    explicit ObjWriter(const ObjWriteOptions& options);

    void addMesh(const QString& nodeLabel, const DzFacetMesh& mesh);
    QByteArray text() const;
    // Surface names used by usemtl lines, in first-use order (for the material library).
    const QStringList& materialsUsed() const { return _materials; }
    // The text of a material library defining every used surface.
    QByteArray materialLibraryText() const;

private:
    QString groupName(const QString& nodeLabel, const DzFacetMesh& mesh, int facet) const;
    void writeVertices(const DzFacetMesh& mesh);
    void writeFaces(const QString& nodeLabel, const DzFacetMesh& mesh, bool withUvs, bool withNormals);

    ObjWriteOptions _options;
    std::string _text;
    QStringList _materials;
    QString _currentGroup;
    QString _currentMaterial;
    bool _groupWritten = false;
    bool _materialWritten = false;
    int _vertexBase = 0;
    int _uvBase = 0;
};
