#pragma once

#include "tv_prohibit_copy.h"

namespace tav {

// Shows the busy (true) or wait (false) cursor while it lives.
class WaitCursor : ProhibitCopy {
public:
    explicit WaitCursor(bool bBusy = false);
    ~WaitCursor();

private:
    bool _bSet = false;
};

} // namespace tav
