#pragma once

#include <string>
#include <string_view>

namespace tav {

// Writes "TkKVR: <text>" as one line to the host log and flushes it.
void Log(std::string_view text);

// Brackets a scope with "Entering {}" and "Leaving {}" log lines, also when unwinding.
class ScopeLog {
public:
    explicit ScopeLog(std::string_view name);
    ~ScopeLog();
    ScopeLog(const ScopeLog&) = delete;
    ScopeLog& operator=(const ScopeLog&) = delete;

private:
    std::string _name;
};

} // namespace tav
