#pragma once

class QWidget;

// Runs one batch from the menu with the host's dialog parent: the selection (as the figure job
// checks it; the source need not have a morph dialled), the Convert morphs dialog on the source's
// catalogue, the batch and its results dialog. Throws tav::Exception on failure and
// tav::CanceledException when the user stops it.
void execConvertMorphs_X(QWidget* parent);
