#include "dzmainwindow.h"

#include <QDockWidget>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <functional>
#include <vector>

#include "dzaction.h"
#include "dzactionmgr.h"
#include "dzapp.h"
#include "dzclassfactory.h"
#include "dzpane.h"
#include "dzpanemgr.h"
#include "dzprogress.h"
#include "dzviewportmgr.h"
#include "gui/dzcontentlibrarypane.h"
#include "gui/dzfilemenu.h"
#include "gui/dzlogview.h"
#include "gui/dzscenelistbinder.h"

namespace {

// Dock widths and the log's height that leave the 3D view most of a 1280 x 800 window.
constexpr int kSceneListWidth = 240;
constexpr int kPaneWidth = 360;
constexpr int kLogHeight = 150;

struct PaneCreator {
    std::function<DzPane*()> create;
    Qt::DockWidgetArea area;
};

std::vector<PaneCreator>& paneCreators()
{
    static std::vector<PaneCreator> creators;
    return creators;
}

QString withoutMnemonic(QString title)
{
    return title.remove(QLatin1Char('&'));
}

// Where a top-level menu stands in the menu bar: the host's own in their order, the plug-ins'
// menus (any other title) before Window and Help.
int menuRank(const QString& title)
{
    static const QStringList before{QStringLiteral("File"), QStringLiteral("Edit"),
                                    QStringLiteral("Create"), QStringLiteral("Tools")};
    static const QStringList after{QStringLiteral("Window"), QStringLiteral("Help")};
    const QString plain = withoutMnemonic(title);
    if (before.contains(plain))
        return before.indexOf(plain);
    if (after.contains(plain))
        return before.size() + 1 + after.indexOf(plain);
    return before.size();
}

QMenu* addTopMenu(QMenuBar* bar, const QString& title)
{
    auto* menu = new QMenu(title, bar);
    QAction* next = nullptr;
    for (QAction* action : bar->actions())
        if (action->menu() && menuRank(action->text()) > menuRank(title)) {
            next = action;
            break;
        }
    bar->insertMenu(next, menu);
    return menu;
}

QMenu* findChildMenu(const QList<QAction*>& actions, const QString& title)
{
    const QString plain = withoutMnemonic(title);
    for (QAction* action : actions)
        if (action->menu() && withoutMnemonic(action->text()) == plain)
            return action->menu();
    return nullptr;
}

QDockWidget* addDock(QMainWindow* window, const QString& title, QWidget* content,
                     Qt::DockWidgetArea area)
{
    auto* dock = new QDockWidget(title, window);
    dock->setObjectName(title);
    dock->setWidget(content);
    window->addDockWidget(area, dock);
    return dock;
}

} // namespace

bool DzMainWindow::registerPaneCreator(std::function<DzPane*()> creator, Qt::DockWidgetArea area)
{
    paneCreators().push_back({std::move(creator), area});
    return true;
}

struct DzMainWindow::Impl {
    DzActionMgr* actionMgr = nullptr;
    DzPaneMgr* paneMgr = nullptr;
    DzViewportMgr* viewportMgr = nullptr;
    QDockWidget* sceneDock = nullptr;
    QListWidget* sceneList = nullptr;
    DzLogView* logPane = nullptr;
    QProgressBar* progressBar = nullptr;
    QPushButton* cancelButton = nullptr;
    int cWorking = 0;  // tracked progresses not finished
    // The cancellable progresses running, latest last: Cancel cancels the latest. What the
    // first disabled is enabled again when the last ends.
    QList<DzProgress*> cancellables;
    QMetaObject::Connection cancelConnection;
    QList<QPointer<QWidget>> disabledWidgets;
    QList<QPointer<QAction>> disabledActions;
};

