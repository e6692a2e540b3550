// The content loader on one file's bytes, plain or gzip: inflated, parsed and planned against
// the bundled library, with a Genesis 9 selected so morph and D-Former presets have a target.
// Whatever the bytes, the answer is a plan or a DsonError with a message; the scene is not
// touched (the plan is dropped unapplied).
#include <QDir>
#include <cstdint>

#include "content/dsonerror.h"
#include "content/dsonfile.h"
#include "content/dsonscene.h"
#include "dzapp.h"
#include "dzcontentmgr.h"
#include "dznode.h"
#include "dzscene.h"
#include "fuzz_support.h"

namespace {

const char* const kFigureFile = "People/Genesis 9/Genesis 9.duf";

void selectFigure()
{
    DzContentMgr* content = fuzz::hostApp()->getContentMgr();
    if (!content->openFile(content->getAbsolutePath(QString::fromLatin1(kFigureFile)), false))
        fuzz::fail("setup", QStringLiteral("cannot load %1").arg(QString::fromLatin1(kFigureFile)));
    for (int i = 0; i < dzScene->getNumNodes(); ++i)
        if (dzScene->getNode(i)->isRootNode()) {
            dzScene->setPrimarySelection(dzScene->getNode(i));
            return;
        }
    fuzz::fail("setup", QStringLiteral("the figure left no node"));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::startQt(argc, argv);
    selectFigure();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    // Where the file would sit: "#id" urls resolve to it.
    static const QString filePath = QDir(fuzz::contentDir()).filePath(QStringLiteral("Fuzz/input.duf"));
    static const QStringList dirs{fuzz::contentDir()};
    try {
        const dson::Document doc = dson::parseDocument(dson::textOf(bytes));
        QStringList newFormulas;
        dson::planLoad(dirs, filePath, doc, QStringList(), &newFormulas);
    } catch (const DsonError& e) {
        if (e.text.isEmpty())
            fuzz::fail("dson", QStringLiteral("an error without a message"));
    }
    return 0;
}
