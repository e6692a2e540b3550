#include "dzparameterspane.h"

#include <QLabel>
#include <QScrollArea>
#include <QSplitter>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "dzapp.h"
#include "dzfloatproperty.h"
#include "dzfloatslider.h"
#include "dzmainwindow.h"
#include "dzmodifier.h"
#include "dznode.h"
#include "dzobject.h"
#include "dzproperty.h"
#include "dzscene.h"
#include "dzshape.h"

namespace {

const bool paneRegistered =
    DzMainWindow::registerPaneCreator([] { return new DzParametersPane; });

constexpr int kPathRole = Qt::UserRole + 1;
// How the pane's height is shared between the group tree and the dials (pixels at the default
// window size, scaled with the pane).
constexpr int kTreeShare = 160;
constexpr int kDialsShare = 480;
// Marks the tree's first item, which shows the dials of every group.
constexpr int kAllGroupsRole = Qt::UserRole + 2;

QWidget* makeGroupHeading(const QString& path)
{
    auto* heading = new QLabel(path.isEmpty() ? QStringLiteral("General") : path);
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    return heading;
}

DzNode* nodeOf(const DzProperty* property)
{
    QObject* owner = property ? property->getOwner() : nullptr;
    if (auto* node = qobject_cast<DzNode*>(owner))
        return node;
    if (auto* modifier = qobject_cast<DzModifier*>(owner))
        return modifier->getObject() ? modifier->getObject()->getNode() : nullptr;
    if (auto* shape = qobject_cast<DzShape*>(owner))
        owner = shape->parent();
    if (auto* object = qobject_cast<DzObject*>(owner))
        return object->getNode();
    return nullptr;
}

void appendShown(const DzElement* element, QList<DzProperty*>& list)
{
    for (int i = 0; i < element->getNumProperties(); ++i)
        if (!element->getProperty(i)->isHidden())
            list.append(element->getProperty(i));
}

// A dial bound both ways to a numeric property; other properties show their value as text.
QWidget* makeDial(DzProperty* property)
{
    auto* numeric = qobject_cast<DzNumericProperty*>(property);
    if (!numeric) {
        auto* label = new QLabel(property->getLabel() + QStringLiteral(": ") +
                                 property->getValueVariant().toString());
        return label;
    }
    auto* slider = new DzFloatSlider;
    slider->setLabel(property->getLabel());
    slider->setShowLabel(true);
    slider->setClamped(numeric->isClamped());
    slider->setMinMax(float(numeric->getDoubleMin()), float(numeric->getDoubleMax()));
    slider->setValue(float(numeric->getDoubleValue()));
    QObject::connect(slider, &DzFloatSlider::valueChanged, numeric,
                     [numeric](float value) { numeric->setDoubleValue(value); });
    QObject::connect(numeric, &DzProperty::currentValueChanged, slider,
                     [numeric, slider] { slider->setValue(float(numeric->getDoubleValue())); });
    return slider;
}

} // namespace

