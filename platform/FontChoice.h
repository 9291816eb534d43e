#pragma once
// Fonts named after Windows faces: the named font when installed, else the platform's own.
#include <QFont>
#include <QString>

// A fixed-pitch font: family when installed, else the system fixed font, at pointSize points.
QFont ChooseFixedFont(const QString &family, int pointSize);
