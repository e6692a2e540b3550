#pragma once

struct KvrConversion;

// Steps 2 to 8: the source's shape made a morph of a stock mesh of its own generation. The
// source is exported twice (the second file is the converted shape), the generation's stock
// figure is loaded, exported, removed and imported again as a plain mesh, and Morph Loader Pro
// makes the converted shape a morph of that mesh, dialled to 1.
void exportSource(KvrConversion& c);
void loadStockFigureStep(KvrConversion& c);
void exportStockFigure(KvrConversion& c);
void removeStockFigure(KvrConversion& c);
void importStockMesh(KvrConversion& c);
void createConvertedMorph(KvrConversion& c);
void dialConvertedMorph(KvrConversion& c);
