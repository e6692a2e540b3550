#pragma once

#include <QString>

// A fault in a content file; the loader turns it into a log line and a failed load.
struct DsonError {
    QString text;
};

[[noreturn]] inline void dsonFail(const QString& text)
{
    throw DsonError{text};
}
