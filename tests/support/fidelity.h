#pragma once

class DzNode;

// How far one figure's evaluated surface lies from another's, relative to the first one's height:
// every vertex of each measured to the closest point of the other's triangles.
struct Fidelity {
    double rmsRelative = 0;
    double maxRelative = 0;
    float height = 0;  // of the first node, in cm
};

// The evaluated world meshes of a and b as the host has them now; zeros when either has none.
Fidelity measureFidelity(DzNode* a, DzNode* b);

// The bounds every conversion must meet: 0.5 % of the height at every vertex, 0.1 % RMS.
constexpr double fMaxRelativeBound = 0.005;
constexpr double fRmsRelativeBound = 0.001;
