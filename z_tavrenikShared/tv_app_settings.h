#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "tv_flagset.h"
#include "tv_prohibit_copy.h"
#include "tv_settings.h"

class DzAppSettings;

namespace tav {

// Where an app setting lives: the host store (not owned), its key, and whether it was loaded.
class AppSettingsStorageBase : public ProhibitCopy {
public:
    AppSettingsStorageBase(DzAppSettings* pAppSettings, std::string_view key);

protected:
    DzAppSettings* _pAppSettings;
    QString _pKey;
    bool _loaded = false;
};

class AppSettingsStorageInt : public AppSettingsStorageBase {
public:
    using AppSettingsStorageBase::AppSettingsStorageBase;

protected:
    void load(int& target, int defaultValue);
    void store(int& target, int newValue);
};

class AppSettingsStorageString : public AppSettingsStorageBase {
public:
    using AppSettingsStorageBase::AppSettingsStorageBase;

protected:
    // An empty stored text reads as the default.
    void load(std::string& target, const std::string& defaultValue);
    void store(std::string& target, const std::string& newValue);
};

// A bool persisted in the host store, loaded on first use.
class BoolAppSetting final : public SettingBase<bool>, public AppSettingsStorageBase {
public:
    BoolAppSetting(DzAppSettings* pAppSettings, std::string_view key, bool defaultValue);

    const bool& value() override;
    void setValue(const bool& newValue) override;
};

// A UTF-8 text persisted in the host store.
class StringAppSetting final : public SettingBase<std::string>, public AppSettingsStorageString {
public:
    StringAppSetting(DzAppSettings* pAppSettings, std::string_view key, std::string_view defaultValue);

    const std::string& value() override;
    void setValue(const std::string& newValue) override;
};

// A flag set persisted as a 32-bit integer mask.
template <typename E>
class FlagAppSetting final : public SettingBase<FlagSet<E>>, public AppSettingsStorageInt {
public:
    FlagAppSetting(DzAppSettings* pAppSettings, std::string_view key, FlagSet<E> defaultValue)
        : SettingBase<FlagSet<E>>(defaultValue), AppSettingsStorageInt(pAppSettings, key)
    {
    }

    const FlagSet<E>& value() override
    {
        if (!_loaded) {
            int stored = 0;
            load(stored, int(uint32_t(this->_default.mask())));
            this->_value = FlagSet<E>((this->_value.mask() & ~uint64_t(0xffffffffu)) | uint32_t(stored));
        }
        return this->_value;
    }

    void setValue(const FlagSet<E>& newValue) override
    {
        int stored = 0;
        store(stored, int(uint32_t(newValue.mask())));
        this->_value = newValue;
    }
};

} // namespace tav
