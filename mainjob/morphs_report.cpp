#include "morphs_report.h"

#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "morphs_run.h"

namespace {

void print(const QString& line)
{
    std::printf("%s\n", line.toUtf8().constData());
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

QString distanceText(double fCm, float fHeightCm)
{
    return QStringLiteral("%1 cm (%2 %)").arg(fCm, 0, 'f', 3).arg(100.0 * fCm / fHeightCm, 0, 'f', 3);
}

// The morph that lies farthest from its source morph by the measure, with both of its measures.
void printWorst(const MorphsJobResult& result, const char* pcszBy, double MorphsJobResult::Fidelity::*pMeasure)
{
    const auto worst = std::max_element(result.fidelity.begin(), result.fidelity.end(),
                                        [&](const auto& a, const auto& b) { return a.*pMeasure < b.*pMeasure; });
    print(QStringLiteral("  worst by %1: %2, largest %3, root mean square %4")
              .arg(pcszBy, worst->morph, distanceText(worst->maxCm, result.heightCm),
                   distanceText(worst->rmsCm, result.heightCm)));
}

} // namespace

void printMorphsReport(const MorphsJobResult& result, bool bSmall, const QString& pictureDir)
{
    print(QStringLiteral("Kelvaro for Genesis 9: the sample source's morphs converted one by one (%1 content)")
              .arg(bSmall ? "small" : "real-scale"));
    print(QString());
    print(QStringLiteral("%1 morphs of the %2 converted onto the Genesis 9: %3 new morphs, %4 skipped (they change "
                         "nothing), full figure morphs at base resolution, left in the scene")
              .arg(result.cCatalogue)
              .arg(result.sourceLabel)
              .arg(result.made.size())
              .arg(result.skipped.size()));
    print(QString());
    print(QStringLiteral("Time (ms):"));
    const auto [pMin, pMax] = std::minmax_element(result.perMorphMs.begin(), result.perMorphMs.end());
    print(QStringLiteral("  per morph: median %1, min %2, max %3")
              .arg(median(result.perMorphMs), 0, 'f', 1)
              .arg(pMin == result.perMorphMs.end() ? 0.0 : *pMin, 0, 'f', 1)
              .arg(pMax == result.perMorphMs.end() ? 0.0 : *pMax, 0, 'f', 1));
    print(QStringLiteral("  shared first step (fit suit with every morph): %1").arg(result.sharedMs, 0, 'f', 1));
    print(QStringLiteral("  in all, the batch call from start to end: %1").arg(result.wholeMs, 0, 'f', 0));
    print(QString());
    print(QStringLiteral("Fidelity: each new morph on the Genesis 9 (with the clone, posed and placed like the source) "
                         "against the source with only its source morph dialled, every vertex of each to the other, "
                         "both ways, in cm and in % of the source's %1 cm height:")
              .arg(double(result.heightCm), 0, 'f', 1));
    if (!result.fidelity.empty()) {
        printWorst(result, "largest distance", &MorphsJobResult::Fidelity::maxCm);
        printWorst(result, "root mean square", &MorphsJobResult::Fidelity::rmsCm);
    }
    print(QString());
    print(QStringLiteral("Pictures in %1:").arg(pictureDir));
    for (int i = 0; i < result.pictures.size(); ++i) {
        print(QStringLiteral("  ") + QFileInfo(result.pictures[i]).fileName());
        print(QStringLiteral("    ") + result.captions.value(i));
    }
}
