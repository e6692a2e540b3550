#pragma once

#include <QObject>
#include <QPalette>

// The look of the host: a named style definition and its palette.
class DzStyle : public QObject {
    Q_OBJECT
public:
    DzStyle(const QString& definitionName, const QPalette& palette, QObject* parent = nullptr);

public slots:
    QString getStyleDefinition() const;
    QPalette getColors() const;

private:
    QString _definition;
    QPalette _palette;
};