DzParametersPane::DzParametersPane(QWidget* parent)
    : DzPane(QStringLiteral("Parameters"), parent)
{
    setObjectName(QStringLiteral("DzParametersPane"));
    _groups = new QTreeWidget;
    _groups->setObjectName(QStringLiteral("ParameterGroups"));
    _groups->setHeaderHidden(true);
    _dials = new QWidget;
    _dialsLayout = new QVBoxLayout(_dials);
    _dialsLayout->addStretch(1);
    _scroll = new QScrollArea;
    _scroll->setWidgetResizable(true);
    _scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    _scroll->setWidget(_dials);
    // Groups above the dials, so each dial has the pane's whole width for its name and bar.
    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(_groups);
    splitter->addWidget(_scroll);
    splitter->setStretchFactor(0, kTreeShare);
    splitter->setStretchFactor(1, kDialsShare);
    splitter->setSizes({kTreeShare, kDialsShare});
    _nodeName = new QLabel;
    _nodeName->setObjectName(QStringLiteral("NodeName"));
    _nodeName->setContentsMargins(4, 2, 4, 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(_nodeName);
    layout->addWidget(splitter, 1);

    connect(_groups, &QTreeWidget::currentItemChanged, this, &DzParametersPane::slotGroupItemChanged);
    if (dzScene) {
        connect(dzScene, &DzScene::primarySelectionChanged, this,
                &DzParametersPane::slotPrimarySelectionChanged);
        showNode(dzScene->getPrimarySelection());
    }
}

DzParametersPane::~DzParametersPane() = default;

QWidget* DzParametersPane::dialFor(DzProperty* property) const
{
    flushRebuild();
    return _dialOf.value(property);
}

QTreeWidget* DzParametersPane::groupTree() const
{
    flushRebuild();
    return _groups;
}

DzNode* DzParametersPane::getNode() const { return _node; }

QString DzParametersPane::getCurrentGroupPath() const
{
    flushRebuild();
    return _groupPath;
}

DzProperty* DzParametersPane::getHighlightedProperty() const
{
    flushRebuild();
    return _highlighted;
}

void DzParametersPane::jumpToProperty(DzProperty* property)
{
    DzNode* node = nodeOf(property);
    if (!node)
        return;
    flushRebuild();
    if (DzScene* scene = node->getScene()) {
        scene->selectAllNodes(false);
        scene->setPrimarySelection(node);
    }
    if (_node != node)
        showNode(node);
    setCurrentGroupPath(property->getPath());
    if (!_dialOf.contains(property)) { // hidden properties get a dial when asked for
        QWidget* dial = makeDial(property);
        _dialsLayout->insertWidget(_dialsLayout->count() - 1, dial);
        _dialOf.insert(property, dial);
    }
    highlight(property);
}

void DzParametersPane::setCurrentGroupPath(const QString& path)
{
    flushRebuild();
    QTreeWidgetItem* item = _itemOf.value(path);
    for (QTreeWidgetItem* up = item ? item->parent() : nullptr; up; up = up->parent())
        up->setExpanded(true);
    if (item && _groups->currentItem() != item) {
        _groups->setCurrentItem(item); // rebuilds the dials through slotGroupItemChanged
        return;
    }
    if (_groupPath != path || !item || _bAllGroups) {
        _bAllGroups = false;
        _groupPath = path;
        rebuildDials();
    }
}

void DzParametersPane::slotPrimarySelectionChanged(DzNode* node)
{
    if (node != _node)
        showNode(node);
}

void DzParametersPane::slotGroupItemChanged()
{
    QTreeWidgetItem* item = _groups->currentItem();
    _bAllGroups = !item || item->data(0, kAllGroupsRole).toBool();
    _groupPath = item && !_bAllGroups ? item->data(0, kPathRole).toString() : QString();
    rebuildDials();
}

void DzParametersPane::showNode(DzNode* node)
{
    for (const QMetaObject::Connection& connection : qAsConst(_nodeConnections))
        disconnect(connection);
    _nodeConnections.clear();
    _node = node;
    showNodeName();
    if (node) {
        _nodeConnections << connect(node, &DzElement::labelChanged, this, &DzParametersPane::showNodeName);
        // Morphs come and go; keep the tree in step.
        _nodeConnections
            << connect(node, &DzElement::propertyAdded, this, &DzParametersPane::scheduleRebuild)
            << connect(node, &DzElement::propertyRemoved, this, &DzParametersPane::scheduleRebuild);
        if (DzObject* object = node->getObject())
            _nodeConnections
                << connect(object, &DzObject::modifierAdded, this, &DzParametersPane::scheduleRebuild)
                << connect(object, &DzObject::modifierRemoved, this, &DzParametersPane::scheduleRebuild);
    }
    scheduleRebuild();
}

// A job that selects nodes and adds morphs many times without returning to the event loop
// (a batch of conversions) pays for one rebuild, not one per change: the pane is rebuilt once
// control is back in the loop, or at once when asked about what it shows (hence the const
// accessors that rebuild: what they return is a view of the node, brought up to date).
void DzParametersPane::scheduleRebuild()
{
    if (_bRebuildPending)
        return;
    _bRebuildPending = true;
    QTimer::singleShot(0, this, &DzParametersPane::flushWhenIdle);
}

// A cancellable job lets the window take events between its steps; the dials catch up when it
// ends rather than once a step.
void DzParametersPane::flushWhenIdle()
{
    DzMainWindow* window = dzApp ? dzApp->getInterface() : nullptr;
    disconnect(_waitForIdle);
    if (window && window->isWorking()) {
        _waitForIdle = connect(window, &DzMainWindow::progressFinished, this, &DzParametersPane::flushWhenIdle);
        return;
    }
    flushRebuild();
}

void DzParametersPane::flushRebuild() const
{
    if (!_bRebuildPending)
        return;
    auto* self = const_cast<DzParametersPane*>(this);
    self->_bRebuildPending = false;
    self->rebuildTree();
}

void DzParametersPane::showNodeName()
{
    _nodeName->setText(_node ? QStringLiteral("<b>%1</b>").arg(_node->getLabel().toHtmlEscaped())
                             : QStringLiteral("No node selected"));
}

QList<DzProperty*> DzParametersPane::nodeProperties() const
{
    QList<DzProperty*> list;
    if (!_node)
        return list;
    appendShown(_node, list);
    if (DzObject* object = _node->getObject()) {
        for (DzModifier* modifier : object->modifierList())
            appendShown(modifier, list);
        if (DzShape* shape = object->getCurrentShape())
            appendShown(shape, list);
    }
    return list;
}

void DzParametersPane::rebuildTree()
{
    const QSignalBlocker block(_groups);
    _groups->clear();
    _itemOf.clear();
    _groupOrder.clear();
    if (_node) {
        auto* all = new QTreeWidgetItem(_groups, {QStringLiteral("All")});
        all->setData(0, kAllGroupsRole, true);
    }
    QStringList paths;
    bool ungrouped = false;
    for (const DzProperty* property : nodeProperties()) {
        ungrouped |= property->getPath().isEmpty();
        paths.append(property->getPath());
    }
    if (ungrouped) {
        auto* item = new QTreeWidgetItem(_groups, {QStringLiteral("General")});
        item->setData(0, kPathRole, QString());
        _itemOf.insert(QString(), item);
        _groupOrder << QString();
    }
    for (const QString& path : DzPropertyGroupTree(paths).collectAllPaths()) {
        const int slash = path.lastIndexOf(QLatin1Char('/'));
        QTreeWidgetItem* parent = slash < 0 ? nullptr : _itemOf.value(path.left(slash));
        const QStringList text{path.mid(slash + 1)};
        auto* item = parent ? new QTreeWidgetItem(parent, text) : new QTreeWidgetItem(_groups, text);
        item->setData(0, kPathRole, path);
        _itemOf.insert(path, item);
        _groupOrder << path;
    }
    // The group shown before stays when this node has it; otherwise every group shows.
    QTreeWidgetItem* current = _bAllGroups ? nullptr : _itemOf.value(_groupPath);
    _bAllGroups = !current;
    if (_bAllGroups)
        _groupPath.clear();
    _groups->setCurrentItem(current ? current : _groups->topLevelItem(0));
    rebuildDials();
}

void DzParametersPane::rebuildDials()
{
    while (_dialsLayout->count() > 1) { // the stretch at the end stays
        QLayoutItem* item = _dialsLayout->takeAt(0);
        delete item->widget();
        delete item;
    }
    _dialOf.clear();
    DzProperty* highlighted = _highlighted;
    _highlighted = nullptr;
    const QList<DzProperty*> properties = nodeProperties();
    const QStringList groups = _bAllGroups ? _groupOrder : QStringList{_groupPath};
    for (const QString& group : groups) {
        bool bHeaded = !_bAllGroups;
        for (DzProperty* property : properties) {
            if (property->getPath() != group)
                continue;
            if (!bHeaded) {
                _dialsLayout->insertWidget(_dialsLayout->count() - 1, makeGroupHeading(group));
                bHeaded = true;
            }
            QWidget* dial = makeDial(property);
            _dialsLayout->insertWidget(_dialsLayout->count() - 1, dial);
            _dialOf.insert(property, dial);
        }
    }
    if (highlighted && _dialOf.contains(highlighted))
        highlight(highlighted);
}

void DzParametersPane::highlight(DzProperty* property)
{
    if (QWidget* old = _dialOf.value(_highlighted))
        old->setStyleSheet(QString());
    _highlighted = property;
    QWidget* dial = _dialOf.value(property);
    if (!dial)
        return;
    dial->setStyleSheet(QStringLiteral("background-color: palette(highlight);"));
    _scroll->ensureWidgetVisible(dial);
}
