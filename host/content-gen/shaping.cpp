#include "shaping.h"

#include <algorithm>
#include <cmath>

namespace cg {

double smoothstep(double e0, double e1, double x)
{
    const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

double plateau(double t, double flat)
{
    return 1 - smoothstep(flat, 1, std::abs(t));
}

double bump(double t)
{
    const double s = 1 - t * t;
    return s > 0 ? s * s * s : 0;
}

double bump2(double dx, double rx, double dy, double ry)
{
    const double a = dx / rx, b = dy / ry;
    return bump(std::sqrt(a * a + b * b));
}

double angleBetween(double a, double b)
{
    double d = std::fmod(a - b, 2 * kPi);
    if (d <= -kPi)
        d += 2 * kPi;
    else if (d > kPi)
        d -= 2 * kPi;
    return d;
}

Profile::Profile(std::vector<double> knots, std::vector<double> values)
    : _knots(std::move(knots)), _values(std::move(values)), _slopes(_knots.size(), 0.0)
{
    const size_t n = _knots.size();
    auto secant = [&](size_t i) { return (_values[i + 1] - _values[i]) / (_knots[i + 1] - _knots[i]); };
    for (size_t i = 0; i < n; ++i) {
        if (n < 2)
            break;
        if (i == 0) {
            _slopes[i] = secant(0);
        } else if (i == n - 1) {
            _slopes[i] = secant(n - 2);
        } else {
            const double a = secant(i - 1), b = secant(i);
            if (a * b <= 0)
                continue;
            const double wa = 2 * (_knots[i + 1] - _knots[i]) + (_knots[i] - _knots[i - 1]);
            const double wb = (_knots[i + 1] - _knots[i]) + 2 * (_knots[i] - _knots[i - 1]);
            _slopes[i] = (wa + wb) / (wa / a + wb / b);
        }
    }
}

double Profile::operator()(double x) const
{
    if (x <= _knots.front())
        return _values.front();
    if (x >= _knots.back())
        return _values.back();
    const size_t k = size_t(std::upper_bound(_knots.begin(), _knots.end(), x) - _knots.begin()) - 1;
    const double h = _knots[k + 1] - _knots[k];
    const double t = (x - _knots[k]) / h;
    const double h00 = (1 + 2 * t) * (1 - t) * (1 - t), h10 = t * (1 - t) * (1 - t);
    const double h01 = t * t * (3 - 2 * t), h11 = t * t * (t - 1);
    return h00 * _values[k] + h10 * h * _slopes[k] + h01 * _values[k + 1] + h11 * h * _slopes[k + 1];
}

} // namespace cg
