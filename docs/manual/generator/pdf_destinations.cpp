#include "pdf_destinations.h"

#include <QRegularExpression>
#include <map>
#include <set>
#include <utility>

#include "manual_error.h"

namespace manual {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

bool isDelimiter(char c)
{
    return QByteArrayLiteral("()<>[]{}/%").contains(c);
}

// An object number and generation, "12 0 R" in the file.
struct Ref {
    int iNumber = 0;
    int iGeneration = 0;
};

// Top-level entries of a dictionary in file order: the key with its slash, the value's text.
using Entries = std::vector<std::pair<QByteArray, QByteArray>>;

// Reads values from the file's bytes: whole dictionaries, arrays and strings as their text, so
// that what is copied into the update is what the file holds.
class Scanner {
public:
    Scanner(const QByteArray& data, int iAt) : _data(data), _iAt(iAt) {}

    int at() const { return _iAt; }

    void skipSpace()
    {
        while (_iAt < _data.size()) {
            if (isSpace(_data[_iAt]))
                ++_iAt;
            else if (_data[_iAt] == '%')
                while (_iAt < _data.size() && _data[_iAt] != '\n' && _data[_iAt] != '\r')
                    ++_iAt;
            else
                break;
        }
    }

    bool startsWith(const char* text)
    {
        skipSpace();
        return _data.mid(_iAt, qstrlen(text)) == text;
    }

    void expect(const char* keyword)
    {
        if (token() != keyword)
            fail(QStringLiteral("\"%1\" expected").arg(QLatin1String(keyword)));
    }

    // A keyword or number: the bytes up to the next space or delimiter.
    QByteArray token()
    {
        skipSpace();
        const int iStart = _iAt;
        while (_iAt < _data.size() && !isSpace(_data[_iAt]) && !isDelimiter(_data[_iAt]))
            ++_iAt;
        if (_iAt == iStart)
            fail(QStringLiteral("a keyword or number expected"));
        return _data.mid(iStart, _iAt - iStart);
    }

    int number()
    {
        bool bNumber = false;
        const int value = token().toInt(&bNumber);
        if (!bNumber || value < 0)
            fail(QStringLiteral("a number expected"));
        return value;
    }

    // One whole value, an indirect reference included, as its text.
    QByteArray value()
    {
        skipSpace();
        const int iStart = _iAt;
        if (startsWith("<<"))
            skipUntil(2, ">>");
        else if (startsWith("["))
            skipUntil(1, "]");
        else if (startsWith("("))
            skipLiteralString();
        else if (startsWith("<"))
            skipHexString();
        else if (startsWith("/"))
            skipName();
        else
            skipNumberOrReference();
        return _data.mid(iStart, _iAt - iStart);
    }

    Entries dictionary()
    {
        if (!startsWith("<<"))
            fail(QStringLiteral("a dictionary expected"));
        _iAt += 2;
        Entries entries;
        while (!startsWith(">>")) {
            const QByteArray key = value();
            if (!key.startsWith('/'))
                fail(QStringLiteral("a dictionary key expected"));
            entries.emplace_back(key, value());
        }
        _iAt += 2;
        return entries;
    }

    [[noreturn]] void fail(const QString& what) const
    {
        throw ManualError(QStringLiteral("cannot read the PDF at byte %1: %2").arg(_iAt).arg(what));
    }

private:
    char next()
    {
        if (_iAt >= _data.size())
            fail(QStringLiteral("it ends inside a value"));
        return _data[_iAt++];
    }

    // Values up to the closing bracket, after an opening one of the given length.
    void skipUntil(int iOpenLength, const char* close)
    {
        _iAt += iOpenLength;
        while (!startsWith(close))
            value();
        _iAt += qstrlen(close);
    }

    void skipLiteralString()
    {
        next();
        for (int iDepth = 1; iDepth > 0;) {
            const char c = next();
            if (c == '\\')
                next();
            else if (c == '(')
                ++iDepth;
            else if (c == ')')
                --iDepth;
        }
    }

    void skipHexString()
    {
        while (next() != '>') {}
    }

    void skipName()
    {
        next();
        while (_iAt < _data.size() && !isSpace(_data[_iAt]) && !isDelimiter(_data[_iAt]))
            ++_iAt;
    }

    // A number, keyword, or "N G R" taken as one value.
    void skipNumberOrReference()
    {
        const QByteArray first = token();
        const int iAfterFirst = _iAt;
        bool bInteger = false;
        first.toUInt(&bInteger);
        if (!bInteger)
            return;
        skipSpace();
        if (_iAt < _data.size() && !isDelimiter(_data[_iAt])) {
            const QByteArray generation = token();
            generation.toUInt(&bInteger);
            skipSpace();
            if (bInteger && _data.mid(_iAt, 1) == "R"
                && (_iAt + 1 == _data.size() || isSpace(_data[_iAt + 1]) || isDelimiter(_data[_iAt + 1]))) {
                ++_iAt;
                return;
            }
        }
        _iAt = iAfterFirst;
    }

