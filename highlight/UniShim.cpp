#include "UniShim.h"

#include "LanguageDefs.h"
#include "LanguageRegistry.h"

TUniShim::TUniShim(QStringView key) : TUniHighlighter(LanguageByKey(key)), FKey(key.toString()) {
  AttachIslands();
}

void TUniShim::AttachIslands() {
  // Each page highlighter has islands of its own; the shared JavaScript one is never used here.
  const QString name = LanguageName();
  const bool php = name.compare(u"PHP", Qt::CaseInsensitive) == 0;
  if (php || name.compare(u"HTML", Qt::CaseInsensitive) == 0)
    EnableHtmlIslands(LanguageByKey(u"JavaScript"), LanguageByKey(u"CSS"));
  if (php) EnablePhpIsland(PhpCodeLanguage());
}
