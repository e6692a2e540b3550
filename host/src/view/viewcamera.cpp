#include "view/viewcamera.h"

#include <QtMath>
#include <algorithm>
#include <cmath>

namespace {

// Looking straight down or up would leave "right" undefined.
constexpr float kPitchLimit = 89.0f;

float tanHalfFieldOfView()
{
    return std::tan(qDegreesToRadians(ViewCamera::kFieldOfViewDegrees) * 0.5f);
}

} // namespace

ViewBasis ViewCamera::basis() const
{
    const float yaw = qDegreesToRadians(yawDegrees);
    const float pitch = qDegreesToRadians(pitchDegrees);
    ViewBasis b;
    b.back = DzVec3(std::cos(pitch) * std::sin(yaw), std::sin(pitch), std::cos(pitch) * std::cos(yaw));
    b.right = DzVec3(std::cos(yaw), 0.0f, -std::sin(yaw));
    b.up = b.back.cross(b.right);
    b.eye = target + b.back * distance;
    return b;
}

float ViewCamera::focalPixels(int height) { return 0.5f * height / tanHalfFieldOfView(); }

void ViewCamera::orbit(float yawDelta, float pitchDelta)
{
    setAngles(yawDegrees + yawDelta, pitchDegrees + pitchDelta);
}

void ViewCamera::setAngles(float yaw, float pitch)
{
    yawDegrees = std::remainder(yaw, 360.0f);
    pitchDegrees = std::clamp(pitch, -kPitchLimit, kPitchLimit);
}

void ViewCamera::pan(float rightFraction, float upFraction)
{
    const ViewBasis b = basis();
    const float viewHeight = 2.0f * distance * tanHalfFieldOfView();
    target += (b.right * rightFraction + b.up * upFraction) * viewHeight;
}

void ViewCamera::zoom(float factor)
{
    if (factor > 0.0f)
        distance = std::max(distance / factor, 2.0f * kNearPlane);
}

void ViewCamera::frame(const DzBox3& box, float aspect)
{
    if (box.isEmpty() || aspect <= 0.0f)
        return;
    const ViewBasis b = basis();
    const float tanY = tanHalfFieldOfView() * kFrameFill;
    const float tanX = tanY * aspect;
    const DzVec3 centre = box.getCenter();
    const DzVec3 lo = box.getMin(), hi = box.getMax();
    float needed = 2.0f * kNearPlane;
    for (int corner = 0; corner < 8; ++corner) {
        const DzVec3 c(corner & 1 ? hi.m_x : lo.m_x, corner & 2 ? hi.m_y : lo.m_y,
                       corner & 4 ? hi.m_z : lo.m_z);
        const DzVec3 rel = c - centre;
        // The corner is inside when |x| <= (distance - toward) * tan: solve for the distance.
        const float toward = rel.dot(b.back);
        needed = std::max({needed, toward + std::abs(rel.dot(b.right)) / tanX,
                           toward + std::abs(rel.dot(b.up)) / tanY, toward + 2.0f * kNearPlane});
    }
    target = centre;
    distance = needed;
}
