#pragma once

#include <QMetaType>
#include <QString>

// A content asset address: "/data/<path>.dsf#<id>" with spaces written as %20.
class DzUri {
public:
    DzUri() = default;
    explicit DzUri(const QString& uri) : _uri(uri) {}

    QString toString() const { return _uri; }
    bool isEmpty() const { return _uri.isEmpty(); }
    // The file part, before '#'.
    QString getFilePath() const { return _uri.section('#', 0, 0); }
    // The asset id, after '#'.
    QString getId() const { return _uri.section('#', 1); }

    bool operator==(const DzUri& o) const { return _uri == o._uri; }
    bool operator!=(const DzUri& o) const { return _uri != o._uri; }

private:
    QString _uri;
};

Q_DECLARE_METATYPE(DzUri)
