#include "studio_session.h"

#include <QFileInfo>
#include <cstdio>

#include "dzapp.h"
#include "dzcontentmgr.h"
#include "dznode.h"
#include "dzscene.h"

namespace {

void reportError(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    std::fflush(stderr);
    if (dzApp)
        dzApp->log(text);
}

} // namespace

StudioSession::StudioSession(const StudioOptions& options, QObject* parent)
    : QObject(parent), _options(options)
{
}

bool StudioSession::openScene()
{
    if (_options.sceneFile.isEmpty())
        return true;
    DzContentMgr* contentMgr = dzApp->getContentMgr();
    if (!contentMgr) {
        reportError(
            QStringLiteral("Could not open scene %1: no content manager").arg(_options.sceneFile));
        return false;
    }
    // A path that is not a file is taken as relative to the content libraries
    // ("Scenes/Sample Conversion.duf").
    QString path = _options.sceneFile;
    if (!QFileInfo::exists(path) && !contentMgr->getAbsolutePath(path).isEmpty())
        path = contentMgr->getAbsolutePath(path);
    if (contentMgr->openFile(path, false))
        return selectNodes();
    reportError(QStringLiteral("Could not open scene %1").arg(_options.sceneFile));
    return false;
}

bool StudioSession::selectNodes()
{
    if (_options.selectLabels.isEmpty())
        return true;
    DzScene* scene = dzApp->getScene();
    scene->selectAllNodes(false);
    for (const QString& label : _options.selectLabels) {
        DzNode* node = scene->findNodeByLabel(label);
        if (!node) {
            reportError(QStringLiteral("Could not select %1: the scene has no node of that label").arg(label));
            return false;
        }
        node->select(true);
    }
    return true;
}

int StudioSession::runScript()
{
    QString errorText;
    if (dzApp->evaluateScriptFile(_options.scriptFile, &errorText))
        return 0;
    reportError(QStringLiteral("Script error: %1").arg(errorText));
    return 1;
}
