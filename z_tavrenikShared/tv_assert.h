#pragma once

// Internal invariants. Active in every build type: a broken invariant in the field must stop
// the job with a log line rather than run on with a corrupt scene.
#define TV_ASSERT(expr) \
    ((expr) ? static_cast<void>(0) : ::tav::AssertionFailed(#expr, __FILE__, __LINE__))

// The same check, reporting a caller-given expression text, file and line.
#define TV_ASSERT_AT(expr, exprText, file, line) \
    ((expr) ? static_cast<void>(0) : ::tav::AssertionFailed((exprText), (file), (line)))

namespace tav {

// Writes "Assertion failed: <expression>, file <file>, line <line>" to the host log (when
// there is a host) and to standard error, then aborts.
[[noreturn]] void AssertionFailed(const char* expression, const char* file, int line);

} // namespace tav
