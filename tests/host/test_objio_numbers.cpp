// The exporter's number text must equal fmt's "{:.Nf}" (printf's "%.Nf") for every double.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fmt/format.h>
#include <limits>
#include <random>

#include "../../host/src/io/objdecimal.h"

namespace {

std::string fixed(double value, int precision)
{
    char buffer[kObjFixedMaxBytes];
    return std::string(buffer, objWriteFixed(buffer, value, precision));
}

// Values of every kind the exact path must get right or hand on: ties at each precision,
// tiny and huge magnitudes, subnormals, signed zeros, infinities and NaN, and random floats,
// float coordinates times scales, dyadic fractions and raw bit patterns.
std::vector<double> probeValues()
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    std::vector<double> values = {0.0,     -0.0,     0.5,      1.5,     2.5,     -2.5,   0.125,
                                  0.375,   5e-324,   1e-310,   -1e-9,   5e-9,    1e300,  -1e300,
                                  inf,     -inf,     std::nan(""), 1.8e11, 1.8e19, 9.999999995,
                                  0.000000005, 123456.5, -0.00000000499, -1e-12, double(12345.678f)};
    std::mt19937_64 random(12);
    std::uniform_real_distribution<float> coordinate(-200.0f, 200.0f);
    for (int i = 0; i < 20000; ++i) {
        double v = coordinate(random);
        switch (i % 5) {
        case 1: v *= 50.0; break;
        case 2: v = std::ldexp(double(random() % 1000000), -int(random() % 40)); break;
        case 3: v = double(int64_t(random())) / double(uint64_t(1) << (random() % 64)); break;
        case 4: {
            const uint64_t bits = random();
            std::memcpy(&v, &bits, sizeof v);
            break;
        }
        }
        values.push_back(v);
    }
    return values;
}

} // namespace

TEST(ObjNumbers, FixedTextEqualsFmtAtEveryPrecision)
{
    int mismatches = 0;
    for (const double value : probeValues())
        for (int precision = 0; precision <= 17; ++precision) {
            const std::string expected = fmt::format("{:.{}f}", value, precision);
            const std::string actual = fixed(value, precision);
            if (actual != expected && ++mismatches <= 5)
                ADD_FAILURE() << fmt::format("{:a} at {} digits: {} instead of {}", value, precision,
                                             actual, expected);
        }
    EXPECT_EQ(mismatches, 0);
}
