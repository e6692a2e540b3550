#pragma once

#include <QString>
#include <stdexcept>

namespace manual {

// A failure that stops the manual from being built; its text names the file or thing at fault.
class ManualError : public std::runtime_error {
public:
    explicit ManualError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

} // namespace manual
