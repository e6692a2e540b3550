#include "dzfilemenu.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "dzapp.h"
#include "dzcontentmgr.h"
#include "dzrecentfiles.h"
#include "dzscenefiles.h"

namespace {

const QString kSceneFilter = QStringLiteral("Scene files (*.duf)");
const QString kContentFilter = QStringLiteral("Content files (*.duf)");

// Where a file dialog starts: the folder of the most recent file, else the first content
// directory's Scenes folder, else the first content directory.
QString startFolder()
{
    const QStringList recent = dzrecentfiles::files();
    if (!recent.isEmpty())
        return QFileInfo(recent.first()).path();
    DzContentMgr* content = dzApp ? dzApp->getContentMgr() : nullptr;
    if (!content || content->getNumContentDirectories() == 0)
        return QDir::homePath();
    const QDir first(content->getContentDirectoryPath(0));
    return first.exists(QStringLiteral("Scenes")) ? first.filePath(QStringLiteral("Scenes")) : first.path();
}

QString withSceneSuffix(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QStringLiteral(".duf");
}

} // namespace

DzFileMenu::DzFileMenu(QWidget* parent) : QMenu(tr("&File"), parent)
{
    setObjectName(QStringLiteral("FileMenu"));
    _open = addAction(tr("&Open Scene..."), this, [this] {
        const QString path = chooseFile(Request::Open);
        if (!path.isEmpty())
            dzscenefiles::openScene(parentWidget(), path);
    });
    _open->setShortcut(QKeySequence::Open);
    _merge = addAction(tr("&Merge..."), this, [this] {
        const QString path = chooseFile(Request::Merge);
        if (!path.isEmpty())
            dzscenefiles::mergeFile(parentWidget(), path);
    });
    _recent = addMenu(tr("Open &Recent"));
    // An empty, disabled submenu never shows: the list is rebuilt as the File menu opens.
    connect(this, &QMenu::aboutToShow, this, &DzFileMenu::rebuildRecentMenu);
    addSeparator();
    _saveAs = addAction(tr("Save Scene &As..."), this, [this] {
        const QString path = withSceneSuffix(chooseFile(Request::SaveAs));
        if (!path.isEmpty())
            dzscenefiles::saveSceneAs(parentWidget(), path);
    });
    _saveAs->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    rebuildRecentMenu();
}

DzFileMenu::~DzFileMenu() = default;

void DzFileMenu::setFileChooser(FileChooser chooser) { _chooser = std::move(chooser); }

QAction* DzFileMenu::openAction() const { return _open; }
QAction* DzFileMenu::mergeAction() const { return _merge; }
QAction* DzFileMenu::saveAsAction() const { return _saveAs; }
QMenu* DzFileMenu::recentMenu() const { return _recent; }

void DzFileMenu::rebuildRecentMenu()
{
    _recent->clear();
    const QStringList files = dzrecentfiles::files();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        // "&1 Sample.duf": the first nine get a mnemonic.
        const QString number = i < 9 ? QStringLiteral("&%1 ").arg(i + 1) : QString();
        QAction* action = _recent->addAction(number + QFileInfo(path).fileName(), this,
                                             [this, path] { dzscenefiles::openScene(parentWidget(), path); });
        action->setToolTip(path);
        action->setData(path);
    }
    _recent->setEnabled(!files.isEmpty());
}

QString DzFileMenu::chooseFile(Request request) const
{
    if (_chooser)
        return _chooser(request);
    QWidget* parent = parentWidget();
    switch (request) {
    case Request::Open:
        return QFileDialog::getOpenFileName(parent, tr("Open Scene"), startFolder(), kSceneFilter);
    case Request::Merge:
        return QFileDialog::getOpenFileName(parent, tr("Merge"), startFolder(), kContentFilter);
    case Request::SaveAs:
        return QFileDialog::getSaveFileName(parent, tr("Save Scene As"), startFolder(), kSceneFilter);
    }
    return {};
}
