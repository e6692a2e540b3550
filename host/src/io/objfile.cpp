#include "io/objfile.h"

#include <charconv>
#include <string_view>

namespace {

using Tokens = std::vector<std::string_view>;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

Tokens splitTokens(std::string_view line)
{
    Tokens tokens;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        const size_t start = i;
        while (i < line.size() && !isBlank(line[i]))
            ++i;
        if (i > start)
            tokens.push_back(line.substr(start, i - start));
    }
    return tokens;
}

bool parseDouble(std::string_view token, double& value)
{
    const char* end = token.data() + token.size();
    const char* begin = token.data();
    if (begin != end && *begin == '+')
        ++begin;
    const auto result = std::from_chars(begin, end, value);
    return result.ec == std::errc() && result.ptr == end;
}

bool parseInt(std::string_view token, int& value)
{
    const char* end = token.data() + token.size();
    const auto result = std::from_chars(token.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

// OBJ indices are 1-based, or negative counting back from the last element read so far.
bool resolveIndex(std::string_view token, int count, int& index)
{
    int raw = 0;
    if (!parseInt(token, raw) || raw == 0)
        return false;
    index = raw > 0 ? raw - 1 : count + raw;
    return index >= 0 && index < count;
}

QString toQString(std::string_view s) { return QString::fromUtf8(s.data(), int(s.size())); }

QString joinedName(const Tokens& tokens)
{
    QStringList parts;
    for (size_t i = 1; i < tokens.size(); ++i)
        parts << toQString(tokens[i]);
    return parts.join(QLatin1Char(' '));
}

class Parser {
public:
    explicit Parser(ObjMeshData& mesh) : _mesh(mesh) {}

    // Returns an empty text on success, the reason otherwise.
    QString statement(const Tokens& t)
    {
        const std::string_view kw = t[0];
        if (kw == "v")
            return vertex(t);
        if (kw == "vt")
            return texCoord(t);
        if (kw == "f")
            return face(t);
        if (kw == "g") {
            _group = t.size() > 1 ? _mesh.findOrAddGroup(joinedName(t)) : -1;
            return {};
        }
        if (kw == "usemtl") {
            _material = t.size() > 1 ? _mesh.findOrAddMaterial(joinedName(t)) : -1;
            return {};
        }
        if (kw == "mtllib") {
            if (t.size() > 1)
                _mesh.mtllibs << joinedName(t);
            return {};
        }
        return {};  // o, vn, l, s and anything unknown carry nothing a mesh needs here
    }

private:
    QString vertex(const Tokens& t)
    {
        std::array<double, 3> p{};
        if (t.size() < 4)
            return QStringLiteral("a vertex needs three coordinates");
        for (int i = 0; i < 3; ++i)
            if (!parseDouble(t[size_t(i) + 1], p[size_t(i)]))
                return QStringLiteral("\"%1\" is not a number").arg(toQString(t[size_t(i) + 1]));
        _mesh.positions.push_back(p);
        return {};
    }

    QString texCoord(const Tokens& t)
    {
        std::array<double, 2> uv{};
        if (t.size() < 2)
            return QStringLiteral("a texture coordinate needs at least one value");
        for (size_t i = 0; i < 2 && i + 1 < t.size(); ++i)
            if (!parseDouble(t[i + 1], uv[i]))
                return QStringLiteral("\"%1\" is not a number").arg(toQString(t[i + 1]));
        _mesh.uvs.push_back(uv);
        return {};
    }

    QString face(const Tokens& t)
    {
        if (t.size() < 4)
            return QStringLiteral("a face needs at least three vertices");
        ObjMeshData::Face f;
        f.firstCorner = int(_mesh.cornerVertex.size());
        f.group = _group;
        f.material = _material;
        for (size_t i = 1; i < t.size(); ++i) {
            const QString reason = corner(t[i]);
            if (!reason.isEmpty()) {
                _mesh.cornerVertex.resize(size_t(f.firstCorner));
                _mesh.cornerUv.resize(size_t(f.firstCorner));
                return reason;
            }
        }
        f.cornerCount = int(t.size()) - 1;
        _mesh.faces.push_back(f);
        return {};
    }

    // "v", "v/vt", "v//vn" or "v/vt/vn".
    QString corner(std::string_view token)
    {
        const size_t slash = token.find('/');
        const std::string_view vPart = token.substr(0, slash);
        int v = 0;
        if (!resolveIndex(vPart, int(_mesh.positions.size()), v))
            return QStringLiteral("vertex index \"%1\" is invalid or out of range")
                .arg(toQString(vPart));
        int vt = -1;
        if (slash != std::string_view::npos) {
            const std::string_view rest = token.substr(slash + 1);
            const std::string_view vtPart = rest.substr(0, rest.find('/'));
            if (!vtPart.empty() && !resolveIndex(vtPart, int(_mesh.uvs.size()), vt))
                return QStringLiteral("texture index \"%1\" is invalid or out of range")
                    .arg(toQString(vtPart));
        }
        _mesh.cornerVertex.push_back(v);
        _mesh.cornerUv.push_back(vt);
        return {};
    }

    ObjMeshData& _mesh;
    int _group = -1;
    int _material = -1;
};

} // namespace

int ObjMeshData::findOrAddGroup(const QString& name)
{
    int i = groups.indexOf(name);
    if (i < 0) {
        groups << name;
        i = groups.size() - 1;
    }
    return i;
}

int ObjMeshData::findOrAddMaterial(const QString& name)
{
    int i = materials.indexOf(name);
    if (i < 0) {
        materials << name;
        i = materials.size() - 1;
    }
    return i;
}

bool parseObjText(const QByteArray& text, ObjMeshData& mesh, ObjParseError* error)
{
    Parser parser(mesh);
    const std::string_view all(text.constData(), size_t(text.size()));
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
        std::string statementText;
        if (!joined.empty()) {
            statementText = joined.append(line);
            joined.clear();
            line = statementText;
        }
        const Tokens tokens = splitTokens(line);
        if (tokens.empty())
            continue;
        const QString reason = parser.statement(tokens);
        if (!reason.isEmpty()) {
            if (error)
                *error = ObjParseError{statementLine, reason};
            return false;
        }
    }
    return true;
}
