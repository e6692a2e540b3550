#pragma once

#include <cstddef>

// The longest text objWriteFixed writes: a double's 309 integer digits, sign, point and 17
// decimals.
constexpr size_t kObjFixedMaxBytes = 330;

// Writes `value` with `precision` digits after the point (0 to 17) and returns the end:
// exactly the text of printf's "%.Nf" (and fmt's "{:.Nf}"), that is correctly rounded from
// the binary value, ties to even, a "-" kept on negative values that round to zero, and no
// point when precision is 0. Values of ordinary size take an exact integer path several
// times faster than the general algorithms; the rest go through fmt.
char* objWriteFixed(char* out, double value, int precision);
