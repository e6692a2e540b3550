#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "dzfloatproperty.h"

namespace tav {

// The listener list shared by all settings; listeners run after an assign that changed a value.
class SettingRoot {
public:
    using Listener = std::function<void()>;

    void addListener(Listener listener)
    {
        if (!_listeners)
            _listeners = std::make_shared<std::vector<Listener>>();
        _listeners->push_back(std::move(listener));
    }

protected:
    void runListeners() const
    {
        if (!_listeners)
            return;
        for (const Listener& listener : *_listeners)
            listener();  // an empty slot throws std::bad_function_call
    }

private:
    std::shared_ptr<std::vector<Listener>> _listeners;
};

// A default and a current value of type T.
template <typename T>
class SettingBase : public SettingRoot {
public:
    explicit SettingBase(const T& defaultValue) : _default(defaultValue), _value(defaultValue) {}

    virtual const T& value() { return _value; }
    virtual void setValue(const T& newValue) { _value = newValue; }

    const T& defaultValue() const { return _default; }

    // The one way controllers and dialogs change a setting: writes only a different value.
    bool assign(const T& newValue)
    {
        if (newValue == value())
            return false;
        setValue(newValue);
        runListeners();
        return true;
    }

protected:
    const T _default;
    T _value;
};

// A setting with a closed range; setting a value clamps it.
template <typename T>
class NumericSetting : public SettingBase<T> {
public:
    NumericSetting(const T& defaultValue, const T& minimum, const T& maximum)
        : SettingBase<T>(defaultValue), _minimum(minimum), _maximum(maximum)
    {
    }

    void setValue(const T& newValue) override { this->_value = clamp(newValue); }
    virtual T minimum() { return _minimum; }
    virtual T maximum() { return _maximum; }

protected:
    T clamp(const T& v) const
    {
        if (_minimum > v)
            return _minimum;
        if (_maximum < v)
            return _maximum;
        return v;  // also a value that compares false both ways
    }

    T _minimum;
    T _maximum;
};

// A numeric setting started from a host property; _original is the property's value then.
template <typename T>
class NumericPropertySetting : public NumericSetting<T> {
public:
    NumericPropertySetting(DzNumericProperty* pProperty, const T& value, const T& defaultValue,
                           const T& minimum, const T& maximum)
        : NumericSetting<T>(defaultValue, minimum, maximum), _original(value), _pProperty(pProperty)
    {
        this->_value = value;
    }

    const T& original() const { return _original; }
    DzNumericProperty* property() const { return _pProperty; }

    const T _original;

protected:
    DzNumericProperty* _pProperty;
};

// A float setting on a host float property; it never writes the property itself.
class FloatPropertySetting final : public NumericPropertySetting<float> {
public:
    explicit FloatPropertySetting(DzFloatProperty* pProperty)
        : NumericPropertySetting<float>(pProperty, pProperty->getValue(), pProperty->getDefaultValue(),
                                        pProperty->getMin(), pProperty->getMax())
    {
    }

    DzFloatProperty* floatProperty() const { return static_cast<DzFloatProperty*>(_pProperty); }
};

} // namespace tav
