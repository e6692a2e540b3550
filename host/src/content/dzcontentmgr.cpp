#include "dzcontentmgr.h"

#include <QFileInfo>

#include "../app/dzappservices.h"
#include "contentdialogs.h"
#include "contentpaths.h"
#include "dsonerror.h"
#include "dsondocument.h"
#include "dsonscene.h"
#include "dzapp.h"
#include "dznode.h"
#include "dzscene.h"

namespace {

void logLine(const QString& text)
{
    if (dzApp)
        dzApp->log(text);
}

const bool registered = dzRegisterServiceCreator([](DzApp* app, DzAppServices& services) {
    services.contentMgr = new DzContentMgr(app->options().contentDirs, app);
});

} // namespace

DzContentMgr::DzContentMgr(const QStringList& contentDirs, QObject* parent)
    : QObject(parent), _contentDirs(contentDirs)
{
    (void)registered;
}

DzContentMgr::~DzContentMgr() = default;

QStringList DzContentMgr::contentDirectories() const { return _contentDirs; }

int DzContentMgr::getNumContentDirectories() const { return _contentDirs.size(); }

QString DzContentMgr::getContentDirectoryPath(int index) const { return _contentDirs.value(index); }

QString DzContentMgr::getAbsolutePath(const QString& relativePath) const
{
    const dzcontent::ContentFile file = dzcontent::findContentFile(_contentDirs, relativePath);
    if (!file.refusal.isEmpty())
        logLine(QStringLiteral("Content: \"%1\" was not looked up: it %2").arg(relativePath, file.refusal));
    return file.path;
}

bool DzContentMgr::openFile(const QString& path, bool merge)
{
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        logLine(QStringLiteral("Content: cannot open \"%1\": no such file").arg(path));
        return false;
    }
    dson::Document doc;
    try {
        doc = dson::readDocument(path);
    } catch (const DsonError& e) {
        logLine(QStringLiteral("Content: cannot open \"%1\": the file %2").arg(path, e.text));
        dzcontent::showErrorOpeningFile(path, e.text);
        return false;
    }

    dson::ScenePlan plan;
    QStringList newFormulas;
    try {
        plan = dson::planLoad(_contentDirs, path, doc, _formulas, &newFormulas);
    } catch (const DsonError& e) {
        logLine(QStringLiteral("Content: cannot load \"%1\": %2").arg(path, e.text));
        return false;
    }
    for (const QString& problem : plan.problems)
        logLine(QStringLiteral("Content: while loading \"%1\": %2").arg(path, problem));

    if (!plan.missingUrls.isEmpty())
        dzcontent::showMissingFiles(path, plan.missingUrls);
    if (plan.hadSceneNodes && plan.newNodes.empty() && !plan.isDFormerPreset) {
        logLine(QStringLiteral("Content: nothing in \"%1\" could be loaded").arg(path));
        return false;
    }
    if (plan.isDFormerPreset && !dzcontent::askDFormerLoadOptions(path)) {
        logLine(QStringLiteral("Content: loading \"%1\" was cancelled").arg(path));
        return false;
    }
    if (!plan.duplicateFormulas.isEmpty())
        dzcontent::showDuplicateFormulas(plan.duplicateFormulas);
    const bool keepLimits =
        plan.valuesOutOfRange.isEmpty() || dzcontent::askPresetExceedsLimits(plan.valuesOutOfRange);

    // The dialogs ran an event loop, in which what the plan changes may have gone.
    const QString lost = plan.lostTarget();
    if (!lost.isEmpty()) {
        logLine(QStringLiteral("Content: cannot load \"%1\": %2 left the scene while the load "
                               "waited; nothing was changed")
                    .arg(path, lost));
        return false;
    }
    if (!keepLimits)
        for (const auto& lift : plan.ignoreLimits)
            lift();

    _formulas.append(newFormulas);
    if (!merge && !plan.isPreset && dzScene)
        dzScene->clear();
    for (const auto& change : plan.changes)
        change();
    DzNode* lastAdded = nullptr;
    for (auto& node : plan.newNodes)
        if (dzScene) {
            lastAdded = node.get();
            dzScene->addNode(node.release());
        }
    // As in the real host, what was just loaded is what the user works on next.
    if (lastAdded) {
        dzScene->selectAllNodes(false);
        dzScene->setPrimarySelection(lastAdded);
    }
    return true;
}
