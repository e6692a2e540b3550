#include "dsondocument.h"

#include <QJsonDocument>
#include <cmath>
#include <limits>

#include "dsonerror.h"
#include "dsonsessioncache.h"

namespace dson {
namespace {

QString member(const QString& where, std::string_view key)
{
    const QString name = QString::fromUtf8(key.data(), int(key.size()));
    return where.isEmpty() ? name : where + QLatin1Char('.') + name;
}

QString element(const QString& where, int i)
{
    return QStringLiteral("%1[%2]").arg(where).arg(i);
}

[[noreturn]] void wrongKind(const QString& path, const char* expected)
{
    dsonFail(QStringLiteral("%1 is not %2").arg(path, QLatin1String(expected)));
}

QString qstring(std::string_view s)
{
    return QString::fromUtf8(s.data(), int(s.size()));
}

// simdjson refuses what Qt's reader also refuses, and says less about where; its message is
// used only for the few texts Qt accepts (integers beyond 64 bits).
[[noreturn]] void notJson(const QByteArray& text, simdjson::error_code code)
{
    QJsonParseError error{};
    QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError)
        dsonFail(QStringLiteral("is not valid JSON (%1 at offset %2)").arg(error.errorString()).arg(error.offset));
    dsonFail(QStringLiteral("is not valid JSON (%1)").arg(QLatin1String(simdjson::error_message(code))));
}

// The parser keeps its buffers between documents; everything runs on one thread, but a second
// thread would get its own.
simdjson::dom::parser& parser()
{
    thread_local simdjson::dom::parser instance;
    return instance;
}

const Document& emptyDocument()
{
    static const Document doc = parseDocument(QByteArrayLiteral("{\"a\":[]}"));
    return doc;
}

Value required(Object o, std::string_view key, const QString& where)
{
    Value v;
    if (o.at_key(key).get(v) != simdjson::SUCCESS)
        dsonFail(QStringLiteral("%1 is missing").arg(member(where, key)));
    return v;
}

bool isNumber(Value v)
{
    switch (v.type()) {
    case simdjson::dom::element_type::INT64:
    case simdjson::dom::element_type::UINT64:
    case simdjson::dom::element_type::DOUBLE:
        return true;
    default:
        return false;
    }
}

// Every number the loader keeps ends up in a float or an int.
double checkedNumber(double d, const QString& path)
{
    if (!std::isfinite(d) || std::fabs(d) > double(std::numeric_limits<float>::max()))
        dsonFail(QStringLiteral("%1 is out of range (%2)").arg(path).arg(d));
    return d;
}

int checkedInteger(double d, const QString& path)
{
    if (!std::isfinite(d) || std::fabs(d) > double(std::numeric_limits<int>::max()))
        dsonFail(QStringLiteral("%1 is out of range (%2)").arg(path).arg(d));
    if (d != std::floor(d))
        wrongKind(path, "an integer");
    return int(d);
}

double toNumber(Value v, const QString& path)
{
    if (!isNumber(v))
        wrongKind(path, "a number");
    return checkedNumber(double(v), path);
}

int toInteger(Value v, const QString& path)
{
    if (!isNumber(v))
        wrongKind(path, "a number");
    return checkedInteger(double(v), path);
}

} // namespace

Document parseDocument(const QByteArray& text)
{
    Document doc;
    doc._doc = std::make_shared<simdjson::dom::document>();
    Value root;
    const auto code = parser().parse_into_document(*doc._doc, text.constData(), size_t(text.size())).get(root);
    if (code != simdjson::SUCCESS)
        notJson(text, code);
    if (root.get(doc._root) != simdjson::SUCCESS)
        dsonFail(QStringLiteral("does not hold a JSON object"));
    return doc;
}

Document readDocument(const QString& filePath, qint64 maxBytes)
{
    return parseDocument(readText(filePath, maxBytes));
}

namespace {

struct AssetDocument {
    Document document;
    qint64 bytes = 0;  // of the JSON text
};

// Bound on the JSON text the kept documents came from; their parse is about as large again.
constexpr qint64 kMaxCachedAssetBytes = qint64(256) << 20;

SessionFileCache<AssetDocument>& assetDocuments()
{
    static SessionFileCache<AssetDocument> cache(
        kMaxCachedAssetBytes,
        [](const QString& path) {
            const QByteArray text = readText(path, kMaxDocumentBytes);
            return AssetDocument{parseDocument(text), text.size()};
        },
        [](const AssetDocument& asset) { return asset.bytes; });
    return cache;
}

} // namespace

Document readAssetDocument(const QString& filePath)
{
    return assetDocuments().get(filePath)->document;
}

int assetDocumentReads()
{
    return assetDocuments().reads();
}

Object object(Object o, std::string_view key, const QString& where)
{
    Object out;
    if (required(o, key, where).get(out) != simdjson::SUCCESS)
        wrongKind(member(where, key), "an object");
    return out;
}

Array array(Object o, std::string_view key, const QString& where)
{
    Array out;
    if (required(o, key, where).get(out) != simdjson::SUCCESS)
        wrongKind(member(where, key), "an array");
    return out;
}

