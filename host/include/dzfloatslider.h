#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QSlider;

// The host's dial: an optional label, a bar to drag or click, and a value text that can be
// edited. valueChanged(float) is emitted for every change, whether made by the program or by
// the user, and only when the value really changes.
class DzFloatSlider : public QWidget {
    Q_OBJECT
public:
    explicit DzFloatSlider(QWidget* parent = nullptr);
    ~DzFloatSlider() override;

    float getValue() const;
    float getMin() const;
    float getMax() const;
    bool isClamped() const;
    bool getDisplayAsPercent() const;
    bool isTextEditable() const;
    bool isTextVisible() const;
    QString getLabel() const;
    bool getShowLabel() const;

    // The value as the text field shows it ("0.50" or "50.0%").
    QString valueText() const;

public slots:
    void setValue(float value);
    void setMin(float min);
    void setMax(float max);
    void setMinMax(float min, float max);
    void setClamped(bool clamped);
    void setDisplayAsPercent(bool percent);
    void setTextEditable(bool editable);
    void setTextVisible(bool visible);
    void setLabel(const QString& label);
    void setShowLabel(bool show);

signals:
    void valueChanged(float value);

private slots:
    void slotBarMoved(int position);
    void slotTextEdited();

private:
    float clampedToRange(float value) const;
    int barPosition(float value) const;
    void updateBar();
    void updateText();
    void updateLabel();
    bool parseText(const QString& text, float& value) const;

    QLabel* _plblName;
    QSlider* _pBar;
    QLineEdit* _pledValue;
    QString _label;
    float _value = 0.0f;
    float _min = 0.0f;
    float _max = 1.0f;
    bool _clamped = false;
    bool _percent = false;
    bool _showLabel = true;
    bool _textVisible = true;
};
