#pragma once

class DzFileIOSettings;
class QWidget;

// Asks for where and how morph support assets are saved ("BaseDataPath", "VendorName",
// "ProductName", "CompressOutput"); false when the user cancels. Accepted values are written
// back into the options.
bool dzAskMorphSupportAssetOptions(DzFileIOSettings* options, QWidget* parent);
