#include "dzmorphsupportassetfilter.h"

#include <QDir>
#include <QHash>
#include <vector>

#include "content/dsonfile.h"
#include "dzapp.h"
#include "dzcontentmgr.h"
#include "dzfileiosettings.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "dznode.h"
#include "dzobject.h"
#include "dzscene.h"
#include "dzshape.h"
#include "io/dzfileioerrortext.h"
#include "tools/asset_morphfile.h"
#include "tools/asset_optionsdialog.h"

namespace {

// One morph to write and where.
struct PlannedMorph {
    DzMorph* morph = nullptr;
    QString figureUri;
    int vertexCount = 0;
    QString filePath;
    QString assetId;  // path below the content directory
};

DzNode* findInHierarchy(DzNode* root, const QString& name)
{
    if (root->getName() == name)
        return root;
    for (int i = 0; i < root->getNumNodeChildren(); ++i)
        if (DzNode* found = findInHierarchy(root->getNodeChild(i), name))
            return found;
    return nullptr;
}

// The folder below BaseDataPath for the node's morphs: "data/<data folder>/Morphs/<vendor>/
// <product>"; empty folders are left out.
QString morphFolder(const QString& dataFolder, const QString& vendor, const QString& product)
{
    QStringList parts{QStringLiteral("data"), dataFolder, QStringLiteral("Morphs"),
                      DzMorphAssetFile::safeComponent(vendor),
                      DzMorphAssetFile::safeComponent(product)};
    parts.removeAll(QString());
    return parts.join(QLatin1Char('/'));
}

// Two names made safe alike ("a/b" and "a\\b") would overwrite each other's file.
DzError refuseSharedFiles(const std::vector<PlannedMorph>& plan)
{
    QHash<QString, const PlannedMorph*> byFile;
    for (const PlannedMorph& planned : plan) {
        const PlannedMorph* other = byFile.value(planned.filePath);
        if (other)
            return dzFileIOFail(DZ_INVALID_ARGUMENT,
                                QStringLiteral("\"%1\" and \"%2\" would both be saved as \"%3\"; rename one of them")
                                    .arg(other->morph->getName(), planned.morph->getName(),
                                         QFileInfo(planned.filePath).fileName()));
        byFile.insert(planned.filePath, &planned);
    }
    return DZ_NO_ERROR;
}

// Belt and braces: nothing may land outside "<BaseDataPath>/data/".
bool isInsideData(const QString& baseDataPath, const QString& filePath)
{
    const QString data = QDir::cleanPath(QDir(baseDataPath).absoluteFilePath(QStringLiteral("data")));
    return QDir::cleanPath(QDir(baseDataPath).absoluteFilePath(filePath)).startsWith(data + QLatin1Char('/'));
}

// Every morph named by the options, checked before anything is written.
DzError planMorphs(const DzFileIOSettings* options, std::vector<PlannedMorph>& plan)
{
    const QString rootLabel = options->getStringValue("RootLabel");
    DzNode* root = dzScene ? dzScene->findNodeByLabel(rootLabel) : nullptr;
    if (!root)
        return dzFileIOFail(DZ_INVALID_ARGUMENT,
                            QStringLiteral("There is no node labelled \"%1\" in the scene").arg(rootLabel));
    const QString baseDataPath = options->getStringValue("BaseDataPath");
    if (baseDataPath.isEmpty())
        return dzFileIOFail(DZ_INVALID_ARGUMENT, QStringLiteral("No content directory to save into"));
    const DzSettings* nodeNames = options->getSettingsValue("NodeNames");
    if (!nodeNames || nodeNames->getNumValues() == 0)
        return dzFileIOFail(DZ_INVALID_ARGUMENT, QStringLiteral("No morphs were named to save"));

    const QString vendor = options->getStringValue("VendorName");
    const QString product = options->getStringValue("ProductName");
    for (const QString& nodeName : nodeNames->getKeys()) {
        DzNode* node = findInHierarchy(root, nodeName);
        DzShape* shape = node && node->getObject() ? node->getObject()->getCurrentShape() : nullptr;
        if (!shape)
            return dzFileIOFail(DZ_INVALID_ARGUMENT,
                                QStringLiteral("\"%1\" has no node named \"%2\" with geometry").arg(rootLabel, nodeName));
        const QString figureUri = node->getAssetUri().toString();
        const QString dataFolder = DzMorphAssetFile::dataFolderOf(figureUri);
        if (dataFolder.isEmpty())
            return dzFileIOFail(DZ_INVALID_ARGUMENT,
                                QStringLiteral("\"%1\" does not come from a content library").arg(nodeName));
        const QString folder = morphFolder(dataFolder, vendor, product);
        const DzSettings* morphNames = nodeNames->getSettingsValue(nodeName);
        const QStringList keys = morphNames ? morphNames->getKeys() : QStringList();
        for (const QString& key : keys) {
            const QString morphName = morphNames->getStringValue(key);
            auto* morph = qobject_cast<DzMorph*>(node->getObject()->findModifier(morphName));
            if (!morph)
                return dzFileIOFail(DZ_INVALID_ARGUMENT,
                                    QStringLiteral("\"%1\" has no morph named \"%2\"").arg(nodeName, morphName));
            const QString fileName = DzMorphAssetFile::safeComponent(morphName);
            if (fileName.isEmpty())
                return dzFileIOFail(DZ_INVALID_ARGUMENT, QStringLiteral("A morph name is empty"));
            PlannedMorph planned;
            planned.morph = morph;
            planned.figureUri = figureUri;
            planned.vertexCount = shape->getNumVertices();
            planned.assetId = folder + QLatin1Char('/') + fileName + QStringLiteral(".dsf");
            planned.filePath = QDir(baseDataPath).filePath(planned.assetId);
            if (!isInsideData(baseDataPath, planned.filePath))
                return dzFileIOFail(DZ_INVALID_ARGUMENT,
                                    QStringLiteral("\"%1\" would be outside the content directory").arg(planned.filePath));
            plan.push_back(planned);
        }
    }
    return refuseSharedFiles(plan);
}

// What a save of several morphs that stopped at plan[failed] leaves: which assets it saved,
// which not.
QString partOfPlanSaved(const std::vector<PlannedMorph>& plan, size_t failed)
{
    if (plan.size() < 2)
        return QString();
    const auto names = [&](size_t from, size_t to) {
        QStringList quoted;
        for (size_t i = from; i < to; ++i)
            quoted << QStringLiteral("\"%1\"").arg(plan[i].morph->getName());
        return quoted.join(QStringLiteral(", "));
    };
    const QString saved = failed == 0 ? QStringLiteral("Nothing was saved.")
                                      : QStringLiteral("Saved before the failure: %1.").arg(names(0, failed));
    return QStringLiteral(". %1 Not saved: %2.").arg(saved, names(failed, plan.size()));
}

} // namespace

