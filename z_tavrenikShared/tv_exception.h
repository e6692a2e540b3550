#pragma once

#include <exception>
#include <string>
#include <string_view>

#include <fmt/format.h>

namespace tav {

// The one error type of the plug-in: a UTF-8 message, lower case, no closing period.
class Exception : public std::exception {
public:
    explicit Exception(std::string_view message) : _message(message) {}

    template <typename... Args>
    Exception(fmt::format_string<Args...> format, Args&&... args)
        : _message(fmt::format(format, std::forward<Args>(args)...))
    {
    }

    Exception(const Exception&) = default;
    ~Exception() override = default;

    const char* what() const noexcept override { return _message.c_str(); }

private:
    std::string _message;
};

// The user declined to go on; handlers drop it silently.
class CanceledException : public Exception {
public:
    CanceledException() : Exception(std::string_view("operation canceled")) {}
    CanceledException(const CanceledException&) = default;
};

// A broken internal invariant: a programming error, reported like any failure of the job.
class AssertionFailure : public Exception {
public:
    AssertionFailure(std::string_view expression, std::string_view file, int line)
        : Exception("assertion failed: {}, file {}, line {}", expression, file, line)
    {
    }
    AssertionFailure(const AssertionFailure&) = default;
};

} // namespace tav
