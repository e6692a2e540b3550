#pragma once

class DzAction;
class DzActionMgr;
class DzContentMgr;
class DzMainWindow;
class DzPaneMgr;

// The host's application services. With `required` true a missing service throws
// tav::Exception naming what is missing ("failed to get Daz Studio action manager"); with false
// the lookup returns null. A service reached through the main window is missing when the main
// window is, and is named as itself.
namespace tav::daz {

DzMainWindow* GetMainWindow(bool required);
DzActionMgr* GetActionMgr(bool required);
DzPaneMgr* GetPaneMgr(bool required);
// Always required.
DzContentMgr* GetContentMgr();

// The host action of that class, e.g. "DzDeleteAction".
DzAction* FindAction(const char* pcszClassName, bool required);

// Runs the host action of that class (as a menu click would), e.g. "DzDeleteAction" on the
// selected nodes. Throws when the action manager or the action is missing.
void TriggerAction(const char* pcszClassName);

} // namespace tav::daz
