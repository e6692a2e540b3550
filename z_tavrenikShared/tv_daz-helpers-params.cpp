#include "tv_daz-helpers-params.h"

#include <QCoreApplication>
#include <QMetaMethod>
#include <mutex>

#include "dzpane.h"
#include "dzpanemgr.h"
#include "dzproperty.h"
#include "tv_daz-helpers-app.h"
#include "tv_daz-helpers-objects.h"
#include "tv_exception.h"

namespace tav::daz {
namespace {

constexpr const char* pcszJumpSignature = "jumpToProperty(DzProperty*)";

} // namespace

void JumpToProperty(DzProperty* pProperty)
{
    DzPaneMgr* pPaneMgr = GetPaneMgr(true);
    DzPane* pPane = pPaneMgr->findPane(QString::fromLatin1("DzParametersPane"));
    if (!pPane)
        throw Exception(std::string_view("failed to find the Daz Studio Parameters pane"));

    static std::once_flag onceResolved;
    static QMetaMethod jumpMethod;
    std::call_once(onceResolved,
                   [pPane] { jumpMethod = ResolveMethod(pPane->metaObject(), pcszJumpSignature); });

    pPaneMgr->showPane(pPane);
    // The pane settles its layout between the calls; the second lands on the final widgets.
    for (int i = 0; i < 2; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (!jumpMethod.invoke(pPane, Qt::DirectConnection, QGenericArgument("DzProperty*", &pProperty)))
            throw Exception(std::string_view("failed to invoke DzParametersPane::jumpToProperty()"));
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace tav::daz
