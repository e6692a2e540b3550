#include "view/viewcolorramp.h"

#include <algorithm>
#include <iterator>

namespace {

// Evenly spaced samples of the ramp from 0 to 1; colours between are interpolated.
constexpr QRgb kStops[] = {0x440154, 0x472d7b, 0x3b528b, 0x2c728e, 0x21908c,
                           0x27ad81, 0x5dc863, 0xaadc32, 0xfde725};

ViewColor fromRgb(QRgb rgb) { return {qRed(rgb) / 255.0f, qGreen(rgb) / 255.0f, qBlue(rgb) / 255.0f}; }

} // namespace

ViewColor viewRampColor(float t)
{
    constexpr int kLast = static_cast<int>(std::size(kStops)) - 1;
    const float clamped = t > 0.0f ? std::min(t, 1.0f) : 0.0f;  // NaN takes the bottom
    const float position = clamped * kLast;
    const int below = std::min(static_cast<int>(position), kLast - 1);
    return fromRgb(kStops[below]).mixedWith(fromRgb(kStops[below + 1]), position - below);
}
