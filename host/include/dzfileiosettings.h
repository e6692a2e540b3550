#pragma once

#include "dzsettings.h"

// The options of one import or export (`new DzFileIOSettings()` in scripts).
class DzFileIOSettings : public DzSettings {
    Q_OBJECT
public:
    Q_INVOKABLE DzFileIOSettings();
    ~DzFileIOSettings() override;
};
