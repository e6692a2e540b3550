#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// What the morphs job saw and measured.
struct MorphsJobResult {
    // One converted morph against the source with only its source morph dialled.
    struct Fidelity {
        QString morph;  // the new morph's name
        double rmsCm = 0;
        double maxCm = 0;
    };

    QString sourceLabel;
    int cCatalogue = 0;            // the source's morphs, every one of them converted
    QStringList made;              // the new morphs
    QStringList skipped;           // source morphs that change nothing
    double sharedMs = 0;           // the batch's first step, what every morph shares
    std::vector<double> perMorphMs;  // each morph's own step, in order
    double wholeMs = 0;            // the whole call, from the script's view
    std::vector<Fidelity> fidelity;  // one per new morph
    float heightCm = 0;            // the source's height
    QStringList pictures;          // the files written
    QStringList captions;          // what each picture shows
};

// Converts every morph of the sample scene's source onto its Genesis 9 through the scripts' batch
// call, then judges each new morph against the source with only that morph dialled and renders
// three of them into `pictureDir`. False with the reason in `error` when something goes wrong.
bool runMorphsJob(const QString& pictureDir, MorphsJobResult* pResult, QString* error);
