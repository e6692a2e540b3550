#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <array>
#include <string_view>
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
    int lineStatements = 0;         // "l": checked, not kept
    int pointStatements = 0;        // "p": checked, not kept
    QMap<QString, int> unsupported; // other statements with content, by keyword: skipped

    int findOrAddGroup(const QString& name);
    int findOrAddMaterial(const QString& name);
};

// Where and why parsing stopped.
struct ObjParseError {
    int line = 0;     // 1-based
    QString reason;
};

// Parses the bytes of an OBJ file: v, vt, f, g, usemtl and mtllib are read; l and p are
// checked and counted; comments, blank lines, vn, o, s and other grouping and display
// statements are skipped silently, any other statement is counted in `unsupported`. CRLF,
// lines continued with a backslash and negative (relative) indices are accepted. Text is
// UTF-8, with or without a byte order mark; a line that is not valid UTF-8 is read as
// Latin-1; UTF-16 text (with a byte order mark, or recognised by its zero bytes) is
// converted first. Returns false on malformed or binary input, with the line and the reason
// in `error`. With `elements` false, vt, f, l and p statements are skipped unread (for callers
// that need the positions only).
bool parseObjText(std::string_view bytes, ObjMeshData& mesh, ObjParseError* error,
                  bool elements = true);
