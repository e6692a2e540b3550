#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <string_view>

#include "io/objaxes.h"

class DzFacetMesh;
class QIODevice;
struct DzFacet;

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

// Writes meshes (already in world space) as the text of one OBJ file to a device, in blocks
// as the text grows; vertex and texture indices continue from one mesh to the next.
class ObjWriter {
public:
    ObjWriter(const ObjWriteOptions& options, QIODevice& out);

    void addMesh(const QString& nodeLabel, const DzFacetMesh& mesh);
    // Writes what is left; false when any write to the device failed.
    bool finish();
    // Surface names used by usemtl lines, in first-use order (for the material library).
    const QStringList& materialsUsed() const { return _materials; }
    // The text of a material library defining every used surface.
    QByteArray materialLibraryText() const;

private:
    QString groupName(const QString& nodeLabel, const DzFacetMesh& mesh, const DzFacet& f) const;
    void writeVertices(const DzFacetMesh& mesh);
    void writeNormals(const DzFacetMesh& mesh);
    void writeFaces(const QString& nodeLabel, const DzFacetMesh& mesh, bool withUvs, bool withNormals);
    void writeGroupAndMaterial(const QString& nodeLabel, const DzFacetMesh& mesh, const DzFacet& f);
    // Text goes straight into the block: no allocation per number.
    char* room(size_t bytes)
    {
        if (kBlockBytes - _used < bytes)
            flush();
        return _block.get() + _used;
    }
    void flush();
    void put(char c) { *room(1) = c; ++_used; }
    void put(std::string_view s);
    void number(double value);
    void index(int value);
    void statement(const char* keyword, const QString& name);

    // Large enough to make writes cheap, small enough to stay in the cache (a level-2 figure's
    // text is tens of megabytes).
    static constexpr size_t kBlockBytes = size_t(1) << 20;

    ObjWriteOptions _options;
    QIODevice& _out;
    std::unique_ptr<char[]> _block;  // _used bytes not yet written
    size_t _used = 0;
    bool _failed = false;
    QStringList _materials;
    QString _currentGroup;
    QString _currentMaterial;
    bool _groupWritten = false;
    bool _materialWritten = false;
    int _vertexBase = 0;
    int _uvBase = 0;
    // The face group and surface of the previous facet: names change only where these do.
    int _lastFaceGroup = -1;
    int _lastMaterial = -1;
};
