#pragma once
// The registry of highlighted languages: a key names the routine that builds its definition.
#include "UniLanguage.h"

#include <QStringList>

// Builds the definition registered under key (compared ignoring case). Throws
// std::invalid_argument "Unknown language: <key>" for a key that is not registered.
TUniLanguage LanguageByKey(QStringView key);
// The 41 registered keys in registry order.
QStringList LanguageKeys();
