#pragma once

#include <vector>

#include "figure_asset.h"

// Regional morphs: smooth displacement fields that are zero outside a bounded region of the
// figure, so the vertices outside it never move. Each is made of terms; a term weighs the
// surface by its region (1 inside, falling smoothly to 0 at its edge) and moves what it weighs.
// A term on one side also acts, mirrored, on the other when `bothSides` is set.

namespace cg {

// Where a term takes hold.
struct Region {
    enum Kind { Around, Along } kind = Along;
    // The parts it may touch: left or middle ones; Around, a field of the world's space, touches
    // their right-hand twins too.
    std::vector<Part> parts;
    // Around: an ellipsoid about a landmark, radii along the landmark's frame; full inside, none
    // beyond `reach` times its radii.
    Landmark centre = Landmark::EyeCentre;
    Vec3 radii;
    double reach = 1.6;
    // Along: the parts from v0 to v1, falling off over `falloff` beyond either end; when
    // halfAngle >= 0 only around `theta` (0 the spine frame's side, pi/2 its normal), falling
    // off over `angleFalloff`.
    double v0 = 0, v1 = 1, falloff = 0;
    double theta = 0, halfAngle = -1, angleFalloff = 0;
};

// Where a term's frame is: a landmark, or a joint of a digit.
struct Anchor {
    Landmark landmark = Landmark::EyeCentre;
    bool onDigit = false;
    Digit digit = Digit::Thumb;
    int joint = 0;
};

struct Term {
    enum Action { Move, Scale, Inflate } action = Move;
    Region region;
    Anchor anchor;
    // Move: cm along the anchor's frame (side, along, normal), or the world's axes when
    // `worldAxes`. Scale: relative growth along those axes about the anchor. Inflate: relative
    // growth (x) away from the part's own spine.
    Vec3 amount;
    bool worldAxes = false;
    bool bothSides = false;
    // Leaves the eye sockets as they are, so the eyes stay clear of the head.
    bool spareEyes = false;
};

struct RegionalMorph {
    const char* name;
    const char* label;
    const char* group;
    bool onSmallContent;
    std::vector<Term> terms;
};

// The rest-space offsets of every vertex of `fig` with the morph dialled to 1, as the figure
// stands.
std::vector<Vec3> regionalDeltas(const BuiltFigure& fig, const RegionalMorph& morph);

} // namespace cg
