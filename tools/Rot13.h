#pragma once
#include <QString>

// ASCII letters move 13 places round the alphabet; everything else is copied.
QString Rot13(QStringView text);
