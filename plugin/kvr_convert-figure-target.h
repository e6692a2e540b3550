#pragma once

class DzFigure;
class KvrConverter;
struct KvrConversion;

// The transforms copied from the source onto the target, in this order. Y translation is not
// copied: the target stands on the floor.
inline constexpr const char* apcszAlignedTransforms[] = {"XTranslate", "ZTranslate", "XRotate", "YRotate",
                                                         "ZRotate"};
inline constexpr const char* pcszFloorTransform = "YTranslate";

// Step 1: the figures normalised, and the source switched to base resolution for a Base job.
void prepareFigures(KvrConversion& c);

// Moves and turns the target onto the source in the floor plane, stands it on the floor and
// gives the source a temporary label; every changed value is remembered by the job.
void normalizeFigures(KvrConverter& job);

// Undoes what the job changed on the figures: the remembered values, the source's label and,
// when the job switched it to base resolution, the source's resolution.
void restoreFigures(KvrConverter& job);

// The thigh pose of the source's generation on a Genesis 9, on or off. Does nothing for a
// generation whose legs stand like Genesis 9's.
void poseThighs(const KvrConverter& job, DzFigure* pFigure, bool bOn);
