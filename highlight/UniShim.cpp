#include "UniShim.h"

#include "LanguageRegistry.h"

TUniShim::TUniShim(QStringView key) : TUniHighlighter(LanguageByKey(key)), FKey(key.toString()) {}
