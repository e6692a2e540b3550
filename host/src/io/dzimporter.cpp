#include "dzimporter.h"

DzImporter::DzImporter(QObject* parent) : QObject(parent) {}

DzImporter::~DzImporter() = default;

int DzImporter::getNumExtensions() const { return 1; }

void DzImporter::getDefaultOptions(DzFileIOSettings*) const {}
