#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// A polygon mesh as an OBJ file holds it: positions, texture coordinates, and faces whose
// corners index them, each face tagged with its group and material.
struct ObjMeshData {
    struct Face {
        int firstCorner = 0;  // into cornerVertex / cornerUv
        int cornerCount = 0;
        int group = -1;       // into groups, -1 when none
        int material = -1;    // into materials, -1 when none
    };

    std::vector<std::array<double, 3>> positions;
    std::vector<std::array<double, 2>> uvs;
    std::vector<int> cornerVertex;  // 0-based position index per face corner
    std::vector<int> cornerUv;      // 0-based uv index per corner, -1 when the corner has none
    std::vector<Face> faces;
    QStringList groups;
    QStringList materials;
    QStringList mtllibs;

    int findOrAddGroup(const QString& name);
    int findOrAddMaterial(const QString& name);
};

// Where and why parsing stopped.
struct ObjParseError {
    int line = 0;     // 1-based
    QString reason;
};

// Parses OBJ text: v, vt, f, g, o, usemtl and mtllib are read; comments, blank lines,
// vn, l, s and unknown statements are skipped; CRLF and negative (relative) indices are
// accepted. Returns false on malformed input, with the line and the reason in `error`.
bool parseObjText(const QByteArray& text, ObjMeshData& mesh, ObjParseError* error);
