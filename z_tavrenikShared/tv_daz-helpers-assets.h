#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class DzAssetIOFilter;
class DzAssetIOMgr;
class DzFileIOSettings;
class DzNode;

namespace tav::daz {

// One save through a host asset filter: the manager, the filter and the save options.
class AssetSaver {
public:
    // Throws when the host has no asset IO manager or no filter of that class.
    explicit AssetSaver(const char* pcszFilterClassName);
    ~AssetSaver();
    AssetSaver(const AssetSaver&) = delete;
    AssetSaver& operator=(const AssetSaver&) = delete;

    DzFileIOSettings* settings() const { return _pSettings.get(); }
    // Lets the filter write its defaults into the settings.
    void LoadDefaultOptions();
    // The host's result code of the save with the current settings.
    int Save();
    std::string ErrorMessage(int iResult) const;

private:
    DzAssetIOMgr* _pIOMgr;
    DzAssetIOFilter* _pFilter;
    std::unique_ptr<DzFileIOSettings> _pSettings;
};

// Saves the figure's named morphs as morph support assets below `baseDataPath`. True when
// saved, false when the user cancelled; throws tav::Exception when the host reports an error.
bool SaveMorphSupportAssets(DzNode* pFigure, std::string_view baseDataPath,
                            std::string_view vendorName, std::string_view productName,
                            const std::vector<std::string>& morphNames, bool bCompress);

} // namespace tav::daz
