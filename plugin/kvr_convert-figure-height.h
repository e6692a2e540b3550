#pragma once

class DzFigure;
class DzFloatProperty;

// Steps the proportional-height property by 0.005 until the target has just passed the source's
// height: taller when it was shorter, shorter when it was taller or as tall. Gives up after 2001
// steps. Throws nothing; the caller reads the property afterwards.
void autoAdjustProportionalHeight(DzFigure* pfigTarget, DzFloatProperty* pprpHeight, DzFigure* pfigSource);
