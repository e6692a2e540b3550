#include "tv_daz-helpers-assets.h"

#include "dzapp.h"
#include "dzassetiofilter.h"
#include "dzassetiomgr.h"
#include "dzfileioerror.h"
#include "dzfileiosettings.h"
#include "dznode.h"
#include "tv_exception.h"
#include "tv_str.h"
#include "tv_wait-cursor.h"

namespace tav::daz {
namespace {

// The nested settings under the key, created when missing.
DzSettings* NestedSettings(DzSettings* pSettings, const QString& key)
{
    if (DzSettings* pNested = pSettings->getSettingsValue(key))
        return pNested;
    return pSettings->setSettingsValue(key);
}

} // namespace

AssetSaver::AssetSaver(const char* pcszFilterClassName)
    : _pIOMgr(dzApp ? dzApp->getAssetIOMgr() : nullptr), _pSettings(new DzFileIOSettings)
{
    if (!_pIOMgr)
        throw Exception(std::string_view("failed to get Daz Studio asset IO manager"));
    _pFilter = _pIOMgr->getFilter(_pIOMgr->findFilter(QString::fromUtf8(pcszFilterClassName)));
    if (!_pFilter)
        throw Exception("failed to find {}", pcszFilterClassName);
}

AssetSaver::~AssetSaver() = default;

void AssetSaver::LoadDefaultOptions() { _pFilter->getDefaultOptions(_pSettings.get()); }

int AssetSaver::Save()
{
    _pSettings->setBoolValue(QString::fromLatin1("RunSilent"), true);
    const QString path;
    return _pIOMgr->doSaveWithOptions(_pFilter, _pSettings.get(), false, path, ParentPath(path), QString());
}

std::string AssetSaver::ErrorMessage(int iResult) const
{
    return ToUtf8(_pIOMgr->getErrorMessage(iResult));
}

bool SaveMorphSupportAssets(DzNode* pFigure, std::string_view baseDataPath,
                            std::string_view vendorName, std::string_view productName,
                            const std::vector<std::string>& morphNames, bool bCompress)
{
    AssetSaver saver("DzMorphSupportAssetFilter");
    saver.LoadDefaultOptions();
    DzFileIOSettings* pSettings = saver.settings();
    pSettings->setStringValue(QString::fromLatin1("RootLabel"), pFigure->getLabel());
    pSettings->setStringValue(QString::fromLatin1("BaseDataPath"), ToQString(baseDataPath));
    pSettings->setStringValue(QString::fromLatin1("VendorName"), ToQString(vendorName));
    pSettings->setStringValue(QString::fromLatin1("ProductName"), ToQString(productName));
    DzSettings* pNodeNames = NestedSettings(pSettings, QString::fromLatin1("NodeNames"));
    DzSettings* pMorphs = NestedSettings(pNodeNames, pFigure->getName());
    for (size_t i = 0; i < morphNames.size(); ++i)
        pMorphs->setStringValue(QString::fromLatin1("%1").arg(i), ToQString(morphNames[i]));
    pSettings->setBoolValue(QString::fromLatin1("RunSilent"), true);
    pSettings->setBoolValue(QString::fromLatin1("CompressOutput"), bCompress);

    int iResult = 0;
    {
        WaitCursor waitCursor(false);
        iResult = saver.Save();
    }
    if (iResult == 0)
        return true;
    if (iResult == DZ_USER_CANCELLED)
        return false;
    throw Exception("Daz Studio asset IO manager reported: {}", saver.ErrorMessage(iResult));
}

} // namespace tav::daz
