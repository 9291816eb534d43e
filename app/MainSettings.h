#pragma once
// Every persisted setting of the main window, with its default, and how it is read from and
// written to the settings store. Numbers are kept to a sensible range and an unknown choice reads
// as the default, so a damaged settings file can never start the program in a broken state.
#include <QRect>
#include <QString>
#include <QStringList>

class TSettingsStore;

// The system window colour, as the settings store keeps it.
constexpr qint64 KSystemWindowColor = -16777211;
constexpr int KMaxRecentFiles = 15;

struct TMainSettings {
  // Window placement.
  QRect FSavedBounds;
  bool FHaveSavedBounds = false;
  bool FRestoreMaximized = false;
  // Look and new documents.
  QString FFontName = QStringLiteral("Consolas");
  int FFontSize = 10;
  qint64 FBgColor = KSystemWindowColor;
  bool FZebraStripes = false;
  QString FNewDocEOL = QStringLiteral("\r\n");
  int FNewDocEnc = 1;
  int FNewDocLangTag = 0;
  // Indentation.
  bool FIndentUseLangDefault = true;
  int FIndentSize = 4;
  bool FIndentUseTabs = false;
  bool FIndentAutoIndent = true;
  // Files.
  int FHighlightLimitMB = 25;
  bool FSaveRecentFiles = true;
  bool FWarnLargeFiles = true;
  // View.
  bool FAlwaysOnTop = false;
  bool FWordWrap = false;
  bool FShowLineNumbers = true;
  int FRightEdgeCol = 0;
  bool FScrollPastEol = false;
  bool FShowToolbar = true;
  bool FShowStatusBar = true;
  bool FAutoCopySecTools = true;
  bool FPreserveAclsOnSave = false;
  bool FAutoLoadSession = false;
  bool FShowWhitespace = false;
  bool FShowIndentGuide = true;
  // Lists.
  QStringList FRecentFiles;
  QStringList FSessionFiles;
  // The find dialog's last state.
  bool FFindMatchCase = true;
  bool FFindWholeWord = false;
  bool FFindScopeAll = false;
  int FFindMode = 0;
  bool FFindStateLoaded = false;
};

// Reads everything over the defaults already in settings; currentBounds stands in for a missing
// placement. False when nothing was stored (first start): settings keep their defaults.
bool LoadSettings(TSettingsStore &store, TMainSettings &settings, const QRect &currentBounds);

// What SaveSettings writes besides the fields: the window's normal rectangle and state, the
// session's file names, and the find dialog's state when it exists in this run.
struct TSettingsSnapshot {
  QRect NormalBounds;  // null when the placement cannot be had
  bool Maximized = false;
  QStringList SessionFiles;
  bool FindDialogExists = false;
};
void SaveSettings(TSettingsStore &store, const TMainSettings &settings, const TSettingsSnapshot &snapshot);
