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
    DzMainWindow* pMainWindow = GetMainWindow(false);
    return Required(pMainWindow ? pMainWindow->getActionMgr() : nullptr, required,
                    "failed to get Daz Studio action manager");
}

DzPaneMgr* GetPaneMgr(bool required)
{
    DzMainWindow* pMainWindow = GetMainWindow(false);
    return Required(pMainWindow ? pMainWindow->getPaneMgr() : nullptr, required,
                    "failed to get Daz Studio pane manager");
}

DzContentMgr* GetContentMgr()
{
    return Required(dzApp ? dzApp->getContentMgr() : nullptr, true, "failed to get Daz Studio content manager");
}

DzAction* FindAction(const char* pcszClassName, bool required)
{
    DzActionMgr* pActionMgr = GetActionMgr(required);
    DzAction* pAction = pActionMgr ? pActionMgr->findAction(QString::fromUtf8(pcszClassName)) : nullptr;
    if (!pAction && required)
        throw Exception("failed to get Daz Studio action {}", pcszClassName);
    return pAction;
}

void TriggerAction(const char* pcszClassName)
{
    FindAction(pcszClassName, true)->activate(QAction::Trigger);
}

} // namespace tav::daz
