#include "tv_log.h"

#include <cstdio>
#include <fmt/format.h>

#include "dzapp.h"
#include "tv_identity.h"
#include "tv_str.h"

namespace tav {

void Log(std::string_view text)
{
    const std::string line = fmt::format("{}{}", pcszLogPrefix, text);
    if (!dzApp) {
        // No host yet (or any more): keep the line where a developer will see it.
        std::fprintf(stderr, "%s\n", line.c_str());
        std::fflush(stderr);
        return;
    }
    dzApp->log(ToQString(line));
    dzApp->flushLogBuffer();
}

ScopeLog::ScopeLog(std::string_view name) : _name(name)
{
    Log(fmt::format("Entering {}", _name));
}

ScopeLog::~ScopeLog()
{
    Log(fmt::format("Leaving {}", _name));
}

} // namespace tav
