#include "dzexporter.h"

DzExporter::DzExporter(QObject* parent) : QObject(parent) {}

DzExporter::~DzExporter() = default;

void DzExporter::getDefaultOptions(DzFileIOSettings*) const {}
