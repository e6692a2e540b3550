#pragma once

#include <QObject>
#include <QString>

// Root of the host's scriptable objects: a QObject with a name.
class DzBase : public QObject {
    Q_OBJECT
public:
    explicit DzBase(QObject* parent = nullptr);
    ~DzBase() override;

public slots:
    QString getName() const;
    virtual void setName(const QString& name);
    bool inherits(const QString& className) const;

signals:
    void nameChanged(const QString& name);
};
