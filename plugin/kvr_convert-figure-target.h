#pragma once

class DzFigure;
class DzFloatProperty;
class KvrConverter;

// Moves and turns the target onto the source in the floor plane, stands it on the floor and
// gives the source a temporary label; every changed value is saved in the job for the restore.
void normalizeFigures(KvrConverter& job);

// Undoes normalizeFigures: the saved values, the source's label and, when the pipeline switched
// it to base resolution, the source's resolution.
void restoreFigures(KvrConverter& job);

// The Genesis 8 leg stance on a Genesis 9 (thighs 6.5 degrees further apart), on or off. Does
// nothing for a Genesis 3 source, whose legs stand like Genesis 9's.
void poseThighs(const KvrConverter& job, DzFigure* pFigure, bool bOn);

// Steps the proportional-height property by 0.005 until the target has just passed the source's
// height: taller when it was shorter, shorter when it was taller or as tall. Gives up after 2001
// steps. Throws nothing; the caller reads the property afterwards.
void autoAdjustProportionalHeight(DzFigure* pfigTarget, DzFloatProperty* pprpHeight, DzFigure* pfigSource);
