#include "studio_session.h"

#include <cstdio>

#include "dzapp.h"

#if __has_include("dzcontentmgr.h")
#include "dzcontentmgr.h"
#define STUDIO_HAS_CONTENT_MGR 1
#endif

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
#ifdef STUDIO_HAS_CONTENT_MGR
    DzContentMgr* contentMgr = dzApp->getContentMgr();
    if (contentMgr && contentMgr->openFile(_options.sceneFile, false))
        return true;
    reportError(contentMgr ? QStringLiteral("Could not open scene %1").arg(_options.sceneFile)
                           : QStringLiteral("Could not open scene %1: no content manager")
                                 .arg(_options.sceneFile));
#else
    reportError(
        QStringLiteral("Could not open scene %1: no content manager").arg(_options.sceneFile));
#endif
    return false;
}

int StudioSession::runScript()
{
    QString errorText;
    if (dzApp->evaluateScriptFile(_options.scriptFile, &errorText))
        return 0;
    reportError(QStringLiteral("Script error: %1").arg(errorText));
    return 1;
}
