#pragma once

#include <QString>

class QWidget;

// What the File menu and the Content Library pane do with scene files, done the same way from
// both: opening replaces the scene, merging adds a file to it, saving writes it; a scene file
// opened or saved goes first in the recent files. The content manager and the scene do
// the work and log why one fails; in a window session that reason is also shown in a message
// box over `parent`, and an open that would replace a scene holding nodes asks first. A
// headless session asks nothing and shows nothing.
namespace dzscenefiles {

bool openScene(QWidget* parent, const QString& path);
bool mergeFile(QWidget* parent, const QString& path);
bool saveSceneAs(QWidget* parent, const QString& path);

} // namespace dzscenefiles
