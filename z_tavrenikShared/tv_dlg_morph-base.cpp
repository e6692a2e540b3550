#include "tv_dlg_morph-base.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidget>
#include <map>

#include "dzelement.h"
#include "dznode.h"
#include "tv_assert.h"
#include "tv_gui.h"
#include "tv_str.h"
#include "tv_version.h"
#include "tv_msgbox.h"

namespace tav {

namespace {

const char* const pcszPathToolTip =
    "<p>Here you can select where the control slider of the morph should appear in the "
    "``Parameters'' pane.</p><p>You can select an existing item from the tree (which shows the "
    "existing property paths of the scene node, or enter any path manually in the line "
    "below.</p>";

void connectAsHost(QObject* pSender, const char* pcszSignal, QObject* pReceiver,
                   const char* pcszSlot)
{
    const bool result =
        static_cast<bool>(QObject::connect(pSender, pcszSignal, pReceiver, pcszSlot));
    TV_ASSERT_AT(result, "result && \"QObject connection failed\"", __FILE__, __LINE__);
}

// Items by their path prefix, made on first need, in the order the host lists the paths.
std::vector<QTreeWidgetItem*> buildPathTree(const QStringList& paths)
{
    std::vector<QTreeWidgetItem*> topLevel;
    std::map<std::string, QTreeWidgetItem*> byPrefix;
    for (const QString& path : paths) {
        QTreeWidgetItem* pParent = nullptr;
        std::string prefix;
        for (const std::string& part : str::Split(ToUtf8(path), "/", false, false)) {
            prefix += "/" + part;
            auto it = byPrefix.find(prefix);
            if (it == byPrefix.end()) {
                auto* pItem = new QTreeWidgetItem(QStringList(ToQString(part)));
                if (pParent)
                    pParent->addChild(pItem);
                else
                    topLevel.push_back(pItem);
                it = byPrefix.emplace(prefix, pItem).first;
            }
            pParent = it->second;
        }
    }
    return topLevel;
}

QTreeWidgetItem* findChildByText(QTreeWidget* pTree, QTreeWidgetItem* pParent, const QString& text)
{
    const int count = pParent ? pParent->childCount() : pTree->topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem* pItem = pParent ? pParent->child(i) : pTree->topLevelItem(i);
        if (pItem->text(0) == text)
            return pItem;
    }
    return nullptr;
}

} // namespace

void MorphPathDialogBase::initPathWidgets(QTreeWidget* pTree, QLineEdit* pEntry)
{
    _ptwPropertyPaths = pTree;
    _pledMorphPropertyPath = pEntry;
    const QString toolTip = ToQString(ExpandPluginText(pcszPathToolTip));
    pTree->setToolTip(toolTip);
    pEntry->setToolTip(toolTip);
    connectAsHost(pTree, SIGNAL(currentItemChanged(QTreeWidgetItem*, QTreeWidgetItem*)), this,
                  SLOT(slotTreeWidgetPathsCurrentItemChanged(QTreeWidgetItem*, QTreeWidgetItem*)));
    connectAsHost(pEntry, SIGNAL(textChanged(const QString&)), this,
                  SLOT(slotMorphPropertyPathTextChanged(const QString&)));
}

void MorphPathDialogBase::fillTree(DzNode* pNode, const std::vector<std::string>& parts)
{
    TV_ASSERT_AT(_ptwPropertyPaths, "_ptwPropertyPaths", "tv_dlg_morph-base", 176);
    QStringList paths;
    if (const DzPropertyGroupTree* pGroups = pNode ? pNode->getPropertyGroups() : nullptr)
        paths = pGroups->collectAllPaths();
    const std::vector<QTreeWidgetItem*> topLevel = buildPathTree(paths);
    _ptwPropertyPaths->insertTopLevelItems(0, QList<QTreeWidgetItem*>(topLevel.begin(), topLevel.end()));

    // The leading slash of a path gives an empty first part; empty parts name no item.
    QTreeWidgetItem* pMatch = nullptr;
    for (const std::string& part : parts) {
        if (part.empty())
            continue;
        pMatch = findChildByText(_ptwPropertyPaths, pMatch, ToQString(part));
        if (!pMatch)
            return;
    }
    if (pMatch) {
        _ptwPropertyPaths->setCurrentItem(pMatch);
        _ptwPropertyPaths->scrollToItem(pMatch);
    }
}

QString MorphPathDialogBase::itemPath(const QTreeWidgetItem* pItem)
{
    QString path;
    for (; pItem; pItem = pItem->parent())
        path = QLatin1Char('/') + pItem->text(0) + path;
    return path;
}

void MorphPathDialogBase::slotTreeWidgetPathsCurrentItemChanged(QTreeWidgetItem* pCurrent,
                                                                QTreeWidgetItem*)
{
    _pledMorphPropertyPath->setText(itemPath(pCurrent));
}

void MorphPathDialogBase::slotMorphPropertyPathTextChanged(const QString& text)
{
    ReportingErrors("morph path dialog", [&] { morphPropertyPathChanged(text); });
}

MorphNameChecker::MorphNameChecker(QLineEdit* pledMorphName, QLabel* pWarning,
                                   QCheckBox* pOverwrite, DzNode* pFigure, Lookup lookup,
                                   Callback onStateChanged)
    : _lookup(std::move(lookup)),
      _pledMorphName(pledMorphName),
      _pWarning(pWarning),
      _pOverwrite(pOverwrite),
      _onStateChanged(std::move(onStateChanged))
{
    _context.pFigure = pFigure;
    connectOrDisconnect(pledMorphName, SIGNAL(textChanged(QString)), this,
                        SLOT(slotMorphNameLineEditTextChanged(QString)), true);
    connectOrDisconnect(pOverwrite, SIGNAL(stateChanged(int)), this,
                        SLOT(slotOverwriteExistingCheckBoxChanged(int)), true);
}

bool MorphNameChecker::overwrite() const
{
    return _pOverwrite->isChecked();
}

void MorphNameChecker::slotMorphNameLineEditTextChanged(const QString&)
{
    QTimer::singleShot(100, this, SLOT(slotMorphNameLineEditTextChangedDelayed()));
}

void MorphNameChecker::slotMorphNameLineEditTextChangedDelayed()
{
    ReportingErrors("morph path dialog", [this] { checkName(); });
}

void MorphNameChecker::checkName()
{
    if (!_context.pFigure)
        return;
    const std::string name = ToUtf8(_pledMorphName->text());
    std::optional<std::string> found;
    if (!name.empty() && _lookup)
        found = _lookup(_context.pFigure, name);
    if (!found && !_context.found)
        return;
    _context.found = std::move(found);
    showTaken(_context.found.has_value());
    if (_onStateChanged)
        _onStateChanged();
}

void MorphNameChecker::slotOverwriteExistingCheckBoxChanged(int)
{
    if (_onStateChanged)
        ReportingErrors("morph path dialog", _onStateChanged);
}

void MorphNameChecker::showTaken(bool taken)
{
    _pWarning->setVisible(taken);
    _pOverwrite->setVisible(taken);
    if (taken)
        setWarningStyle(_pWarning);
}

} // namespace tav
