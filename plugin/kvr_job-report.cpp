#include "kvr_job-report.h"

#include <algorithm>
#include <fmt/format.h>
#include <fmt/ranges.h>
#include <vector>

#include "tv_str.h"

std::string missingMorphsNote(const KvrMissingMorphs& missing)
{
    if (missing.empty())
        return {};
    std::vector<std::string> items;
    for (const auto& [name, fValue] : missing)
        items.push_back(fmt::format("{} ({:03.1f}%)", name, fValue * 100.0f));
    return fmt::format("<p><b>Note:</b> The following morphs had non-zero values in the source figure but could not be "
                       "found in the target figure created by the Transfer Utility:</p><ul><li>{}</li></ul>",
                       fmt::join(items, "</li><li>"));
}

std::string jobDurationText(int64_t iMilliseconds)
{
    return tav::str::FormatDuration(uint64_t(std::max<int64_t>(iMilliseconds, 0) / 1000));
}
