#include "tv_daz-helpers-app.h"

#include "dzaction.h"
#include "dzactionmgr.h"
#include "dzapp.h"
#include "dzmainwindow.h"
#include "tv_exception.h"

namespace tav::daz {

namespace {

// Null when the service is missing and not required.
template <typename T>
T* Required(T* pService, bool required, const char* pcszMessage)
{
    if (!pService && required)
        throw Exception(std::string_view(pcszMessage));
    return pService;
}

} // namespace

DzMainWindow* GetMainWindow(bool required)
{
    return Required(dzApp ? dzApp->getInterface() : nullptr, required, "failed to get Daz Studio main window");
}

DzActionMgr* GetActionMgr(bool required)
{
    DzMainWindow* pMainWindow = GetMainWindow(required);
    return Required(pMainWindow ? pMainWindow->getActionMgr() : nullptr, required,
                    "failed to get Daz Studio action manager");
}

DzPaneMgr* GetPaneMgr(bool required)
{
    DzMainWindow* pMainWindow = GetMainWindow(required);
    return Required(pMainWindow ? pMainWindow->getPaneMgr() : nullptr, required,
                    "failed to get Daz Studio pane manager");
}

DzContentMgr* GetContentMgr()
{
    return Required(dzApp ? dzApp->getContentMgr() : nullptr, true, "failed to get Daz Studio content manager");
}

void TriggerAction(const char* pcszClassName)
{
    DzAction* pAction = GetActionMgr(true)->findAction(QString::fromUtf8(pcszClassName));
    if (!pAction)
        throw Exception("failed to find the Daz Studio action {}", pcszClassName);
    pAction->activate(QAction::Trigger);
}

} // namespace tav::daz
