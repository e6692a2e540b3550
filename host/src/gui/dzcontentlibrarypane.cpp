#include "dzcontentlibrarypane.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "content/dsondocument.h"
#include "content/dsonerror.h"
#include "dzapp.h"
#include "dzcontentmgr.h"
#include "dzscenefiles.h"

namespace {

constexpr int kPathRole = Qt::UserRole + 1;
constexpr int kIsFileRole = Qt::UserRole + 2;

const QStringList kTopFolders{QStringLiteral("People"), QStringLiteral("Scenes"), QStringLiteral("Props")};

QTreeWidgetItem* newItem(const QString& text, const QString& path, bool isFile, const QIcon& icon)
{
    auto* item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, kPathRole, path);
    item->setData(0, kIsFileRole, isFile);
    item->setToolTip(0, path);
    item->setIcon(0, icon);
    return item;
}

// Adds the folders that hold .duf files and the .duf files of `dir` below `parent`; false when
// there are none.
bool addFolderContents(QTreeWidgetItem* parent, const QString& dir, const QStyle* style)
{
    const QDir folder(dir);
    const QDir::SortFlags byName = QDir::Name | QDir::IgnoreCase;
    bool any = false;
    for (const QFileInfo& sub : folder.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, byName)) {
        QTreeWidgetItem* item = newItem(sub.fileName(), sub.filePath(), false, style->standardIcon(QStyle::SP_DirIcon));
        if (addFolderContents(item, sub.filePath(), style)) {
            parent->addChild(item);
            any = true;
        } else {
            delete item;
        }
    }
    for (const QFileInfo& file : folder.entryInfoList({QStringLiteral("*.duf")}, QDir::Files, byName)) {
        const QIcon icon = style->standardIcon(QStyle::SP_FileIcon);
        parent->addChild(newItem(file.completeBaseName(), file.filePath(), true, icon));
        any = true;
    }
    return any;
}

// A scene file replaces the scene; what it is comes from its asset_info.
bool isSceneFile(const QString& path)
{
    try {
        const dson::Document doc = dson::readDocument(path);
        const dson::Object info = dson::optObject(doc.root(), "asset_info", QString());
        return dson::looseString(info, "type") == QLatin1String("scene");
    } catch (const DsonError&) {
        return false; // loading it says what is wrong
    }
}

} // namespace

DzContentLibraryPane::DzContentLibraryPane(QWidget* parent) : DzPane(tr("Content Library"), parent)
{
    setObjectName(QStringLiteral("ContentLibraryPane"));
    _tree = new QTreeWidget(this);
    _tree->setObjectName(QStringLiteral("ContentLibraryTree"));
    _tree->setHeaderHidden(true);
    _tree->setUniformRowHeights(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(_tree);
    connect(_tree, &QTreeWidget::itemActivated, this, &DzContentLibraryPane::itemActivated);
    refresh();
}

DzContentLibraryPane::~DzContentLibraryPane() = default;

QTreeWidget* DzContentLibraryPane::tree() const { return _tree; }

void DzContentLibraryPane::refresh()
{
    _tree->clear();
    DzContentMgr* content = dzApp ? dzApp->getContentMgr() : nullptr;
    if (!content)
        return;
    const QStyle* st = style();
    for (int i = 0; i < content->getNumContentDirectories(); ++i) {
        const QDir dir(content->getContentDirectoryPath(i));
        QTreeWidgetItem* top = newItem(dir.dirName(), dir.path(), false, st->standardIcon(QStyle::SP_DriveHDIcon));
        _tree->addTopLevelItem(top);
        for (const QString& name : kTopFolders) {
            if (!dir.exists(name))
                continue;
            QTreeWidgetItem* item = newItem(name, dir.filePath(name), false, st->standardIcon(QStyle::SP_DirIcon));
            if (addFolderContents(item, dir.filePath(name), st))
                top->addChild(item);
            else
                delete item;
        }
        top->setExpanded(true);
    }
}

QTreeWidgetItem* DzContentLibraryPane::findItem(int contentDirIndex, const QString& relativePath) const
{
    QTreeWidgetItem* item = _tree->topLevelItem(contentDirIndex);
    for (const QString& name : relativePath.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; item && i < item->childCount() && !next; ++i) {
            const QFileInfo info(item->child(i)->data(0, kPathRole).toString());
            if (info.fileName() == name)
                next = item->child(i);
        }
        item = next;
    }
    return item;
}

bool DzContentLibraryPane::loadFile(const QString& path)
{
    return isSceneFile(path) ? dzscenefiles::openScene(this, path) : dzscenefiles::mergeFile(this, path);
}

void DzContentLibraryPane::showEvent(QShowEvent* event)
{
    refresh();
    DzPane::showEvent(event);
}

void DzContentLibraryPane::itemActivated(QTreeWidgetItem* item)
{
    if (item && item->data(0, kIsFileRole).toBool())
        loadFile(item->data(0, kPathRole).toString());
}
