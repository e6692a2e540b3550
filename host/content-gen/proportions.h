#pragma once

// The measurements of one member of the figure family, in cm (half widths and depths unless a
// name says otherwise). The defaults are Genesis 9's.

namespace cg {

struct Proportions {
    // Whole figure
    double height = 171;     // crown
    double crotchY = 80;     // bottom of the torso
    double hipJointY = 88;   // thigh joint centre height
    double hipJointX = 9.2;  // thigh joint centre distance from the mid plane

    // Torso
    double pelvisW = 17, pelvisD = 11;
    double waistW = 13.5, waistD = 9.5;
    double chestW = 16, chestD = 11;
    double shoulderW = 19;   // mid plane to the outside of the shoulder
    double neckR = 5.5, neckLen = 8;
    double bust = 1.0, belly = 0.5, glutes = 2.0; // how far each stands out

    // Head and face
    double headW = 7.6, headD = 9.5, headH = 23; // headH: chin to crown
    double headForward = 1.5;
    double nose = 1.8;       // how far the nose tip stands out
    double lips = 1.0, ears = 1.0, chin = 1.0; // fullness of each, 1 is average
    double eyeR = 1.2;       // half width of the eye
    double eyeSpacing = 3.2; // mid plane to an eye's centre
    double eyeDepth = 0.2;   // eye centre behind the face's base surface

    // Arms and hands
    double armAngle = 48;    // rest pose: degrees the upper arm hangs below horizontal
    double elbowBend = 12;   // degrees the forearm turns forward at rest
    double upperArmLen = 29, forearmLen = 25.5, handLen = 10;
    double upperArmR = 4.3, forearmR = 3.9;
    double wristW = 2.7, wristD = 1.9, palmW = 4.3, palmD = 1.4;
    double fingerLen = 1, fingerR = 1; // scale of every digit's length and thickness

    // Legs and feet
    double thighR = 8, kneeR = 5.2, calfR = 5.5, ankleR = 3.5;
    double footLen = 25, footW = 4.5; // heel to toe; half width at the ball
};

} // namespace cg
