#pragma once

#include "dzbox3.h"
#include "dzvec3.h"

// A point in the camera's frame: x right, y up, depth the distance in front of the eye.
struct ViewPoint {
    float x = 0.0f;
    float y = 0.0f;
    float depth = 0.0f;
};

// The camera's frame in the scene: where the eye is and its unit axes.
struct ViewBasis {
    DzVec3 eye;
    DzVec3 right;
    DzVec3 up;
    DzVec3 back;  // from the target toward the eye

    ViewPoint toView(const DzVec3& p) const
    {
        const DzVec3 v = p - eye;
        return {v.dot(right), v.dot(up), -v.dot(back)};
    }
    // A direction in the camera's frame: x right, y up, z toward the eye.
    DzVec3 directionToView(const DzVec3& d) const { return {d.dot(right), d.dot(up), d.dot(back)}; }
};

// An orbit camera in scene units (cm, Y up): it looks at a target from a direction given by a
// yaw about +Y and a pitch above the horizon, from a distance, through a perspective lens of a
// vertical field of view. Yaw 0 and pitch 0 look from +Z, where figures face, toward -Z; yaw 90
// looks from +X. A plain value.
class ViewCamera {
public:
    static constexpr float kFieldOfViewDegrees = 30.0f;
    // Nothing nearer than this is drawn; the camera never comes closer to its target.
    static constexpr float kNearPlane = 1.0f;
    // Share of the picture that framing fills, so framed nodes keep a border.
    static constexpr float kFrameFill = 0.9f;

    DzVec3 target{0.0f, 90.0f, 0.0f};
    float yawDegrees = 0.0f;
    float pitchDegrees = 0.0f;
    float distance = 500.0f;

    ViewBasis basis() const;
    // Pixels per unit of x / depth for a picture `height` pixels high.
    static float focalPixels(int height);

    // Turns around the target; the pitch stays short of straight up or down.
    void orbit(float yawDelta, float pitchDelta);
    // Sets the direction, pitch limited as by orbit.
    void setAngles(float yaw, float pitch);
    // Moves eye and target across the view by fractions of the view's height at the target.
    void pan(float rightFraction, float upFraction);
    // Divides the distance by the factor (> 1 comes closer), never nearer than twice the near
    // plane.
    void zoom(float factor);
    // Aims at the box's centre and steps back until every corner of the box lies inside
    // kFrameFill of a picture with that width/height aspect. An empty box changes nothing.
    void frame(const DzBox3& box, float aspect);
};
