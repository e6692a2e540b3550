#pragma once

#include <QString>

class QWidget;

// Draws a shown window, laid out and painted as a person would see it, into a PNG file (its
// folder made when missing). False with the reason in `error` when the file cannot be written.
bool saveWindowScreenshot(QWidget* window, const QString& filePath, QString* error);