    const QByteArray& _data;
    int _iAt;
};

const QByteArray* find(const Entries& entries, const char* key)
{
    for (const auto& [name, value] : entries)
        if (name == key)
            return &value;
    return nullptr;
}

Ref toRef(const QByteArray& text, const char* what)
{
    static const QRegularExpression reference(QStringLiteral("^(\\d+)\\s+(\\d+)\\s+R$"));
    const QRegularExpressionMatch match = reference.match(QString::fromLatin1(text));
    if (!match.hasMatch())
        throw ManualError(QStringLiteral("the PDF's %1 is not a reference: %2").arg(QLatin1String(what), QString::fromLatin1(text)));
    return {match.captured(1).toInt(), match.captured(2).toInt()};
}

Ref requiredRef(const Entries& entries, const char* key, const char* what)
{
    const QByteArray* pValue = find(entries, key);
    if (!pValue)
        throw ManualError(QStringLiteral("the PDF's %1 has no %2").arg(QLatin1String(what), QLatin1String(key)));
    return toRef(*pValue, what);
}

// The file's objects as its cross-reference tables place them, and its last trailer.
class PdfIndex {
    static constexpr int iFree = -1;

public:
    explicit PdfIndex(const QByteArray& pdf) : _pdf(pdf)
    {
        const int iStartXref = pdf.lastIndexOf("startxref");
        if (iStartXref < 0)
            throw ManualError(QStringLiteral("the PDF has no \"startxref\""));
        Scanner scanner(pdf, iStartXref);
        scanner.expect("startxref");
        _iLastXref = scanner.number();
        std::set<int> seen;
        for (int iXref = _iLastXref; iXref >= 0;) {
            if (!seen.insert(iXref).second)
                throw ManualError(QStringLiteral("the PDF's cross-reference sections loop"));
            const Entries trailer = readSection(iXref);
            if (_trailer.empty())
                _trailer = trailer;
            const QByteArray* pPrev = find(trailer, "/Prev");
            iXref = pPrev ? pPrev->toInt() : -1;
        }
    }

    int lastXref() const { return _iLastXref; }
    const Entries& trailer() const { return _trailer; }

    Entries dictionary(Ref ref) const
    {
        const auto it = _offsets.find(ref.iNumber);
        if (it == _offsets.end() || it->second == iFree)
            throw ManualError(QStringLiteral("the PDF has no object %1").arg(ref.iNumber));
        Scanner scanner(_pdf, it->second);
        if (scanner.number() != ref.iNumber || scanner.number() != ref.iGeneration)
            scanner.fail(QStringLiteral("object %1 %2 is not where the cross-reference says").arg(ref.iNumber).arg(ref.iGeneration));
        scanner.expect("obj");
        return scanner.dictionary();
    }

private:
    // Adds the section's objects that a later section has not placed; returns its trailer.
    Entries readSection(int iAt)
    {
        if (iAt >= _pdf.size())
            throw ManualError(QStringLiteral("the PDF's cross-reference offset %1 is past its end").arg(iAt));
        Scanner scanner(_pdf, iAt);
        if (!scanner.startsWith("xref"))
            scanner.fail(QStringLiteral("a cross-reference table expected (streams are not read)"));
        scanner.expect("xref");
        while (!scanner.startsWith("trailer")) {
            const int iFirst = scanner.number();
            const int cEntries = scanner.number();
            for (int i = 0; i < cEntries; ++i) {
                const int iOffset = scanner.number();
                scanner.number();  // generation: checked against the object when it is read
                const QByteArray kind = scanner.token();
                if (kind != "n" && kind != "f")
                    scanner.fail(QStringLiteral("a cross-reference entry is neither \"n\" nor \"f\""));
                // A later section's entry stays, a free one too.
                _offsets.emplace(int(iFirst + i), kind == "n" ? iOffset : iFree);
            }
        }
        scanner.expect("trailer");
        return scanner.dictionary();
    }

    const QByteArray& _pdf;
    int _iLastXref = 0;
    Entries _trailer;
    std::map<int, int> _offsets;
};

std::vector<Ref> arrayRefs(const QByteArray& array)
{
    Scanner scanner(array, 0);
    if (!scanner.startsWith("["))
        scanner.fail(QStringLiteral("an array expected"));
    Scanner items(array, scanner.at() + 1);
    std::vector<Ref> refs;
    while (!items.startsWith("]"))
        refs.push_back(toRef(items.value(), "page tree's kid"));
    return refs;
}

// The pages below a page tree node, in order; the count of nodes seen guards against loops.
void collectPages(const PdfIndex& index, Ref node, std::vector<Ref>& pages, int& cNodes)
{
    if (++cNodes > 1000000)
        throw ManualError(QStringLiteral("the PDF's page tree loops"));
    const Entries entries = index.dictionary(node);
    const QByteArray* pType = find(entries, "/Type");
    if (pType && *pType == "/Page") {
        pages.push_back(node);
        return;
    }
    const QByteArray* pKids = find(entries, "/Kids");
    if (!pKids)
        throw ManualError(QStringLiteral("the PDF's page tree node %1 is neither a page nor has kids").arg(node.iNumber));
    for (Ref kid : arrayRefs(*pKids))
        collectPages(index, kid, pages, cNodes);
}

QByteArray pdfName(const QByteArray& name)
{
    QByteArray text("/");
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < '!' || byte > '~' || c == '#' || isDelimiter(c))
            text += '#' + QByteArray::number(byte, 16).rightJustified(2, '0').toUpper();
        else
            text += c;
    }
    return text;
}

