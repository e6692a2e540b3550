#include "tv_version.h"

#include <QDate>
#include <fmt/format.h>

#include "tv_identity.h"
#include "tv_str.h"

namespace tav {

std::string VersionNumberText()
{
    return fmt::format("V{}.{}.{}", unsigned(uVersionMajor), unsigned(uVersionMinor),
                       unsigned(uVersionPatch));
}

std::string VersionText()
{
    const QDate releaseDate(iReleaseYear, iReleaseMonth, iReleaseDay);
    // The two trailing texts are build suffixes; release builds have none.
    return fmt::format("{} ({}){}{}", VersionNumberText(), ToUtf8(releaseDate.toString(Qt::ISODate)),
                       "", "");
}

std::string ProductTitle(const char* title)
{
    if (title)
        return fmt::format("{} {} {} {}", title, str::pcszEmDash, pcszPluginName, VersionText());
    return fmt::format("{} {}", pcszPluginName, VersionText());
}

QString ProductTitleQ(const char* title)
{
    return ToQString(ProductTitle(title));
}

std::string ExpandPluginText(std::string_view text)
{
    std::string expanded(text);
    // Quote markers first, so a name that contains one is not expanded again.
    str::ReplaceAllInPlace(expanded, "%{", str::pcszLeftQuote);
    str::ReplaceAllInPlace(expanded, "}%", str::pcszRightQuote);
    str::ReplaceAllInPlace(expanded, "``", str::pcszLeftQuote);
    str::ReplaceAllInPlace(expanded, "''", str::pcszRightQuote);
    str::ReplaceAllInPlace(expanded, "%PLUGINNAME%", pcszPluginName);
    return expanded;
}

std::string ExpandPluginText(const char* text)
{
    return ExpandPluginText(std::string_view(text ? text : ""));
}

QString ExpandPluginText(const QString& text)
{
    return ToQString(ExpandPluginText(std::string_view(ToUtf8(text))));
}

} // namespace tav
