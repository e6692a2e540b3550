#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// A fault in a content file; the loader turns it into a log line and a failed load. It is a
// std::exception so that a handler that knows nothing of content files still catches it.
class DsonError : public std::exception {
public:
    explicit DsonError(const QString& message) : text(message), _utf8(message.toUtf8()) {}
    const char* what() const noexcept override { return _utf8.constData(); }

    QString text;

private:
    QByteArray _utf8;
};

[[noreturn]] inline void dsonFail(const QString& text)
{
    throw DsonError(text);
}
