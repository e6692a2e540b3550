#include "tv_app_settings.h"

#include "dzappsettings.h"
#include "tv_str.h"

namespace tav {

AppSettingsStorageBase::AppSettingsStorageBase(DzAppSettings* pAppSettings, std::string_view key)
    : _pAppSettings(pAppSettings), _pKey(ToQString(key))
{
}

void AppSettingsStorageInt::load(int& target, int defaultValue)
{
    target = _pAppSettings->getIntValue(_pKey, defaultValue);
    _loaded = true;
}

void AppSettingsStorageInt::store(int& target, int newValue)
{
    _pAppSettings->setIntValue(_pKey, newValue);
    target = newValue;
    _loaded = true;
}

void AppSettingsStorageString::load(std::string& target, const std::string& defaultValue)
{
    target = ToUtf8(_pAppSettings->getStringValue(_pKey, QString()));
    // An empty stored text cannot be told from a missing one.
    if (target.empty())
        target = defaultValue;
    _loaded = true;
}

void AppSettingsStorageString::store(std::string& target, const std::string& newValue)
{
    _pAppSettings->setStringValue(_pKey, ToQString(newValue));
    target = newValue;
    _loaded = true;
}

BoolAppSetting::BoolAppSetting(DzAppSettings* pAppSettings, std::string_view key, bool defaultValue)
    : SettingBase<bool>(defaultValue), AppSettingsStorageBase(pAppSettings, key)
{
}

const bool& BoolAppSetting::value()
{
    if (!_loaded) {
        _value = _pAppSettings->getBoolValue(_pKey, _default);
        _loaded = true;
    }
    return _value;
}

void BoolAppSetting::setValue(const bool& newValue)
{
    _pAppSettings->setBoolValue(_pKey, newValue);
    _value = newValue;
    _loaded = true;
}

StringAppSetting::StringAppSetting(DzAppSettings* pAppSettings, std::string_view key,
                                   std::string_view defaultValue)
    : SettingBase<std::string>(std::string(defaultValue)), AppSettingsStorageString(pAppSettings, key)
{
}

const std::string& StringAppSetting::value()
{
    if (!_loaded)
        load(_value, _default);
    return _value;
}

void StringAppSetting::setValue(const std::string& newValue)
{
    store(_value, newValue);
}

} // namespace tav
