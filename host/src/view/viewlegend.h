#pragma once

#include <QString>
#include <QVector>

class QImage;

// The legend of a per-vertex overlay: a vertical bar of the colour ramp from 0 (bottom) to the
// overlay's largest value (top), tick labels in its unit on the left, the title above, on a
// dark panel in the picture's upper right corner. Sizes follow the picture's height.
void drawViewLegend(QImage* picture, float maxValue, const QString& unit, const QString& title);

// The values a legend up to maxValue marks: 0 and every multiple of a round step (1, 2 or 5
// times a power of ten) up to maxValue, about five in all. Empty when maxValue is not above 0.
QVector<float> viewLegendTicks(float maxValue);

// A tick's text: the value with as many decimals as the step needs, then the unit.
QString viewLegendLabel(float value, float step, const QString& unit);
