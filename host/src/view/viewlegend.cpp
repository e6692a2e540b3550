#include "view/viewlegend.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "view/viewcolorramp.h"

namespace {

// About this many intervals between ticks.
constexpr float kTickIntervals = 5.0f;

// Sizes as shares of the picture's height, each with a floor in pixels for small pictures.
struct LegendSizes {
    explicit LegendSizes(int pictureHeight)
    {
        const double percent = pictureHeight / 100.0;
        font = std::max(9, qRound(2.2 * percent));
        margin = std::max(6, qRound(2.0 * percent));
        padding = std::max(4, qRound(1.2 * percent));
        barWidth = std::max(10, qRound(2.4 * percent));
        barHeight = std::max(60, qRound(36.0 * percent));
        tick = std::max(3, qRound(0.8 * percent));
    }
    int font, margin, padding, barWidth, barHeight, tick;
};

float roundStep(float maxValue)
{
    const float raw = maxValue / kTickIntervals;
    const float magnitude = std::pow(10.0f, std::floor(std::log10(raw)));
    const float scaled = raw / magnitude;
    const float round = scaled < 1.5f ? 1.0f : scaled < 3.0f ? 2.0f : scaled < 7.0f ? 5.0f : 10.0f;
    return round * magnitude;
}

} // namespace

QVector<float> viewLegendTicks(float maxValue)
{
    QVector<float> ticks;
    if (!(maxValue > 0.0f) || !std::isfinite(maxValue))
        return ticks;
    const float step = roundStep(maxValue);
    // The tolerance keeps a tick that lands on maxValue despite rounding.
    for (int i = 0; i * step <= maxValue * 1.0001f; ++i)
        ticks.append(i * step);
    return ticks;
}

QString viewLegendLabel(float value, float step, const QString& unit)
{
    const int decimals = step > 0.0f ? std::max(0, int(std::ceil(-std::log10(step) - 1e-4f))) : 0;
    const QString number = QString::number(double(value), 'f', decimals);
    return unit.isEmpty() ? number : number + QLatin1Char(' ') + unit;
}

void drawViewLegend(QImage* picture, float maxValue, const QString& unit, const QString& title)
{
    const QVector<float> ticks = viewLegendTicks(maxValue);
    if (!picture || picture->isNull() || ticks.isEmpty())
        return;
    const LegendSizes size(picture->height());
    QFont font;
    font.setPixelSize(size.font);
    const QFontMetrics metrics(font);
    const float step = ticks.size() > 1 ? ticks[1] : maxValue;
    int labelWidth = 0;
    for (float value : ticks)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(viewLegendLabel(value, step, unit)));
    const int scaleWidth = labelWidth + size.padding + size.tick + size.barWidth;
    const int panelWidth = std::max(scaleWidth, metrics.horizontalAdvance(title)) + 2 * size.padding;
    const int titleHeight = title.isEmpty() ? 0 : metrics.height() + size.padding;
    const int panelHeight =
        titleHeight + size.barHeight + metrics.height() + 2 * size.padding;
    const QRect panel(picture->width() - size.margin - panelWidth, size.margin, panelWidth,
                      panelHeight);

    QPainter painter(picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(20, 22, 26, 200));
    painter.drawRoundedRect(panel, size.padding, size.padding);
    painter.setFont(font);
    painter.setPen(QColor(235, 235, 235));
    if (!title.isEmpty())
        painter.drawText(QRect(panel.left() + size.padding, panel.top() + size.padding,
                               panel.width() - 2 * size.padding, metrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, title);

    // The bar, row by row from the ramp's top; half a text line of room above and below it
    // for the end labels.
    const int barLeft = panel.right() - size.padding - size.barWidth + 1;
    const int barTop = panel.top() + size.padding + titleHeight + metrics.height() / 2;
    const int barBottom = barTop + size.barHeight - 1;
    for (int y = barTop; y <= barBottom; ++y) {
        const float t = float(barBottom - y) / float(size.barHeight - 1);
        painter.fillRect(QRect(barLeft, y, size.barWidth, 1), QColor(viewRampColor(t).toRgb()));
    }
    for (float value : ticks) {
        const int y = barBottom - qRound(value / maxValue * (size.barHeight - 1));
        painter.drawLine(barLeft - size.tick, y, barLeft - 1, y);
        const QRect label(panel.left() + size.padding, y - metrics.height() / 2, labelWidth,
                          metrics.height());
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, viewLegendLabel(value, step, unit));
    }
}
