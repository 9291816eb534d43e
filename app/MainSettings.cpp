#include "MainSettings.h"

#include "highlight/LanguageTags.h"
#include "platform/SettingsStore.h"

#include <algorithm>

namespace {

// The settings from "FontName" to "ShowIndentGuide", in the order they are written. A size is
// clamped into its range; a choice outside its values keeps the default.
enum class TKind { Str, Size, Choice, Color, Bool };
struct TSetting {
  const char *Name;
  TKind Kind;
  int TMainSettings::*IntField = nullptr;
  bool TMainSettings::*BoolField = nullptr;
  QString TMainSettings::*StrField = nullptr;
  qint64 TMainSettings::*ColorField = nullptr;
  int Min = 0, Max = 0;
};

TSetting Str(const char *name, QString TMainSettings::*field) { return {name, TKind::Str, nullptr, nullptr, field}; }
TSetting Size(const char *name, int TMainSettings::*field, int min, int max) {
  return {name, TKind::Size, field, nullptr, nullptr, nullptr, min, max};
}
TSetting Choice(const char *name, int TMainSettings::*field, int last) {
  return {name, TKind::Choice, field, nullptr, nullptr, nullptr, 0, last};
}
TSetting Bool(const char *name, bool TMainSettings::*field) { return {name, TKind::Bool, nullptr, field}; }
TSetting Color(const char *name, qint64 TMainSettings::*field) {
  return {name, TKind::Color, nullptr, nullptr, nullptr, field};
}

const TSetting KSettings[] = {
    Str("FontName", &TMainSettings::FFontName),
    Size("FontSize", &TMainSettings::FFontSize, 4, 96),
    Color("BgColor", &TMainSettings::FBgColor),
    Bool("ZebraStripes", &TMainSettings::FZebraStripes),
    Str("NewDocEOL", &TMainSettings::FNewDocEOL),
    Choice("NewDocEnc", &TMainSettings::FNewDocEnc, 4),
    Choice("NewDocLangTag", &TMainSettings::FNewDocLangTag, KLastLangTag),
    Bool("IndentUseLangDefault", &TMainSettings::FIndentUseLangDefault),
    Size("IndentSize", &TMainSettings::FIndentSize, 1, 32),
    Bool("IndentUseTabs", &TMainSettings::FIndentUseTabs),
    Bool("IndentAutoIndent", &TMainSettings::FIndentAutoIndent),
    Size("HighlightLimitMB", &TMainSettings::FHighlightLimitMB, 0, 2048),
    Bool("SaveRecentFiles", &TMainSettings::FSaveRecentFiles),
    Bool("WarnLargeFiles", &TMainSettings::FWarnLargeFiles),
    Bool("AlwaysOnTop", &TMainSettings::FAlwaysOnTop),
    Bool("WordWrap", &TMainSettings::FWordWrap),
    Bool("LineNumbers", &TMainSettings::FShowLineNumbers),
    Size("RulerCol", &TMainSettings::FRightEdgeCol, 0, 1000),
    Bool("ScrollPastEol", &TMainSettings::FScrollPastEol),
    Bool("ShowToolbar", &TMainSettings::FShowToolbar),
    Bool("ShowStatusBar", &TMainSettings::FShowStatusBar),
    Bool("AutoCopySecTools", &TMainSettings::FAutoCopySecTools),
    Bool("PreserveAclsOnSave", &TMainSettings::FPreserveAclsOnSave),
    Bool("AutoLoadSession", &TMainSettings::FAutoLoadSession),
    Bool("ShowWhitespace", &TMainSettings::FShowWhitespace),
    Bool("ShowIndentGuide", &TMainSettings::FShowIndentGuide),
};

QString NameOf(const char *name) { return QString::fromLatin1(name); }

void ReadSetting(const TSettingsStore &store, const TSetting &s, TMainSettings &settings) {
  const QString name = NameOf(s.Name);
  switch (s.Kind) {
    case TKind::Str:
      settings.*s.StrField = store.ReadStr(name, settings.*s.StrField);
      break;
    case TKind::Bool:
      settings.*s.BoolField = store.ReadBool(name, settings.*s.BoolField);
      break;
    case TKind::Color: {
      const qint64 value = store.ReadInt(name, settings.*s.ColorField);
      if (value >= INT32_MIN && value <= UINT32_MAX) settings.*s.ColorField = value;
      break;
    }
    case TKind::Size:
      settings.*s.IntField = int(std::clamp<qint64>(store.ReadInt(name, settings.*s.IntField), s.Min, s.Max));
      break;
    case TKind::Choice: {
      const qint64 value = store.ReadInt(name, settings.*s.IntField);
      if (value >= s.Min && value <= s.Max) settings.*s.IntField = int(value);
      break;
    }
  }
}

void WriteSetting(TSettingsStore &store, const TSetting &s, const TMainSettings &settings) {
  const QString name = NameOf(s.Name);
  switch (s.Kind) {
    case TKind::Str: store.WriteStr(name, settings.*s.StrField); break;
    case TKind::Bool: store.WriteBool(name, settings.*s.BoolField); break;
    case TKind::Color: store.WriteInt(name, settings.*s.ColorField); break;
    case TKind::Size:
    case TKind::Choice: store.WriteInt(name, settings.*s.IntField); break;
  }
}

}  // namespace

