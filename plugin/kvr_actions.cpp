#include "kvr_actions.h"

#include <exception>

#include "dzapp.h"
#include "kvr_convert-morphs-command.h"
#include "kvr_convert-morphs-script.h"
#include "kvr_converter.h"
#include "kvr_identity.h"
#include "tv_daz-helpers-manual.h"
#include "tv_exception.h"
#include "tv_identity.h"
#include "tv_msgbox.h"

namespace {

// Ctrl+Alt+C.
const int iConvertAccelerator = Qt::CTRL | Qt::ALT | Qt::Key_C;
// Ctrl+Alt+M.
const int iConvertMorphsAccelerator = Qt::CTRL | Qt::ALT | Qt::Key_M;

} // namespace

KvrActionBase::KvrActionBase(const QString& text, const QString& description)
    : DzAction(text, description)
{
}

QString KvrActionBase::getActionGroup() const
{
    return QString::fromUtf8(tav::pcszPluginName);
}

QString KvrActionBase::getDefaultMenuPath() const
{
    return QString::fromLatin1("Co&nvert");
}

KvrConvertFigureAction::KvrConvertFigureAction()
    : KvrActionBase(
          QString::fromLatin1("Convert selected Genesis 3 / 8 / 8.1 &figure..."),
          QString::fromLatin1("Converts the morphs in the selected Genesis 3/8/8.1 figure to the selected G9 figure."))
{
}

QKeySequence KvrConvertFigureAction::getDefaultAccel() const
{
    return QKeySequence(iConvertAccelerator);
}

void KvrConvertFigureAction::runJobReportingFailure(const std::function<void(QWidget*)>& job,
                                                    QWidget* pParent, const char* pcszFailureTitle)
{
    try {
        job(pParent);
    } catch (const tav::CanceledException&) {
        // The user chose to stop; there is nothing to report.
    } catch (const std::exception& e) {
        tav::CriticalErrorMessageBox(pcszFailureTitle, e.what(), nullptr, true);
    }
}

void KvrConvertFigureAction::executeAction()
{
    runJobReportingFailure(&KvrConverter::exec_X, dzApp->getDialogParent());
}

KvrConvertMorphsAction::KvrConvertMorphsAction()
    : KvrActionBase(QString::fromLatin1("Convert selected Genesis 3 / 8 / 8.1 &morphs one by one..."),
                    QString::fromLatin1("Converts morphs of the selected Genesis 3/8/8.1 figure one by one to new "
                                        "morphs on the selected G9 figure."))
{
}

QKeySequence KvrConvertMorphsAction::getDefaultAccel() const
{
    return QKeySequence(iConvertMorphsAccelerator);
}

void KvrConvertMorphsAction::executeAction()
{
    KvrConvertFigureAction::runJobReportingFailure(&execConvertMorphs_X, dzApp->getDialogParent(),
                                                   "Could not convert morphs");
}

QVariantList KvrConvertMorphsAction::getSourceMorphs(DzNode* source) const
{
    return ScriptSourceMorphs(source);
}

QVariantMap KvrConvertMorphsAction::convertMorphs(DzNode* source, DzNode* target, const QStringList& morphNames,
                                                  const QVariantMap& options)
{
    return ScriptConvertMorphs(source, target, morphNames, options);
}

QVariantMap KvrConvertMorphsAction::convertMorphs(DzNode* source, DzNode* target, const QStringList& morphNames)
{
    return ScriptConvertMorphs(source, target, morphNames, QVariantMap());
}

QVariantMap KvrConvertMorphsAction::saveMorphAssets(DzNode* figure, const QStringList& morphNames,
                                                    const QVariantMap& options)
{
    return ScriptSaveMorphAssets(figure, morphNames, options);
}

KvrOpenManualAction::KvrOpenManualAction()
    : KvrActionBase(QString::fromLatin1("Open Kelvaro PDF manual"),
                    QString::fromLatin1("Opens the PDF user manual for Tavrenik's Kelvaro"))
{
}

void KvrOpenManualAction::executeAction()
{
    tav::daz::openPdfManual(pcszManualTitle);
}
