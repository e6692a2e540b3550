#include "tv_assert.h"

#include <QtGlobal>
#include <cstdio>
#include <fmt/format.h>

#include "dzapp.h"
#include "tv_log.h"

namespace tav {

void AssertionFailed(const char* expression, const char* file, int line)
{
    const std::string text =
        fmt::format("Assertion failed: {}, file {}, line {}", expression ? expression : "",
                    file ? file : "", line);
    if (dzApp)
        Log(text);
    // The host may route Qt messages elsewhere; standard error must see it regardless.
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
    qFatal("%s", text.c_str());
}

} // namespace tav
