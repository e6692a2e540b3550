#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

namespace cg {

// Rounds to a fixed number of decimals so the written text is short and reproducible.
double rounded(double value, int decimals);

// The percent-encoded asset path of a relative file path under a content directory
// ("data/DAZ 3D/x.dsf" -> "/data/DAZ%203D/x.dsf").
QString assetPath(const QString& relativePath);

// A DSON channel of the "value" kind with range and flags.
struct ChannelSpec {
    QString id = QStringLiteral("value");
    QString type = QStringLiteral("float");
    QString name, label;
    double value = 0, min = 0, max = 1;
    bool clamped = true, visible = true;
};
QJsonObject channelJson(const ChannelSpec& spec);

// A DSON file: the top object with file_version and asset_info.
QJsonObject dsonFile(const QString& assetId, const QString& type);

// Ends the program with the message (a generator has no one to report to).
[[noreturn]] void failGeneration(const QString& message);

// Writes the document below `root`, making folders; gzip-compressed when `compressed`.
// Exits the program with a message on failure.
void writeDson(const QString& root, const QString& relativePath, const QJsonObject& doc,
               bool compressed = false);

} // namespace cg