bool LoadSettings(TSettingsStore &store, TMainSettings &settings, const QRect &currentBounds) {
  if (!store.OpenRead()) return false;
  const qint64 left = store.ReadInt(QStringLiteral("WinLeft"), currentBounds.left());
  const qint64 top = store.ReadInt(QStringLiteral("WinTop"), currentBounds.top());
  const qint64 width = store.ReadInt(QStringLiteral("WinWidth"), currentBounds.width());
  const qint64 height = store.ReadInt(QStringLiteral("WinHeight"), currentBounds.height());
  settings.FRestoreMaximized = store.ReadBool(QStringLiteral("WinMaximized"), false);
  constexpr qint64 KFar = 100000;  // beyond any screen: a damaged value
  if (width > 100 && height > 100 && width < KFar && height < KFar && qAbs(left) < KFar && qAbs(top) < KFar) {
    settings.FSavedBounds = QRect(int(left), int(top), int(width), int(height));
    settings.FHaveSavedBounds = true;
  }
  for (const TSetting &setting : KSettings) ReadSetting(store, setting, settings);
  if (settings.FNewDocEOL != u"\r\n" && settings.FNewDocEOL != u"\n" && settings.FNewDocEOL != u"\r")
    settings.FNewDocEOL = QStringLiteral("\r\n");
  if (settings.FFontName.trimmed().isEmpty()) settings.FFontName = QStringLiteral("Consolas");
  if (settings.FAutoLoadSession) settings.FSessionFiles = store.ReadList(QStringLiteral("SessionFiles"));
  if (settings.FSaveRecentFiles) {
    settings.FRecentFiles = store.ReadList(QStringLiteral("RecentFiles"));
    while (settings.FRecentFiles.size() > KMaxRecentFiles) settings.FRecentFiles.removeLast();
  }
  settings.FFindMatchCase = store.ReadBool(QStringLiteral("FindMatchCase"), true);
  settings.FFindWholeWord = store.ReadBool(QStringLiteral("FindWholeWord"), false);
  settings.FFindScopeAll = store.ReadBool(QStringLiteral("FindScopeAll"), false);
  const qint64 mode = store.ReadInt(QStringLiteral("FindMode"), 0);
  settings.FFindMode = mode >= 0 && mode <= 2 ? int(mode) : 0;
  settings.FFindStateLoaded = true;
  store.Close();
  return true;
}

void SaveSettings(TSettingsStore &store, const TMainSettings &settings, const TSettingsSnapshot &snapshot) {
  if (!store.OpenWrite()) return;
  if (!snapshot.NormalBounds.isNull()) {
    store.WriteInt(QStringLiteral("WinLeft"), snapshot.NormalBounds.left());
    store.WriteInt(QStringLiteral("WinTop"), snapshot.NormalBounds.top());
    store.WriteInt(QStringLiteral("WinWidth"), snapshot.NormalBounds.width());
    store.WriteInt(QStringLiteral("WinHeight"), snapshot.NormalBounds.height());
  }
  store.WriteBool(QStringLiteral("WinMaximized"), snapshot.Maximized);
  for (const TSetting &setting : KSettings) WriteSetting(store, setting, settings);
  if (settings.FSaveRecentFiles) store.WriteList(QStringLiteral("RecentFiles"), settings.FRecentFiles);
  else store.WriteStr(QStringLiteral("RecentFiles"), QString());
  if (settings.FAutoLoadSession) store.WriteList(QStringLiteral("SessionFiles"), snapshot.SessionFiles);
  else store.WriteStr(QStringLiteral("SessionFiles"), QString());
  if (snapshot.FindDialogExists) {
    store.WriteBool(QStringLiteral("FindMatchCase"), settings.FFindMatchCase);
    store.WriteBool(QStringLiteral("FindWholeWord"), settings.FFindWholeWord);
    store.WriteBool(QStringLiteral("FindScopeAll"), settings.FFindScopeAll);
    store.WriteInt(QStringLiteral("FindMode"), settings.FFindMode);
  }
  store.Close();
}
