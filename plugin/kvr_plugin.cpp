#include "kvr_plugin.h"

#include "dzguid.h"
#include "kvr_factories.h"
#include "tv_identity.h"

namespace {

// Shown by the host's plug-in list; the quotes around Convert are typographic.
const char* const pcszDescription =
    "\n<p>Kelvaro for Genesis 9 is a plugin for Daz Studio 4.20 and above that can convert Genesis 3, 8 "
    "and 8.1 Genesis shapes to Genesis 9.</p>\n<p>By default it can be launched either with the menu "
    "item in the new \xE2\x80\x9C"
    "Convert\xE2\x80\x9D menu or with the Ctrl + Alt + C keyboard shortcut.</p>";

// Built during static initialisation, before the host calls any entry point, so nothing
// here may need the host's application object. The factories come first: the definition
// lists them in this order.
KvrConvertFigureActionFactory s_convertFigureActionFactory(
    DzGuid::fromString(QString::fromLatin1("{1fb60b91-0fd1-4fc3-b560-99df85875d31}")));
KvrConvertMorphsActionFactory s_convertMorphsActionFactory(
    DzGuid::fromString(QString::fromLatin1("{587bd5a5-9521-48a7-b843-4337b3972dbe}")));
KvrOpenManualActionFactory s_openManualActionFactory(
    DzGuid::fromString(QString::fromLatin1("{92bdd1aa-1b7a-4e98-bc5d-a6ad932e29f1}")));

DzPlugin* buildDefinition(DzPlugin* pPlugin)
{
    pPlugin->addClassFactory(&s_convertFigureActionFactory);
    pPlugin->addClassFactory(&s_convertMorphsActionFactory);
    pPlugin->addClassFactory(&s_openManualActionFactory);
    pPlugin->setAuthor(QString::fromLatin1("Tavrenik"));
    pPlugin->setDescription(QString::fromUtf8(pcszDescription));
    pPlugin->setVersion(KVR_VERSION_MAJOR, KVR_VERSION_MINOR, KVR_VERSION_PATCH, 0);
    return pPlugin;
}

DzPlugin s_plugin(QString::fromUtf8(tav::pcszPluginName));
DzPlugin* const s_pDefinition = buildDefinition(&s_plugin);

} // namespace

extern "C" DZ_PLUGIN_EXPORT DzVersion getSDKVersion()
{
    return DzVersion(4, 5, 0, 100);
}

extern "C" DZ_PLUGIN_EXPORT DzPlugin* getPluginDefinition()
{
    return s_pDefinition;
}
