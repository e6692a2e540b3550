#include "io/objdecimal.h"

#include <array>
#include <utility>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fmt/format.h>

namespace {

using u128 = unsigned __int128;

constexpr int kMaxPrecision = 17;

template <uint64_t Base>
constexpr std::array<uint64_t, kMaxPrecision + 1> powers()
{
    std::array<uint64_t, kMaxPrecision + 1> p{};
    p[0] = 1;
    for (size_t i = 1; i < p.size(); ++i)
        p[i] = p[i - 1] * Base;
    return p;
}
constexpr auto kPow5 = powers<5>();
constexpr auto kPow10 = powers<10>();

// round(magnitude * 10^precision), ties to even, computed exactly: the double is m * 2^e, so
// the product is m * 5^p * 2^(e + p), an integer shifted by a power of two. False when the
// value is not finite or the result does not fit 64 bits.
bool scaledMagnitude(double magnitude, int precision, uint64_t& scaled)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &magnitude, sizeof bits);
    const int biased = int(bits >> 52) & 0x7ff;
    uint64_t mantissa = bits & ((uint64_t(1) << 52) - 1);
    if (biased == 0x7ff)
        return false;
    int exponent = -1074;  // subnormal
    if (biased != 0) {
        mantissa |= uint64_t(1) << 52;
        exponent = biased - 1075;
    }
    const u128 product = u128(mantissa) * kPow5[size_t(precision)];  // below 2^93
    const int shift = exponent + precision;
    if (shift >= 0) {
        if (shift >= 64 || (product >> (64 - shift)) != 0)
            return false;
        scaled = uint64_t(product << shift);
        return true;
    }
    const int drop = -shift;
    if (drop > 94) {  // the product is below half of the dropped unit
        scaled = 0;
        return true;
    }
    u128 whole = product >> drop;
    const u128 rest = product - (whole << drop);
    const u128 half = u128(1) << (drop - 1);
    if (rest > half || (rest == half && (whole & 1)))
        ++whole;
    if (whole >> 64)
        return false;
    scaled = uint64_t(whole);
    return true;
}

} // namespace

namespace {

// The digits of round(|value| * 10^P) as "integer.fraction"; P is a constant so the
// divisions become multiplications.
template <int P>
char* writeScaled(char* p, uint64_t scaled)
{
    constexpr uint64_t unit = kPow10[P];
    p = std::to_chars(p, p + 24, scaled / unit).ptr;
    if constexpr (P > 0) {
        *p++ = '.';
        uint64_t fraction = scaled % unit;
        for (int i = P - 1; i >= 0; --i) {
            p[i] = char('0' + fraction % 10);
            fraction /= 10;
        }
        p += P;
    }
    return p;
}

template <int... P>
char* writeScaled(char* p, uint64_t scaled, int precision, std::integer_sequence<int, P...>)
{
    using Writer = char* (*)(char*, uint64_t);
    static constexpr Writer writers[] = {&writeScaled<P>...};
    return writers[precision](p, scaled);
}

} // namespace

char* objWriteFixed(char* out, double value, int precision)
{
    uint64_t scaled = 0;
    if (precision < 0 || precision > kMaxPrecision
        || !scaledMagnitude(std::fabs(value), precision, scaled))
        return fmt::format_to(out, "{:.{}f}", value, precision);
    if (std::signbit(value))
        *out++ = '-';
    return writeScaled(out, scaled, precision, std::make_integer_sequence<int, kMaxPrecision + 1>());
}