QByteArray refText(Ref ref)
{
    return QByteArray::number(ref.iNumber) + ' ' + QByteArray::number(ref.iGeneration) + " R";
}

QByteArray dictionaryText(const Entries& entries)
{
    QByteArray text("<<\n");
    for (const auto& [key, value] : entries)
        text += key + ' ' + value + '\n';
    return text + ">>";
}

QByteArray destinationsText(const std::vector<NamedDestination>& destinations, const std::vector<Ref>& pages)
{
    Entries entries;
    std::set<QByteArray> names;
    for (const NamedDestination& destination : destinations) {
        if (!names.insert(destination.name).second)
            throw ManualError(QStringLiteral("two destinations are named \"%1\"").arg(QString::fromUtf8(destination.name)));
        if (destination.iPage < 0 || destination.iPage >= int(pages.size()))
            throw ManualError(QStringLiteral("the destination \"%1\" is on page %2 of a PDF of %3")
                                  .arg(QString::fromUtf8(destination.name))
                                  .arg(destination.iPage + 1)
                                  .arg(pages.size()));
        entries.emplace_back(pdfName(destination.name),
                             "[" + refText(pages[destination.iPage]) + " /XYZ "
                                 + QByteArray::number(destination.topLeft.x(), 'f', 2) + ' '
                                 + QByteArray::number(destination.topLeft.y(), 'f', 2) + " null]");
    }
    return dictionaryText(entries);
}

QByteArray objectText(Ref ref, const QByteArray& body)
{
    return QByteArray::number(ref.iNumber) + ' ' + QByteArray::number(ref.iGeneration) + " obj\n" + body + "\nendobj\n";
}

// "offset generation n", ten and five digits: with its two-byte end, twenty bytes an entry.
QByteArray xrefEntry(int iOffset, int iGeneration)
{
    return QByteArray::number(iOffset).rightJustified(10, '0') + ' '
           + QByteArray::number(iGeneration).rightJustified(5, '0') + " n \n";
}

} // namespace

QByteArray withNamedDestinations(const QByteArray& pdf, const std::vector<NamedDestination>& destinations)
{
    const PdfIndex index(pdf);
    const Ref root = requiredRef(index.trailer(), "/Root", "trailer");
    Entries catalog = index.dictionary(root);
    if (find(catalog, "/Dests"))
        throw ManualError(QStringLiteral("the PDF's catalog already has named destinations"));
    std::vector<Ref> pages;
    int cNodes = 0;
    collectPages(index, requiredRef(catalog, "/Pages", "catalog"), pages, cNodes);

    const QByteArray* pSize = find(index.trailer(), "/Size");
    bool bSize = false;
    const int iSize = pSize ? pSize->toInt(&bSize) : 0;
    if (!bSize || iSize <= root.iNumber)
        throw ManualError(QStringLiteral("the PDF's trailer has no valid /Size"));
    const Ref dests{iSize, 0};
    catalog.emplace_back("/Dests", refText(dests));

    QByteArray out = pdf;
    if (!out.endsWith('\n') && !out.endsWith('\r'))
        out += '\n';
    const int iCatalogAt = out.size();
    out += objectText(root, dictionaryText(catalog));
    const int iDestsAt = out.size();
    out += objectText(dests, destinationsText(destinations, pages));

    const int iXrefAt = out.size();
    out += "xref\n" + QByteArray::number(root.iNumber) + " 1\n" + xrefEntry(iCatalogAt, root.iGeneration)
           + QByteArray::number(dests.iNumber) + " 1\n" + xrefEntry(iDestsAt, dests.iGeneration);
    Entries trailer{{"/Size", QByteArray::number(iSize + 1)}};
    for (const auto& entry : index.trailer())
        if (entry.first != "/Size" && entry.first != "/Prev")
            trailer.push_back(entry);
    trailer.emplace_back("/Prev", QByteArray::number(index.lastXref()));
    out += "trailer\n" + dictionaryText(trailer) + "\nstartxref\n" + QByteArray::number(iXrefAt) + "\n%%EOF\n";
    return out;
}

} // namespace manual
