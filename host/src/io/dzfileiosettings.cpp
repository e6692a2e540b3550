#include "dzfileiosettings.h"

DzFileIOSettings::DzFileIOSettings() = default;

DzFileIOSettings::~DzFileIOSettings() = default;
