#pragma once

#include <QString>
#include <cstdint>
#include <locale>
#include <string>
#include <string_view>
#include <vector>

namespace tav {

std::string ToUtf8(const QString& text);
QString ToQString(std::string_view text);

// Joins with "/" (backslashes turned into slashes); see the contract in the source.
std::string JoinPath(std::string_view a, std::string_view b);
QString ParentPath(const QString& path);
std::string_view Stem(std::string_view path);
std::string RandomString(size_t n);

namespace str {

extern const char* const pcszLeftQuote;   // U+201C
extern const char* const pcszRightQuote;  // U+201D
extern const char* const pcszEmDash;      // U+2014

// Upper-cases a leading ASCII letter and ends the text with a period unless it already
// ends with "!", ".", "?" or ">".
std::string MakeSentence(std::string_view text);

std::string Quoted(std::string_view text);
std::string Quoted(const char* text);
std::string Quoted(const QString& text);
std::string BoldQuoted(const QString& text);

std::string ReplaceAll(std::string_view text, std::string_view what, std::string_view with);
void ReplaceAllInPlace(std::string& text, std::string_view what, std::string_view with);

std::vector<std::string> Split(std::string_view text, std::string_view separator, bool trim,
                               bool keepEmpty);

bool EqualsIgnoreCase(std::string_view a, std::string_view b);

std::string FormatDuration(uint64_t seconds);
std::string FormatThousands(uint64_t n);
std::string CountText(uint64_t n, std::string_view singular, std::string_view pluralFormat);

// Thousands separated by "," in groups of three.
class SeparateThousands : public std::numpunct<char> {
protected:
    char do_thousands_sep() const override { return ','; }
    std::string do_grouping() const override { return "\3"; }
};

} // namespace str
} // namespace tav