QString string(Object o, std::string_view key, const QString& where)
{
    std::string_view out;
    if (required(o, key, where).get(out) != simdjson::SUCCESS)
        wrongKind(member(where, key), "a string");
    return qstring(out);
}

double number(Object o, std::string_view key, const QString& where)
{
    return toNumber(required(o, key, where), member(where, key));
}

int integer(Object o, std::string_view key, const QString& where)
{
    return toInteger(required(o, key, where), member(where, key));
}

bool boolean(Object o, std::string_view key, const QString& where)
{
    bool out = false;
    if (required(o, key, where).get(out) != simdjson::SUCCESS)
        wrongKind(member(where, key), "true or false");
    return out;
}

bool contains(Object o, std::string_view key)
{
    return o.at_key(key).error() == simdjson::SUCCESS;
}

QString optString(Object o, std::string_view key, const QString& where, const QString& fallback)
{
    return contains(o, key) ? string(o, key, where) : fallback;
}

double optNumber(Object o, std::string_view key, const QString& where, double fallback)
{
    return contains(o, key) ? number(o, key, where) : fallback;
}

int optInteger(Object o, std::string_view key, const QString& where, int fallback)
{
    return contains(o, key) ? integer(o, key, where) : fallback;
}

bool optBoolean(Object o, std::string_view key, const QString& where, bool fallback)
{
    return contains(o, key) ? boolean(o, key, where) : fallback;
}

Array optArray(Object o, std::string_view key, const QString& where)
{
    if (contains(o, key))
        return array(o, key, where);
    Array empty;
    if (emptyDocument().root()["a"].get(empty) != simdjson::SUCCESS)
        dsonFail(QStringLiteral("no empty array")); // cannot happen: the text is fixed
    return empty;
}

Object optObject(Object o, std::string_view key, const QString& where)
{
    return contains(o, key) ? object(o, key, where) : emptyDocument().root();
}

QString looseString(Object o, std::string_view key)
{
    std::string_view out;
    return o.at_key(key).get(out) == simdjson::SUCCESS ? qstring(out) : QString();
}

Object objectAt(Value v, const QString& where, int i)
{
    Object out;
    if (v.get(out) != simdjson::SUCCESS)
        wrongKind(element(where, i), "an object");
    return out;
}

Array arrayAt(Value v, const QString& where, int i)
{
    Array out;
    if (v.get(out) != simdjson::SUCCESS)
        wrongKind(element(where, i), "an array");
    return out;
}

// The tape keeps counts up to 2^24 - 1; beyond, they are counted.
int size(Array a)
{
    const size_t n = a.size();
    if (n < 0xFFFFFF)
        return int(n);
    size_t counted = 0;
    for (Value v : a) {
        (void)v;
        ++counted;
    }
    if (counted > size_t(std::numeric_limits<int>::max()))
        dsonFail(QStringLiteral("an array has more than %1 values").arg(std::numeric_limits<int>::max()));
    return int(counted);
}

Row::Row(Value v, const QString& where, int i) : _where(where), _index(i)
{
    Array a;
    if (v.get(a) != simdjson::SUCCESS)
        wrongKind(element(where, i), "an array");
    for (Value x : a) {
        if (_size < kCapacity) {
            _isNumber[_size] = isNumber(x);
            _values[_size] = _isNumber[_size] ? double(x) : 0.0;
        }
        ++_size;
    }
}

QString Row::path() const
{
    return element(_where, _index);
}

double Row::number(int k) const
{
    if (!_isNumber[k])
        wrongKind(element(path(), k), "a number");
    const double d = _values[k];
    if (std::isfinite(d) && std::fabs(d) <= double(std::numeric_limits<float>::max()))
        return d;
    return checkedNumber(d, element(path(), k));
}

int Row::integer(int k) const
{
    if (!_isNumber[k])
        wrongKind(element(path(), k), "a number");
    const double d = _values[k];
    if (d >= 0 && d <= double(std::numeric_limits<int>::max()) && d == double(int(d)))
        return int(d);
    return checkedInteger(d, element(path(), k));
}

Array countedValues(Object o, std::string_view key, const QString& where)
{
    const QString path = member(where, key);
    const Object block = object(o, key, where);
    const int count = integer(block, "count", path);
    const Array values = array(block, "values", path);
    const int n = size(values);
    if (count != n)
        dsonFail(QStringLiteral("%1 has count %2 but %3 values").arg(path).arg(count).arg(n));
    return values;
}

QVector<float> vertexWeights(Object o, std::string_view key, const QString& where, int vertexCount)
{
    QVector<float> weights(vertexCount, 0.0f);
    const Array values = countedValues(o, key, where);
    const QString vpath = member(where, key) + QStringLiteral(".values");
    int i = 0;
    for (Value value : values) {
        const Row w(value, vpath, i++);
        if (w.size() != 2)
            dsonFail(QStringLiteral("%1 is not [vertex, weight]").arg(w.path()));
        const int v = w.integer(0);
        if (v < 0 || v >= vertexCount)
            dsonFail(QStringLiteral("%1 weights vertex %2 of %3").arg(w.path()).arg(v).arg(vertexCount));
        weights[v] = float(w.number(1));
    }
    return weights;
}

} // namespace dson