DzMorphSupportAssetFilter::DzMorphSupportAssetFilter(QObject* parent) : DzAssetIOFilter(parent) {}
DzMorphSupportAssetFilter::~DzMorphSupportAssetFilter() = default;

QString DzMorphSupportAssetFilter::getDescription() const
{
    return QStringLiteral("Morph Support Asset(s)");
}

void DzMorphSupportAssetFilter::getDefaultOptions(DzFileIOSettings* options) const
{
    if (!options)
        return;
    DzContentMgr* content = dzApp ? dzApp->getContentMgr() : nullptr;
    DzNode* primary = dzScene ? dzScene->getPrimarySelection() : nullptr;
    const QString author = dzApp ? dzApp->getCurrentAuthor().getName() : QString();
    options->setStringValue("RootLabel", primary ? primary->getLabel() : QString());
    options->setStringValue("BaseDataPath",
                            content && content->getNumContentDirectories() > 0
                                ? content->getContentDirectoryPath(0)
                                : QString());
    options->setStringValue("VendorName", author);
    options->setStringValue("ProductName", QString());
    options->setSettingsValue("NodeNames");
    options->setBoolValue("RunSilent", false);
    options->setBoolValue("CompressOutput", true);
}

DzError DzMorphSupportAssetFilter::doSave(DzFileIOSettings* options, const QString&, const QString&)
{
    if (!options)
        return dzFileIOFail(DZ_INVALID_ARGUMENT, QStringLiteral("No save options were given"));
    if (!options->getBoolValue("RunSilent") &&
        !dzAskMorphSupportAssetOptions(options, dzApp ? dzApp->getDialogParent() : nullptr))
        return dzFileIOFail(DZ_USER_CANCELLED, QString());

    std::vector<PlannedMorph> plan;
    if (const DzError error = planMorphs(options, plan))
        return error;
    const QString baseDataPath = options->getStringValue("BaseDataPath");
    const QString vendor = options->getStringValue("VendorName");
    const bool compress = options->getBoolValue("CompressOutput");
    for (size_t i = 0; i < plan.size(); ++i) {
        const PlannedMorph& planned = plan[i];
        const DzError error = DzMorphAssetFile::write(planned.morph, baseDataPath, planned.assetId,
                                                      planned.figureUri, planned.vertexCount, vendor,
                                                      compress);
        if (error)
            return dzFileIOFail(error, dzFileIOErrorMessage(error) + partOfPlanSaved(plan, i));
        const QString uri = dson::encodePath(planned.assetId) + QLatin1Char('#') + planned.morph->getName();
        planned.morph->getDeltas()->setUri(DzUri(uri));
    }
    return DZ_NO_ERROR;
}
