#include "dzmainwindow.h"

#include <QDockWidget>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
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
#include "gui/dzscenelistbinder.h"

namespace {

// Dock widths and the log's height that leave the 3D view most of a 1280 x 800 window.
constexpr int kSceneListWidth = 220;
constexpr int kPaneWidth = 340;
constexpr int kLogHeight = 150;

std::vector<std::function<DzPane*()>>& paneCreators()
{
    static std::vector<std::function<DzPane*()>> creators;
    return creators;
}

QString withoutMnemonic(QString title)
{
    return title.remove(QLatin1Char('&'));
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

bool DzMainWindow::registerPaneCreator(std::function<DzPane*()> creator)
{
    paneCreators().push_back(std::move(creator));
    return true;
}

struct DzMainWindow::Impl {
    DzActionMgr* actionMgr = nullptr;
    DzPaneMgr* paneMgr = nullptr;
    DzViewportMgr* viewportMgr = nullptr;
    QDockWidget* sceneDock = nullptr;
    QListWidget* sceneList = nullptr;
    QPlainTextEdit* logView = nullptr;
    QProgressBar* progressBar = nullptr;
};

DzMainWindow::DzMainWindow(QWidget* parent) : QMainWindow(parent), _d(new Impl)
{
    setObjectName(QStringLiteral("DzMainWindow"));
    setWindowTitle(QStringLiteral("Studio"));
    resize(1280, 800);
    _d->actionMgr = new DzActionMgr(this);
    _d->paneMgr = new DzPaneMgr(this);

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

    _d->logView = new QPlainTextEdit;
    _d->logView->setObjectName(QStringLiteral("LogView"));
    _d->logView->setReadOnly(true);
    QDockWidget* logDock = addDock(this, tr("Log"), _d->logView, Qt::BottomDockWidgetArea);
    if (dzApp) {
        for (const QString& line : dzApp->logLines())
            _d->logView->appendPlainText(line);
        connect(dzApp, &DzApp::logged, _d->logView, &QPlainTextEdit::appendPlainText);
    }

    _d->progressBar = new QProgressBar;
    _d->progressBar->setObjectName(QStringLiteral("ProgressBar"));
    _d->progressBar->setTextVisible(true);
    _d->progressBar->setRange(0, 1);
    _d->progressBar->setValue(0);
    _d->progressBar->setFormat(QString());
    statusBar()->addPermanentWidget(_d->progressBar, 1);

    for (const auto& create : paneCreators())
        if (DzPane* pane = create())
            addPane(pane);
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

void DzMainWindow::addPane(DzPane* pane)
{
    QDockWidget* dock = addDock(this, pane->getLabel(), pane, Qt::RightDockWidgetArea);
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
    emit progressStarted(progress->getInfo(), progress->getTotalSteps());
    connect(progress, &DzProgress::progressChanged, bar, show);
    connect(progress, &DzProgress::progressChanged, this, &DzMainWindow::progressChanged);
    connect(progress, &DzProgress::finished, bar, [this, bar]() {
        bar->setRange(0, 1);
        bar->setValue(0);
        bar->setFormat(QString());
        emit progressFinished();
    });
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
            menu = parent ? parent->addMenu(title) : menuBar()->addMenu(title);
        parent = menu;
    }
    return parent;
}

QListWidget* DzMainWindow::sceneList() const { return _d->sceneList; }
QPlainTextEdit* DzMainWindow::logView() const { return _d->logView; }
QProgressBar* DzMainWindow::progressBar() const { return _d->progressBar; }
DzActionMgr* DzMainWindow::getActionMgr() const { return _d->actionMgr; }
DzPaneMgr* DzMainWindow::getPaneMgr() const { return _d->paneMgr; }
DzViewportMgr* DzMainWindow::getViewportMgr() const { return _d->viewportMgr; }
