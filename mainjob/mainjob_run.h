#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include "step_clock.h"

class DzFigure;

// What the main job saw and measured.
struct MainJobResult {
    QString reportText;           // the Success dialog as text, the measured time beside its own
    QStringList morphs;           // the new morphs, as the Success dialog lists them
    QString targetLabel;          // the Genesis 9's label after the job
    StepClock::Laps steps;        // each step's time
    double wholeMs = 0;           // from the Convert press to the Success dialog
    double rmsCm = 0;             // two-sided distance of the converted Genesis 9 to the source
    double maxCm = 0;
    float heightCm = 0;           // the source's height
    QStringList pictures;         // the files written
    QStringList captions;         // what each picture shows
};

// Converts the sample scene as a user would: both figures selected, the convert action, Convert
// with the default choices once the dialog has settled, the Success dialog read and closed.
// Then measures the result and renders the pictures into `pictureDir`. Returns false with the
// reason in `error` when something a user would see go wrong does.
bool runMainJob(const QString& pictureDir, MainJobResult* pResult, QString* error);
