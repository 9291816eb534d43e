#pragma once
// The small questions the tools ask: a line of text, a colour, a file to open or to save. Like the
// message boxes, they all go through here, so tests answer them by script and none blocks a run.
#include <QColor>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

enum class TPromptKind : quint8 { Text, Color, OpenFile, SaveFile };

struct TPromptRequest {
  TPromptKind Kind = TPromptKind::Text;
  QString Title;
  QString Label;          // Text: the prompt above the box
  QString Initial;        // Text: the box's text; Color: "#rrggbb"; files: where the dialog starts
  QString Filter;         // files: "Text files (*.txt);;All files (*)"
  QString DefaultSuffix;  // SaveFile: added to a name typed without one
};

// The answer, or nullopt when the user cancelled. A colour is answered as "#rrggbb".
std::optional<QString> AskUserFor(QWidget *parent, const TPromptRequest &request);

std::optional<QString> AskText(QWidget *parent, const QString &title, const QString &label, const QString &initial);
std::optional<QColor> AskColor(QWidget *parent, const QColor &initial);
// An existing file; nullopt when cancelled.
std::optional<QString> AskOpenFile(QWidget *parent, const QString &title, const QString &filter,
                                   const QString &startFolder = QString());
// A file to write, after the overwrite question; nullopt when cancelled.
std::optional<QString> AskSaveFile(QWidget *parent, const QString &title, const QString &filter,
                                   const QString &defaultSuffix);

// Tests install an answerer that takes every request instead of a dialog; null restores dialogs.
using TPromptAnswerer = std::function<std::optional<QString>(const TPromptRequest &)>;
void SetPromptAnswerer(TPromptAnswerer answerer);
