#include "io/objfile.h"

#include <QTextCodec>
#include <cfloat>
#include <charconv>
#include <cctype>
#include <cmath>
#include <cstring>
#include <fast_float/fast_float.h>

namespace {

// Statements that only steer display or grouping the host does not keep.
constexpr std::string_view kIgnored[] = {"vn",        "o",         "s",          "mg",
                                         "lod",       "bevel",     "c_interp",   "d_interp",
                                         "shadow_obj", "trace_obj", "usemap",     "maplib"};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

// The blank-separated tokens of a statement, one at a time (no list is built).
class Tokens {
public:
    explicit Tokens(std::string_view text) : _rest(text) {}

    // The next token, empty at the end.
    std::string_view next()
    {
        size_t i = 0;
        while (i < _rest.size() && isBlank(_rest[i]))
            ++i;
        const size_t start = i;
        while (i < _rest.size() && !isBlank(_rest[i]))
            ++i;
        const std::string_view token = _rest.substr(start, i - start);
        _rest.remove_prefix(i);
        return token;
    }
    // What is left, blanks around it removed.
    std::string_view rest()
    {
        while (!_rest.empty() && isBlank(_rest.front()))
            _rest.remove_prefix(1);
        return _rest;
    }

private:
    std::string_view _rest;
};

bool isValidUtf8(std::string_view s)
{
    QTextCodec::ConverterState state;
    QTextCodec::codecForMib(106)->toUnicode(s.data(), int(s.size()), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

// Names written by tools that predate UTF-8 are mostly Latin-1: keep their letters.
QString decodeText(std::string_view s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return isValidUtf8(s) ? QString::fromUtf8(s.data(), int(s.size()))
                                  : QString::fromLatin1(s.data(), int(s.size()));
    return QString::fromLatin1(s.data(), int(s.size()));
}

QString quotedToken(std::string_view s)
{
    constexpr size_t kShown = 40;
    const QString text = decodeText(s.substr(0, kShown));
    return QLatin1Char('"') + text + (s.size() > kShown ? QStringLiteral("...\"") : QStringLiteral("\""));
}

// A number a mesh coordinate can hold (the host keeps single precision).
QString parseCoordinate(std::string_view token, double& value)
{
    const char* begin = token.data();
    const char* end = begin + token.size();
    if (begin != end && *begin == '+')
        ++begin;
    const auto result = fast_float::from_chars(begin, end, value);
    if (result.ptr != end || (result.ec != std::errc() && result.ec != std::errc::result_out_of_range))
        return QStringLiteral("%1 is not a number").arg(quotedToken(token));
    if (std::isnan(value) || (std::isinf(value) && std::isalpha(static_cast<unsigned char>(end[-1]))))
        return QStringLiteral("%1 is not a finite number").arg(quotedToken(token));
    if (result.ec == std::errc::result_out_of_range || std::fabs(value) > FLT_MAX)
        return QStringLiteral("%1 is out of range for a coordinate").arg(quotedToken(token));
    return {};
}

class Parser {
public:
    Parser(ObjMeshData& mesh, bool elements) : _mesh(mesh), _elements(elements) {}

    // Returns an empty text on success, the reason otherwise.
    QString statement(std::string_view line)
    {
        Tokens tokens(line);
        const std::string_view kw = tokens.next();
        if (kw.empty())
            return {};
        if (kw == "v")
            return vertex(tokens);
        if (kw == "vt")
            return _elements ? texCoord(tokens) : QString();
        if (kw == "f")
            return _elements ? face(tokens) : QString();
        if (kw == "g") {
            const QString name = restOfLine(tokens);
            _group = name.isEmpty() ? -1 : _mesh.findOrAddGroup(name);
            return {};
        }
        if (kw == "usemtl") {
            const QString name = restOfLine(tokens);
            _material = name.isEmpty() ? -1 : _mesh.findOrAddMaterial(name);
            return {};
        }
        if (kw == "mtllib") {
            if (const QString name = restOfLine(tokens); !name.isEmpty())
                _mesh.mtllibs << name;
            return {};
        }
        if (!_elements && (kw == "l" || kw == "p"))
            return {};
        if (kw == "l")
            return elements(tokens, 2, QStringLiteral("a line needs at least two vertices"),
                            _mesh.lineStatements);
        if (kw == "p")
            return elements(tokens, 1, QStringLiteral("a point needs at least one vertex"),
                            _mesh.pointStatements);
        for (std::string_view ignored : kIgnored)
            if (kw == ignored)
                return {};
        ++_mesh.unsupported[decodeText(kw)];
        return {};
    }

private:
    // The tokens after the keyword, joined by single blanks.
    static QString restOfLine(Tokens& tokens) { return decodeText(tokens.rest()).simplified(); }

    QString vertex(Tokens& tokens)
    {
        std::array<double, 3> p{};
        for (double& value : p) {
            const std::string_view token = tokens.next();
            if (token.empty())
                return QStringLiteral("a vertex needs three coordinates");
            if (QString reason = parseCoordinate(token, value); !reason.isEmpty())
                return reason;
        }
        _mesh.positions.push_back(p);
        return {};
    }

    QString texCoord(Tokens& tokens)
    {
        std::array<double, 2> uv{};
        for (size_t i = 0; i < uv.size(); ++i) {
            const std::string_view token = tokens.next();
            if (token.empty() && i == 0)
                return QStringLiteral("a texture coordinate needs at least one value");
            if (token.empty())
                break;
            if (QString reason = parseCoordinate(token, uv[i]); !reason.isEmpty())
                return reason;
        }
        _mesh.uvs.push_back(uv);
        return {};
    }

    QString face(Tokens& tokens)
    {
        ObjMeshData::Face f;
        f.firstCorner = int(_mesh.cornerVertex.size());
        f.group = _group;
        f.material = _material;
        auto undo = [&](const QString& reason) {
            _mesh.cornerVertex.resize(size_t(f.firstCorner));
            _mesh.cornerUv.resize(size_t(f.firstCorner));
            return reason;
        };
        for (std::string_view token = tokens.next(); !token.empty(); token = tokens.next()) {
            int v = 0, vt = -1;
            if (QString reason = corner(token, v, vt); !reason.isEmpty())
                return undo(reason);
            _mesh.cornerVertex.push_back(v);
            _mesh.cornerUv.push_back(vt);
        }
        f.cornerCount = int(_mesh.cornerVertex.size()) - f.firstCorner;
        if (f.cornerCount < 3)
            return undo(QStringLiteral("a face needs at least three vertices"));
        _mesh.faces.push_back(f);
        return {};
    }

    // "l" and "p": vertex references ("v" or "v/vt") checked like a face's, then counted.
    QString elements(Tokens& tokens, int minimum, const QString& tooFew, int& count)
    {
        int found = 0;
        for (std::string_view token = tokens.next(); !token.empty(); token = tokens.next(), ++found) {
            int v = 0, vt = -1;
            if (QString reason = corner(token, v, vt); !reason.isEmpty())
                return reason;
        }
        if (found < minimum)
            return tooFew;
        ++count;
        return {};
    }

    // "v", "v/vt", "v//vn" or "v/vt/vn".
    QString corner(std::string_view token, int& v, int& vt) const
    {
        const size_t slash = token.find('/');
        if (QString reason = resolveIndex(token.substr(0, slash), _mesh.positions.size(), true, v);
            !reason.isEmpty())
            return reason;
        vt = -1;
        if (slash == std::string_view::npos)
            return {};
        const std::string_view rest = token.substr(slash + 1);
        const std::string_view vtPart = rest.substr(0, rest.find('/'));
        if (vtPart.empty())
            return {};
        return resolveIndex(vtPart, _mesh.uvs.size(), false, vt);
    }

    // OBJ indices are 1-based, or negative counting back from the last element read so far.
    static QString resolveIndex(std::string_view token, size_t count, bool isVertex, int& index)
    {
        long long raw = 0;
        const char* end = token.data() + token.size();
        const auto result = std::from_chars(token.data(), end, raw);
        const long long n = static_cast<long long>(count);
        const long long resolved = raw > 0 ? raw - 1 : n + raw;
        if (result.ec == std::errc() && result.ptr == end && raw != 0 && resolved >= 0 && resolved < n) {
            index = int(resolved);
            return {};
        }
        return indexProblem(token, n, isVertex, result.ptr == end && result.ec != std::errc::invalid_argument);
    }

    // Why an index did not resolve (kept out of the common path).
    static QString indexProblem(std::string_view token, long long count, bool isVertex, bool whole)
    {
        const QString what = isVertex ? QStringLiteral("vertex") : QStringLiteral("texture");
        if (token.empty() || !whole)
            return QStringLiteral("%1 index %2 is not a whole number").arg(what, quotedToken(token));
        if (token.find_first_not_of("+-0") == std::string_view::npos)
            return QStringLiteral("%1 index 0 is invalid: OBJ indices count from 1").arg(what);
        const QString defined = isVertex ? (count == 1 ? QStringLiteral("vertex is") : QStringLiteral("vertices are"))
                                         : (count == 1 ? QStringLiteral("texture coordinate is")
                                                       : QStringLiteral("texture coordinates are"));
        return QStringLiteral("%1 index %2 is out of range: %3 %4 defined before this line")
            .arg(what, quotedToken(token))
            .arg(count)
            .arg(defined);
    }

    ObjMeshData& _mesh;
    const bool _elements;
    int _group = -1;
    int _material = -1;
};

int lineOfOffset(std::string_view text, size_t offset)
{
    int line = 1;
    for (size_t i = 0; i < offset; ++i)
        line += text[i] == '\n';
    return line;
}

// UTF-16 text: a byte order mark, or a zero high (or low) byte in the first character.
const char* utf16Codec(std::string_view bytes)
{
    if (bytes.size() < 2)
        return nullptr;
    const auto b0 = static_cast<unsigned char>(bytes[0]), b1 = static_cast<unsigned char>(bytes[1]);
    if ((b0 == 0xFF && b1 == 0xFE) || (b0 != 0 && b1 == 0))
        return "UTF-16LE";
    if ((b0 == 0xFE && b1 == 0xFF) || (b0 == 0 && b1 != 0))
        return "UTF-16BE";
    return nullptr;
}

bool parseUtf8Text(std::string_view all, ObjMeshData& mesh, ObjParseError* error, bool elements)
{
    auto fail = [&](int line, const QString& reason) {
        if (error)
            *error = ObjParseError{line, reason};
        return false;
    };
    if (const void* nul = std::memchr(all.data(), 0, all.size()))
        return fail(lineOfOffset(all, size_t(static_cast<const char*>(nul) - all.data())),
                    QStringLiteral("the file holds binary data (a zero byte), not OBJ text"));

    Parser parser(mesh, elements);
    std::string joined;  // a statement continued over lines with a trailing backslash
    int lineNumber = 0, statementLine = 0;
    size_t pos = 0;
    while (pos < all.size()) {
        size_t end = all.find('\n', pos);
        if (end == std::string_view::npos)
            end = all.size();
        std::string_view line = all.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (joined.empty())
            statementLine = lineNumber;
        if (const size_t hash = line.find('#'); hash != std::string_view::npos)
            line = line.substr(0, hash);
        while (!line.empty() && isBlank(line.back()))
            line.remove_suffix(1);
        if (!line.empty() && line.back() == '\\') {
            joined.append(line.substr(0, line.size() - 1)).push_back(' ');
            continue;
        }
        if (!joined.empty()) {
            joined.append(line);
            line = joined;
        }
        QString reason = parser.statement(line);
        joined.clear();
        if (!reason.isEmpty()) {
            if (pos >= all.size() && all.back() != '\n')
                reason += QStringLiteral(" (the file ends in this line without a line break: is it cut short?)");
            return fail(statementLine, reason);
        }
    }
    return true;
}

int findOrAppend(QStringList& names, const QString& name)
{
    const int i = names.indexOf(name);
    if (i >= 0)
        return i;
    names << name;
    return names.size() - 1;
}

} // namespace

int ObjMeshData::findOrAddGroup(const QString& name) { return findOrAppend(groups, name); }

int ObjMeshData::findOrAddMaterial(const QString& name) { return findOrAppend(materials, name); }

bool parseObjText(std::string_view bytes, ObjMeshData& mesh, ObjParseError* error, bool elements)
{
    if (const char* codec = utf16Codec(bytes)) {
        QTextCodec::ConverterState state;
        QString text = QTextCodec::codecForName(codec)->toUnicode(bytes.data(), int(bytes.size()), &state);
        if (state.invalidChars > 0 || state.remainingChars > 0) {
            if (error)
                *error = ObjParseError{1, QStringLiteral("the file is neither OBJ text nor valid %1 text")
                                              .arg(QLatin1String(codec))};
            return false;
        }
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        const QByteArray utf8 = text.toUtf8();
        return parseUtf8Text(std::string_view(utf8.constData(), size_t(utf8.size())), mesh, error,
                             elements);
    }
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark)
        bytes.remove_prefix(kUtf8Mark.size());
    return parseUtf8Text(bytes, mesh, error, elements);
}
