#pragma once

#include "tv_exception.h"

// Internal invariants. Active in every build type: a broken invariant in the field stops the job
// (it throws, and the job's failure path reports it) rather than run on with a corrupt scene or
// end the host with the user's unsaved work.
#define TV_ASSERT(expr) \
    ((expr) ? static_cast<void>(0) : ::tav::AssertionFailed(#expr, __FILE__, __LINE__))

// The same check, reporting a caller-given expression text, file and line.
#define TV_ASSERT_AT(expr, exprText, file, line) \
    ((expr) ? static_cast<void>(0) : ::tav::AssertionFailed((exprText), (file), (line)))

namespace tav {

// Called with every failed assertion before it is thrown; it may record it, or end the process.
using AssertionHandler = void (*)(const AssertionFailure& failure);

// Installs the handler (null: none) and returns the one it replaces. None is installed at first.
AssertionHandler SetAssertionHandler(AssertionHandler handler);

// Writes "assertion failed: <expression>, file <file>, line <line>" to standard error, passes
// it to the handler, then throws it as an AssertionFailure.
[[noreturn]] void AssertionFailed(const char* expression, const char* file, int line);

} // namespace tav
