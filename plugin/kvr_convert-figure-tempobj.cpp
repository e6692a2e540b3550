#include "kvr_convert-figure-tempobj.h"

#include <fmt/format.h>

#include "dzapp.h"
#include "dzfileiosettings.h"
#include "dznode.h"
#include "dzscene.h"
#include "kvr_converter.h"
#include "tv_daz-helpers-app.h"
#include "tv_daz-helpers-objio.h"
#include "tv_daz-helpers-scene.h"
#include "tv_exception.h"
#include "tv_str.h"

namespace {

const size_t cTempIdLength = 8;

} // namespace

std::string makeTempId()
{
    return tav::RandomString(cTempIdLength);
}

std::string makeTempName(std::string_view prefix)
{
    return fmt::format(fmt::runtime(prefix), makeTempId());
}

std::string exportTempObj(const KvrConverter& job, std::string_view name)
{
    const std::string path = tav::JoinPath(job.tempDir(), fmt::format("{}.obj", name));
    DzFileIOSettings settings;
    tav::daz::ApplyObjExportSettings(settings);
    tav::daz::SetSelectedOnly(settings, true);
    tav::daz::SetScale(settings, fObjUnitScale);
    tav::daz::ExportObj(settings, path);
    return path;
}

DzNode* importTempObj(std::string_view path)
{
    DzFileIOSettings settings;
    tav::daz::ApplyObjImportSettings(settings);
    tav::daz::SetScale(settings, fObjUnitScale);
    tav::daz::ImportObj(settings, path);

    const std::string label(tav::Stem(path));
    DzNode* pNode = dzScene->findNodeByLabel(tav::ToQString(label));
    if (!pNode)
        throw tav::Exception("unable to find a node labeled {} in the scene after OBJ import", label);
    return pNode;
}

void deleteTempNode(DzNode* pNode)
{
    tav::daz::SelectOnly(pNode);
    tav::daz::TriggerAction("DzDeleteAction");
}
