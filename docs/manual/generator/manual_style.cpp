#include "manual_style.h"

namespace manual::style {

namespace {

// Without ligatures, so that searching the PDF for a word like "figure" finds it.
QFont unshaped(const QString& family, QFont::StyleHint eHint)
{
    QFont font(family);
    font.setStyleHint(eHint, QFont::PreferNoShaping);
    return font;
}

} // namespace

QFont textFont()
{
    QFont font = unshaped(QStringLiteral("DejaVu Sans"), QFont::SansSerif);
    font.setPointSizeF(bodyPt);
    return font;
}

QFont codeFont()
{
    QFont font = unshaped(QStringLiteral("DejaVu Sans Mono"), QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSizeF(codePt);
    return font;
}

} // namespace manual::style
