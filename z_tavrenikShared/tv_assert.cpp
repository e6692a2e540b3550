#include "tv_assert.h"

#include <cstdio>

namespace tav {

namespace {

AssertionHandler handlerNow = nullptr;

} // namespace

AssertionHandler SetAssertionHandler(AssertionHandler handler)
{
    AssertionHandler previous = handlerNow;
    handlerNow = handler;
    return previous;
}

void AssertionFailed(const char* expression, const char* file, int line)
{
    const AssertionFailure failure(expression ? expression : "", file ? file : "", line);
    // The host may route Qt messages elsewhere, and a handler above may never show the failure:
    // standard error sees it regardless. The host log gets it from the job's failure path.
    std::fprintf(stderr, "%s\n", failure.what());
    std::fflush(stderr);
    if (handlerNow)
        handlerNow(failure);
    throw failure;
}

} // namespace tav