DzMainWindow::DzMainWindow(QWidget* parent) : QMainWindow(parent), _d(new Impl)
{
    setObjectName(QStringLiteral("DzMainWindow"));
    setWindowTitle(QStringLiteral("Studio"));
    resize(1280, 800);
    _d->actionMgr = new DzActionMgr(this);
    _d->paneMgr = new DzPaneMgr(this);
    // The host's File menu comes first; plug-in actions under "File/..." land in it.
    menuBar()->insertMenu(menuBar()->actions().value(0), new DzFileMenu(this));

    _d->viewportMgr = new DzViewportMgr(this);
    setCentralWidget(_d->viewportMgr);
    // The side docks run the full height; the log sits under the view only.
    setCorner(Qt::TopLeftCorner, Qt::LeftDockWidgetArea);
    setCorner(Qt::BottomLeftCorner, Qt::LeftDockWidgetArea);
    setCorner(Qt::TopRightCorner, Qt::RightDockWidgetArea);
    setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);

    _d->sceneList = new QListWidget;
    _d->sceneList->setObjectName(QStringLiteral("SceneList"));
    _d->sceneList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    _d->sceneDock = addDock(this, tr("Scene"), _d->sceneList, Qt::LeftDockWidgetArea);
    if (dzScene)
        new DzSceneListBinder(dzScene, _d->sceneList);

    _d->logPane = new DzLogView(dzApp && dzApp->options().logDetails);
    QDockWidget* logDock = addDock(this, tr("Log"), _d->logPane, Qt::BottomDockWidgetArea);
    if (dzApp) {
        for (const QString& line : dzApp->logLines())
            _d->logPane->appendLogLine(line);
        connect(dzApp, &DzApp::logged, _d->logPane, &DzLogView::appendLogLine);
    }

    _d->progressBar = new QProgressBar;
    _d->progressBar->setObjectName(QStringLiteral("ProgressBar"));
    _d->progressBar->setTextVisible(true);
    _d->progressBar->setRange(0, 1);
    _d->progressBar->setValue(0);
    _d->progressBar->setFormat(QString());
    statusBar()->addPermanentWidget(_d->progressBar, 1);
    _d->progressBar->hide();  // an empty bar reads as a text field: shown only while working
    _d->cancelButton = new QPushButton(tr("Cancel"));
    _d->cancelButton->setObjectName(QStringLiteral("CancelProgress"));
    statusBar()->addPermanentWidget(_d->cancelButton);
    _d->cancelButton->hide();  // only a cancellable progress offers it

    addPane(new DzContentLibraryPane, Qt::LeftDockWidgetArea);
    for (const PaneCreator& creator : paneCreators())
        if (DzPane* pane = creator.create())
            addPane(pane, creator.area);
    resizeDocks({_d->sceneDock}, {kSceneListWidth}, Qt::Horizontal);
    resizeDocks({logDock}, {kLogHeight}, Qt::Vertical);
}

DzMainWindow::~DzMainWindow()
{
    // Actions belong to the action manager, a child; menus only refer to them.
    delete _d;
}

void DzMainWindow::createActionsFromFactories(const QList<DzClassFactory*>& factories)
{
    for (DzClassFactory* factory : factories) {
        const QMetaObject* meta = factory->metaObject();
        if (!meta || !meta->inherits(&DzAction::staticMetaObject))
            continue;
        QObject* instance = factory->createInstance();
        auto* action = qobject_cast<DzAction*>(instance);
        if (!action) {
            delete instance;
            continue;
        }
        addAction(action);
    }
}

void DzMainWindow::addAction(DzAction* action)
{
    _d->actionMgr->addAction(action);
    const QKeySequence accel = action->getDefaultAccel();
    if (!accel.isEmpty())
        action->setShortcut(accel);
    action->setShortcutContext(Qt::ApplicationShortcut);
    const QString menuPath = action->getDefaultMenuPath();
    if (!menuPath.isEmpty())
        menuFor(menuPath)->addAction(action);
    // Shortcuts work only for actions that belong to a widget of the window.
    QWidget::addAction(action);
}

void DzMainWindow::addPane(DzPane* pane, Qt::DockWidgetArea area)
{
    // A left pane stacks under the scene list, in its column; the others take the panes' width.
    QDockWidget* dock = addDock(this, pane->getLabel(), pane, area);
    if (area != Qt::LeftDockWidgetArea)
        resizeDocks({dock}, {kPaneWidth}, Qt::Horizontal);
    _d->paneMgr->addPane(pane);
}

