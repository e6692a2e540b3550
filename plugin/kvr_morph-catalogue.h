#pragma once

#include <string>
#include <vector>

#include "kvr_morph-batch.h"
#include "tv_daz-helpers-scene.h"

class DzFigure;

// What the Convert morphs dialog lists and how it names what each morph becomes.

// The source's morphs in catalogue order (the figure's own morph properties, as the Convert
// dialog's active-morph list reads them), each with its label, property group path and value.
std::vector<KvrSourceMorph> SourceMorphCatalogue(DzFigure* pfigSource);

// "G3F", "G3M", "G8F", "G8M", "G8.1F", "G8.1M"; empty for any other kind.
std::string SourceShortName(tav::daz::FigureKind eKind);

// The pattern with {label} and {source} replaced ("{label} ({source})", "/Kelvaro/Converted/{source}").
// Any other text, braces included, is kept as typed.
std::string ExpandMorphPattern(const std::string& pattern, const KvrSourceMorph& morph, const std::string& shortName);
