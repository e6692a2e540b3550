#pragma once

#include "anatomy.h"
#include "proportions.h"
#include "tube.h"

// The tubes of a figure's parts at rest, built from its proportions. Limbs are the left ones;
// their spines bend at the joints into the figure's rest pose.

namespace cg {

// Torso from the crotch to the top of the neck, which ends inside the head.
TubePlan torsoPlan(const Proportions& prop);
// Bust, belly and glutes, pushed out along the torso's radial directions.
double torsoBulge(const Proportions& prop, const Tube& torso, double theta, double v);

// Head from below the chin (inside the neck) to the crown; the face is added by Face.
TubePlan headPlan(const Proportions& prop);

// Arm from inside the chest out along the collarbone, down to the elbow, the wrist and the
// end of the palm.
TubePlan armPlan(const Proportions& prop);

// Leg from the tip of the foot back to the heel, up the shin and thigh to inside the hip.
TubePlan legPlan(const Proportions& prop);

// A digit from its base inside the palm (of `arm`) out to its tip.
TubePlan digitPlan(const Proportions& prop, const Tube& arm, Digit digit);

// The height of the bottom of the chin and of the base of the neck.
double chinY(const Proportions& prop);
double neckBaseY(const Proportions& prop);

// `v` turned by `degrees` towards `towards` (in the plane of the two).
Vec3 turnedToward(Vec3 v, Vec3 towards, double degrees);

} // namespace cg
