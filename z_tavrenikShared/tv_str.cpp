#include "tv_str.h"

#include <fmt/format.h>
#include <random>
#include <sstream>


namespace tav {

namespace {

constexpr std::string_view kRandomAlphabet =
    "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";
constexpr std::string_view kPathSeparators = "/\\";

// Index of the last path separator, ignoring one at index 0; npos when there is none.
size_t LastSeparator(std::string_view path)
{
    const size_t pos = path.find_last_of(kPathSeparators);
    return (pos == std::string_view::npos || pos == 0) ? std::string_view::npos : pos;
}

std::string_view Trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos)
        return {};
    const size_t last = text.find_last_not_of(kWhiteSpace);
    return text.substr(first, last - first + 1);
}

std::mt19937& ThreadGenerator()
{
    thread_local std::mt19937 generator{std::random_device{}()};
    return generator;
}

} // namespace

std::string ToUtf8(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), int(text.size()));
}

std::string JoinPath(std::string_view a, std::string_view b)
{
    std::string joined = str::ReplaceAll(a, "\\", "/");
    if (!joined.empty() && joined.back() != '/')
        joined += '/';
    joined += str::ReplaceAll(b, "\\", "/");
    return joined;
}

QString ParentPath(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    const int backslash = path.lastIndexOf(QLatin1Char('\\'));
    const int pos = std::max(slash, backslash);
    return pos > 0 ? path.left(pos) : path;
}

std::string_view Stem(std::string_view path)
{
    const size_t sep = LastSeparator(path);
    std::string_view name = sep == std::string_view::npos ? path : path.substr(sep + 1);
    const size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? name : name.substr(0, dot);
}

std::string RandomString(size_t n)
{
    std::uniform_int_distribution<size_t> pick(0, kRandomAlphabet.size() - 1);
    std::mt19937& generator = ThreadGenerator();
    std::string text(n, '\0');
    for (char& c : text)
        c = kRandomAlphabet[pick(generator)];
    return text;
}

namespace str {

const char* const pcszLeftQuote = "\xe2\x80\x9c";
const char* const pcszRightQuote = "\xe2\x80\x9d";
const char* const pcszEmDash = "\xe2\x80\x94";

std::string MakeSentence(std::string_view text)
{
    std::string sentence(text);
    if (sentence.empty())
        return sentence;
    if (sentence.front() >= 'a' && sentence.front() <= 'z')
        sentence.front() = char(sentence.front() - 'a' + 'A');
    switch (sentence.back()) {
    case '!':
    case '.':
    case '?':
    case '>':  // an HTML tag closes the text
        break;
    default:
        sentence += '.';
    }
    return sentence;
}

std::string Quoted(std::string_view text)
{
    return fmt::format("{}{}{}", pcszLeftQuote, text, pcszRightQuote);
}

std::string Quoted(const char* text)
{
    return Quoted(std::string_view(text ? text : ""));
}

std::string Quoted(const QString& text)
{
    return Quoted(std::string_view(ToUtf8(text)));
}

std::string BoldQuoted(const QString& text)
{
    return fmt::format("<b>{}{}{}</b>", pcszLeftQuote, ToUtf8(text), pcszRightQuote);
}

void ReplaceAllInPlace(std::string& text, std::string_view what, std::string_view with)
{
    if (what.empty())
        return;
    size_t pos = 0;
    while ((pos = text.find(what, pos)) != std::string::npos) {
        text.replace(pos, what.size(), with);
        pos += with.size();  // never search the inserted text again
    }
}

std::string ReplaceAll(std::string_view text, std::string_view what, std::string_view with)
{
    std::string result(text);
    ReplaceAllInPlace(result, what, with);
    return result;
}

std::vector<std::string> Split(std::string_view text, std::string_view separator, bool trim,
                               bool keepEmpty)
{
    std::vector<std::string> parts;
    if (text.empty())
        return parts;
    auto addPart = [&](std::string_view part) {
        if (part.empty() && !keepEmpty)
            return;
        parts.emplace_back(trim ? Trimmed(part) : part);
    };
    if (separator.empty()) {
        addPart(text);
        return parts;
    }
    size_t start = 0;
    for (size_t pos = text.find(separator); pos != std::string_view::npos;
         pos = text.find(separator, start)) {
        addPart(text.substr(start, pos - start));
        start = pos + separator.size();
    }
    addPart(text.substr(start));
    return parts;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    for (size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::string FormatDuration(uint64_t seconds)
{
    const uint64_t h = seconds / 3600;
    const uint64_t m = (seconds / 60) % 60;
    const uint64_t s = seconds % 60;
    if (h > 0)
        return fmt::format("{}:{:02}:{:02} hours", h, m, s);
    if (m > 0)
        return fmt::format("{}:{:02} minutes", m, s);
    if (s == 1)
        return "1 second";
    return fmt::format("{} seconds", s);
}

std::string FormatThousands(uint64_t n)
{
    std::ostringstream stream;
    stream.imbue(std::locale(std::locale::classic(), new SeparateThousands));
    stream << n;
    return stream.str();
}

std::string CountText(uint64_t n, std::string_view singular, std::string_view pluralFormat)
{
    if (n == 1)
        return std::string(singular);
    return ReplaceAll(pluralFormat, "%d", FormatThousands(n));
}

} // namespace str
} // namespace tav
