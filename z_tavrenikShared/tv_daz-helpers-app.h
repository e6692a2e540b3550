#pragma once

class DzActionMgr;
class DzContentMgr;
class DzMainWindow;
class DzPaneMgr;

// The host's application services. With `required` true a missing service throws
// tav::Exception naming it; with false the lookup returns null.
namespace tav::daz {

DzMainWindow* GetMainWindow(bool required);
DzActionMgr* GetActionMgr(bool required);
DzPaneMgr* GetPaneMgr(bool required);
// Always required.
DzContentMgr* GetContentMgr();

// Runs the host action of that class (as a menu click would), e.g. "DzDeleteAction" on the
// selected nodes. Throws when the action manager or the action is missing.
void TriggerAction(const char* pcszClassName);

} // namespace tav::daz
