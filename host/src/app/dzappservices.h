#pragma once

#include <functional>

class DzApp;
class DzAssetIOMgr;
class DzContentMgr;
class DzExportMgr;
class DzImportMgr;

// The managers the application hands out. Each subsystem creates its own manager (parented to
// the application) from a creator registered at library load, so the application does not
// need to know how they are built.
struct DzAppServices {
    DzContentMgr* contentMgr = nullptr;
    DzAssetIOMgr* assetIOMgr = nullptr;
    DzImportMgr* importMgr = nullptr;
    DzExportMgr* exportMgr = nullptr;
};

using DzServiceCreator = std::function<void(DzApp* app, DzAppServices& services)>;

// Registers a creator; the application runs every creator in its constructor, after the scene
// exists. Use from a static object in the subsystem's source:
//   static const bool registered = dzRegisterServiceCreator([](DzApp* app, DzAppServices& s) {
//       s.contentMgr = new DzContentMgr(app);
//   });
bool dzRegisterServiceCreator(DzServiceCreator creator);
