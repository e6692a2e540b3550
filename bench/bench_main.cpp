#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

#include "bench_session.h"
#include "dzapp.h"
#include "dzcontentmgr.h"
#include "dzenumproperty.h"
#include "dzfloatproperty.h"
#include "dzintproperty.h"
#include "dzmorph.h"
#include "dznode.h"
#include "dzobject.h"
#include "dzscene.h"
#include "dzshape.h"

namespace {
QTemporaryDir* gScratch = nullptr;
}

namespace bench {

const char* const kGenesis9File = "People/Genesis 9/Genesis 9.duf";
const char* const kGenesis81FemaleFile = "People/Genesis 8 Female/Genesis 8.1 Basic Female.duf";

void clearScene()
{
    dzScene->clear();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

DzNode* loadFresh(benchmark::State& state, const QString& relativePath, const QString& label)
{
    clearScene();
    const QString path = dzApp->getContentMgr()->getAbsolutePath(relativePath);
    DzNode* node = nullptr;
    if (!path.isEmpty() && dzApp->getContentMgr()->openFile(path, true))
        node = dzScene->findNodeByLabel(label);
    if (!node)
        state.SkipWithError(qPrintable(QStringLiteral("cannot load %1 from %2")
                                           .arg(relativePath, QStringLiteral(KVR_CONTENT_FULL_DIR))));
    return node;
}

void setResolution(DzNode* node, int level)
{
    DzShape* shape = node->getObject()->getCurrentShape();
    shape->getLODControl()->setValue(level > 0 ? 1 : 0);
    if (level > 0)
        shape->getSubDIALevelControl()->setValue(level);
}

DzFloatProperty* morphDial(const DzNode* node, const QString& morphName)
{
    auto* morph = qobject_cast<DzMorph*>(node->getObject()->findModifier(morphName));
    return morph ? morph->getValueControl() : nullptr;
}

QString scratchPath(const QString& fileName)
{
    return QDir(gScratch->path()).filePath(fileName);
}

} // namespace bench

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    QTemporaryDir home, scratch;
    if (!home.isValid() || !scratch.isValid()) {
        std::fprintf(stderr, "cannot create temporary folders\n");
        return 1;
    }
    gScratch = &scratch;
    DzAppOptions options;
    options.homeDir = home.path();
    options.contentDirs = QStringList{QStringLiteral(KVR_CONTENT_FULL_DIR)};
    options.headless = true;
    DzApp app(options);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bench::clearScene();
    return 0;
}
