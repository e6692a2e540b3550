#include "dzfloatslider.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>
#include <cmath>

namespace {

// Bar positions across the range; fine enough for a dial a few hundred pixels wide.
constexpr int kBarSteps = 1000;

} // namespace

DzFloatSlider::DzFloatSlider(QWidget* parent)
    : QWidget(parent),
      _plblName(new QLabel(this)),
      _pBar(new QSlider(Qt::Horizontal, this)),
      _pledValue(new QLineEdit(this))
{
    _plblName->setObjectName(QStringLiteral("plblName"));
    _pBar->setObjectName(QStringLiteral("pBar"));
    _pledValue->setObjectName(QStringLiteral("pledValue"));

    _pBar->setRange(0, kBarSteps);
    _pBar->setSingleStep(kBarSteps / 100);
    _pBar->setPageStep(kBarSteps / 10);
    _pBar->setFocusPolicy(Qt::StrongFocus);
    _pledValue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    _pledValue->setMaximumWidth(80);
    _pledValue->setReadOnly(true);
    // A long name wraps rather than widening the dial or pushing the bar out of sight.
    _plblName->setWordWrap(true);

    // The name on its own line, over the bar and the value.
    auto* pgrid = new QGridLayout(this);
    pgrid->setContentsMargins(0, 0, 0, 0);
    pgrid->setVerticalSpacing(1);
    pgrid->addWidget(_plblName, 0, 0, 1, 2);
    pgrid->addWidget(_pBar, 1, 0);
    pgrid->addWidget(_pledValue, 1, 1);
    pgrid->setColumnStretch(0, 1);

    connect(_pBar, &QSlider::valueChanged, this, &DzFloatSlider::slotBarMoved);
    connect(_pledValue, &QLineEdit::editingFinished, this, &DzFloatSlider::slotTextEdited);

    updateLabel();
    updateBar();
    updateText();
}

// QWidget's destructor takes the focus from the text, which then reports editingFinished: by
// that time this is no longer a dial, so its typing is dropped, not taken.
DzFloatSlider::~DzFloatSlider()
{
    disconnect(_pledValue, nullptr, this, nullptr);
}

float DzFloatSlider::getValue() const { return _value; }
float DzFloatSlider::getMin() const { return _min; }
float DzFloatSlider::getMax() const { return _max; }
bool DzFloatSlider::isClamped() const { return _clamped; }
bool DzFloatSlider::getDisplayAsPercent() const { return _percent; }
bool DzFloatSlider::isTextEditable() const { return !_pledValue->isReadOnly(); }
bool DzFloatSlider::isTextVisible() const { return _textVisible; }
QString DzFloatSlider::getLabel() const { return _label; }
bool DzFloatSlider::getShowLabel() const { return _showLabel; }

QString DzFloatSlider::valueText() const
{
    const QLocale c = QLocale::c();
    if (_percent)
        return c.toString(double(_value) * 100.0, 'f', 1) + QLatin1Char('%');
    return c.toString(double(_value), 'f', 2);
}

void DzFloatSlider::setValue(float value)
{
    const float newValue = _clamped ? clampedToRange(value) : value;
    if (newValue == _value)
        return;
    _value = newValue;
    updateBar();
    updateText();
    emit valueChanged(_value);
}

void DzFloatSlider::setMin(float min) { setMinMax(min, std::max(min, _max)); }
void DzFloatSlider::setMax(float max) { setMinMax(std::min(_min, max), max); }

void DzFloatSlider::setMinMax(float min, float max)
{
    _min = std::min(min, max);
    _max = std::max(min, max);
    if (_clamped)
        setValue(_value);  // pulls a value left outside the new range back in
    updateBar();
}

void DzFloatSlider::setClamped(bool clamped)
{
    _clamped = clamped;
    if (_clamped)
        setValue(_value);
}

void DzFloatSlider::setDisplayAsPercent(bool percent)
{
    _percent = percent;
    updateText();
}

void DzFloatSlider::setTextEditable(bool editable) { _pledValue->setReadOnly(!editable); }

void DzFloatSlider::setTextVisible(bool visible)
{
    _textVisible = visible;
    _pledValue->setVisible(visible);
}

void DzFloatSlider::setLabel(const QString& label)
{
    _label = label;
    updateLabel();
}

void DzFloatSlider::setShowLabel(bool show)
{
    _showLabel = show;
    updateLabel();
}

void DzFloatSlider::slotBarMoved(int position)
{
    // The bar is only a pointer into the range: a position maps back to a value.
    const float fraction = float(position) / float(kBarSteps);
    const float value = _min + fraction * (_max - _min);
    // A value outside the range stays where it is until the bar leaves its end stop.
    if (barPosition(_value) == position)
        return;
    setValue(value);
}

void DzFloatSlider::slotTextEdited()
{
    float value = 0.0f;
    if (parseText(_pledValue->text(), value))
        setValue(value);
    updateText();  // reformats the typed text, or puts the value back after a typo
}

float DzFloatSlider::clampedToRange(float value) const
{
    if (value < _min)
        return _min;
    if (value > _max)
        return _max;
    return value;
}

int DzFloatSlider::barPosition(float value) const
{
    if (!(_max > _min))
        return 0;
    const float fraction = (clampedToRange(value) - _min) / (_max - _min);
    return int(std::lround(fraction * float(kBarSteps)));
}

void DzFloatSlider::updateBar()
{
    const QSignalBlocker block(_pBar);
    _pBar->setValue(barPosition(_value));
}

void DzFloatSlider::updateText()
{
    _pledValue->setText(valueText());
}

void DzFloatSlider::updateLabel()
{
    _plblName->setText(_label);
    _plblName->setVisible(_showLabel && !_label.isEmpty());
}

bool DzFloatSlider::parseText(const QString& text, float& value) const
{
    QString number = text.trimmed();
    bool percent = _percent;
    if (number.endsWith(QLatin1Char('%'))) {
        number.chop(1);
        percent = true;
    }
    bool ok = false;
    double parsed = QLocale::c().toDouble(number.trimmed(), &ok);
    if (!ok || !std::isfinite(parsed))
        return false;
    if (percent)
        parsed /= 100.0;
    value = float(parsed);
    return true;
}
