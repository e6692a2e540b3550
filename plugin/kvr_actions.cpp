#include "kvr_actions.h"

#include <exception>

#include "dzapp.h"
#include "kvr_converter.h"
#include "tv_daz-helpers-manual.h"
#include "tv_exception.h"
#include "tv_identity.h"
#include "tv_msgbox.h"

namespace {

const char* const pcszManualTitle = "Kelvaro for Genesis 9";

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
    return QStringLiteral("Co&nvert");
}

KvrConvertFigureAction::KvrConvertFigureAction()
    : KvrActionBase(
          QStringLiteral("Convert selected Genesis 3 / 8 / 8.1 &figure..."),
          QStringLiteral("Converts the morphs in the selected Genesis 3/8/8.1 figure to the selected G9 figure."))
{
}

QKeySequence KvrConvertFigureAction::getDefaultAccel() const
{
    return QKeySequence(0x0C000043);  // Ctrl+Alt+C
}

void KvrConvertFigureAction::runJobReportingFailure(const std::function<void(QWidget*)>& job,
                                                    QWidget* pParent)
{
    try {
        job(pParent);
    } catch (const tav::CanceledException&) {
        // The user chose to stop; there is nothing to report.
    } catch (const std::exception& e) {
        tav::CriticalErrorMessageBox("Could not convert figure", e.what(), nullptr, true);
    }
}

void KvrConvertFigureAction::executeAction()
{
    runJobReportingFailure(&KvrConverter::exec_X, dzApp->getDialogParent());
}

KvrOpenManualAction::KvrOpenManualAction()
    : KvrActionBase(QStringLiteral("Open Kelvaro PDF manual"),
                    QStringLiteral("Opens the PDF user manual for Tavrenik's Kelvaro"))
{
}

void KvrOpenManualAction::openManual()
{
    tav::daz::openPdfManual(pcszManualTitle);
}

void KvrOpenManualAction::executeAction()
{
    openManual();
}
