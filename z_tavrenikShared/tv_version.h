#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tav {

std::string VersionNumberText();  // "V1.0.5"
std::string VersionText();        // "V1.0.5 (2023-06-22)"

// "<title> — <name> <version text>", or "<name> <version text>" when title is null.
std::string ProductTitle(const char* title);
QString ProductTitleQ(const char* title);

// Replaces "%{", "}%", "``", "''" by typographic quotes and "%PLUGINNAME%" by the name.
std::string ExpandPluginText(std::string_view text);
std::string ExpandPluginText(const char* text);  // literals would be ambiguous otherwise
QString ExpandPluginText(const QString& text);

} // namespace tav