void DzMainWindow::trackProgress(DzProgress* progress)
{
    QProgressBar* bar = _d->progressBar;
    auto show = [bar](const QString& info, int current, int total) {
        bar->setRange(0, qMax(total, 1));
        bar->setValue(qBound(0, current, qMax(total, 1)));
        bar->setFormat(QStringLiteral("%1 (%p%)").arg(info));
    };
    show(progress->getInfo(), progress->getCurrentStep(), progress->getTotalSteps());
    bar->show();
    ++_d->cWorking;
    const bool bCancellable = progress->isCancellable();
    if (bCancellable)
        offerCancel(progress);
    emit progressStarted(progress->getInfo(), progress->getTotalSteps());
    connect(progress, &DzProgress::progressChanged, bar, show);
    connect(progress, &DzProgress::progressChanged, this, &DzMainWindow::progressChanged);
    connect(progress, &DzProgress::finished, bar, [this, bar, progress, bCancellable]() {
        bar->setRange(0, 1);
        bar->setValue(0);
        bar->setFormat(QString());
        bar->hide();
        if (bCancellable)
            withdrawCancel(progress);
        --_d->cWorking;
        emit progressFinished();
    });
}

bool DzMainWindow::isWorking() const { return _d->cWorking > 0; }
QPushButton* DzMainWindow::cancelButton() const { return _d->cancelButton; }

// A cancellable progress takes events between its steps so that Cancel can be pressed; until it
// ends, Cancel is the only thing the window lets the user do, so that no other job starts in
// the middle of this one.
void DzMainWindow::offerCancel(DzProgress* progress)
{
    if (_d->cancellables.isEmpty())
        holdWindow();
    _d->cancellables << progress;
    cancelLatest();
}

void DzMainWindow::withdrawCancel(DzProgress* progress)
{
    _d->cancellables.removeOne(progress);
    if (!_d->cancellables.isEmpty()) {
        cancelLatest();
        return;
    }
    disconnect(_d->cancelConnection);
    _d->cancelButton->hide();
    for (const QPointer<QWidget>& widget : qAsConst(_d->disabledWidgets))
        if (widget)
            widget->setEnabled(true);
    for (const QPointer<QAction>& action : qAsConst(_d->disabledActions))
        if (action)
            action->setEnabled(true);
    _d->disabledWidgets.clear();
    _d->disabledActions.clear();
}

void DzMainWindow::cancelLatest()
{
    disconnect(_d->cancelConnection);
    _d->cancelConnection =
        connect(_d->cancelButton, &QPushButton::clicked, _d->cancellables.last(), &DzProgress::cancel);
    _d->cancelButton->setEnabled(true);
    _d->cancelButton->show();
}

void DzMainWindow::holdWindow()
{
    QList<QWidget*> widgets{menuBar(), centralWidget()};
    for (QDockWidget* dock : findChildren<QDockWidget*>())
        widgets << dock;
    for (QWidget* widget : widgets)
        if (widget && widget->isEnabled()) {
            widget->setEnabled(false);
            _d->disabledWidgets << widget;
        }
    for (QAction* action : QWidget::actions())
        if (action->isEnabled()) {
            action->setEnabled(false);
            _d->disabledActions << action;
        }
}

QMenu* DzMainWindow::findMenu(const QString& menuPath) const
{
    QList<QAction*> level = menuBar()->actions();
    QMenu* menu = nullptr;
    for (const QString& title : menuPath.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        menu = findChildMenu(level, title);
        if (!menu)
            return nullptr;
        level = menu->actions();
    }
    return menu;
}

QMenu* DzMainWindow::menuFor(const QString& menuPath)
{
    QMenu* parent = nullptr;
    for (const QString& title : menuPath.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const QList<QAction*> level = parent ? parent->actions() : menuBar()->actions();
        QMenu* menu = findChildMenu(level, title);
        if (!menu)
            menu = parent ? parent->addMenu(title) : addTopMenu(menuBar(), title);
        parent = menu;
    }
    return parent;
}

QListWidget* DzMainWindow::sceneList() const { return _d->sceneList; }
DzLogView* DzMainWindow::logPane() const { return _d->logPane; }
QPlainTextEdit* DzMainWindow::logView() const { return _d->logPane->textView(); }
QProgressBar* DzMainWindow::progressBar() const { return _d->progressBar; }
DzActionMgr* DzMainWindow::getActionMgr() const { return _d->actionMgr; }
DzPaneMgr* DzMainWindow::getPaneMgr() const { return _d->paneMgr; }
DzViewportMgr* DzMainWindow::getViewportMgr() const { return _d->viewportMgr; }
