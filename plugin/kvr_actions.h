#pragma once

#include <QStringList>
#include <QVariantList>
#include <QVariantMap>
#include <functional>

#include "dzaction.h"

class DzNode;

// Common base of the plug-in's actions: both live in the plug-in's group and the "Convert" menu.
class KvrActionBase : public DzAction {
    Q_OBJECT
public:
    KvrActionBase(const QString& text, const QString& description);

    QString getActionGroup() const override;
    QString getDefaultMenuPath() const override;
};

// Converts the selected Genesis 3 / 8 / 8.1 figure to morphs on the selected Genesis 9 figure.
class KvrConvertFigureAction : public KvrActionBase {
    Q_OBJECT
public:
    KvrConvertFigureAction();

    QKeySequence getDefaultAccel() const override;

    // Runs a job with the parent and turns any failure into the one critical box the user sees,
    // under the title; a cancellation ends it silently.
    static void runJobReportingFailure(const std::function<void(QWidget*)>& job, QWidget* pParent,
                                       const char* pcszFailureTitle = "Could not convert figure");

protected:
    void executeAction() override;
};

// Converts morphs of the selected Genesis 3 / 8 / 8.1 figure one by one, each into morphs of its
// own on the selected Genesis 9 figure.
class KvrConvertMorphsAction : public KvrActionBase {
    Q_OBJECT
public:
    KvrConvertMorphsAction();

    QKeySequence getDefaultAccel() const override;

public slots:
    // A batch for scripts, without dialogs (see kvr_convert-morphs-script.h for the maps).
    QVariantList getSourceMorphs(DzNode* source) const;
    QVariantMap convertMorphs(DzNode* source, DzNode* target, const QStringList& morphNames,
                              const QVariantMap& options);
    QVariantMap convertMorphs(DzNode* source, DzNode* target, const QStringList& morphNames);
    QVariantMap saveMorphAssets(DzNode* figure, const QStringList& morphNames, const QVariantMap& options);

protected:
    void executeAction() override;
};

// Opens the product's PDF manual from the host's documentation folder.
class KvrOpenManualAction : public KvrActionBase {
    Q_OBJECT
public:
    KvrOpenManualAction();

protected:
    void executeAction() override;
};
