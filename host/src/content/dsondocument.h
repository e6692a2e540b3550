#pragma once

#include <QString>
#include <QVector>
#include <memory>
#include <simdjson.h>
#include <string_view>

#include "dsonfile.h"

// Parsed DSON documents and checked walks through them. Every accessor throws DsonError with the
// JSON path of the offending value, so a malformed file never yields half a value. Paths are
// spelled out only when something is wrong: the loader walks hundreds of thousands of values.

namespace dson {

using Value = simdjson::dom::element;
using Object = simdjson::dom::object;
using Array = simdjson::dom::array;

// A parsed content file. The objects and arrays taken from it stay valid while it, or a copy of
// it, lives.
class Document {
public:
    Object root() const { return _root; }

private:
    friend Document parseDocument(const QByteArray& text);
    std::shared_ptr<simdjson::dom::document> _doc;
    Object _root;
};

// A JSON object text, as textOf gives it; DsonError when it is not one.
Document parseDocument(const QByteArray& text);
// readText, then parseDocument.
Document readDocument(const QString& filePath, qint64 maxBytes = kMaxDocumentBytes);

// An asset file other files refer to (a figure's .dsf), parsed once per session and kept while
// it is unchanged on disk: every figure of one kind in a scene, and every stock figure a
// conversion loads, shares one parse.
Document readAssetDocument(const QString& filePath);
// How many asset files were parsed from disk in this session.
int assetDocumentReads();

// The object member `key`, of the expected kind; `where` names the container in messages.
// Numbers must fit a float and integers an int.
Object object(Object o, std::string_view key, const QString& where);
Array array(Object o, std::string_view key, const QString& where);
QString string(Object o, std::string_view key, const QString& where);
double number(Object o, std::string_view key, const QString& where);
int integer(Object o, std::string_view key, const QString& where);
bool boolean(Object o, std::string_view key, const QString& where);

// Optional members: the fallback (an empty array or object) when absent, DsonError when present
// with the wrong kind.
bool contains(Object o, std::string_view key);
QString optString(Object o, std::string_view key, const QString& where, const QString& fallback = {});
double optNumber(Object o, std::string_view key, const QString& where, double fallback);
int optInteger(Object o, std::string_view key, const QString& where, int fallback);
bool optBoolean(Object o, std::string_view key, const QString& where, bool fallback);
Array optArray(Object o, std::string_view key, const QString& where);
Object optObject(Object o, std::string_view key, const QString& where);
// The member when it is a string, empty otherwise: for lookups that skip what does not match.
QString looseString(Object o, std::string_view key);

// Elements met while iterating an array at `where`, the `i`th of it.
Object objectAt(Value v, const QString& where, int i);
Array arrayAt(Value v, const QString& where, int i);
int size(Array a);

// An array element of a few numbers (a vertex, a polygon, a delta), read in one pass. Its
// entries are checked when taken, in the order the caller takes them.
class Row {
public:
    static constexpr int kCapacity = 8;

    Row(Value v, const QString& where, int i);
    int size() const { return _size; }
    // Entry k (< size, < kCapacity) as a number a float can hold, or an int.
    double number(int k) const;
    int integer(int k) const;
    // "where[i]", for messages.
    QString path() const;

private:
    const QString& _where;
    int _index;
    int _size = 0;
    double _values[kCapacity];
    bool _isNumber[kCapacity];
};

// A {"count": n, "values": [...]} block whose count matches its values.
Array countedValues(Object o, std::string_view key, const QString& where);

// A counted block of [vertex, weight] pairs as one weight per vertex (0 where none is given).
QVector<float> vertexWeights(Object o, std::string_view key, const QString& where, int vertexCount);

} // namespace dson
