#pragma once

#include <QString>

// What the studio checks before it starts the GUI, which aborts the process when its platform
// finds no display.

// True when a window session can start: the platform Qt will use (QT_QPA_PLATFORM, or X11 by
// default) has its display, or needs none (offscreen, ...). Otherwise false with the missing
// variable named in `missing`.
bool studioHasDisplay(QString* missing);

// A run without a display still needs a platform for its widgets: offscreen.
void useOffscreenPlatform();
