#include "Prompts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>

namespace {

TPromptAnswerer &Answerer() {
  static TPromptAnswerer answerer;
  return answerer;
}

std::optional<QString> ShowDialog(QWidget *parent, const TPromptRequest &request) {
  switch (request.Kind) {
    case TPromptKind::Text: {
      bool ok = false;
      const QString text =
          QInputDialog::getText(parent, request.Title, request.Label, QLineEdit::Normal, request.Initial, &ok);
      return ok ? std::optional<QString>(text) : std::nullopt;
    }
    case TPromptKind::Color: {
      const QColor color = QColorDialog::getColor(QColor(request.Initial), parent, request.Title);
      return color.isValid() ? std::optional<QString>(color.name()) : std::nullopt;
    }
    case TPromptKind::OpenFile: {
      const QString path = QFileDialog::getOpenFileName(parent, request.Title, request.Initial, request.Filter);
      return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
    }
    case TPromptKind::SaveFile: {
      QFileDialog dialog(parent, request.Title, request.Initial, request.Filter);
      dialog.setAcceptMode(QFileDialog::AcceptSave);
      dialog.setFileMode(QFileDialog::AnyFile);
      dialog.setDefaultSuffix(request.DefaultSuffix);
      if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
      return dialog.selectedFiles().first();
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<QString> AskUserFor(QWidget *parent, const TPromptRequest &request) {
  if (Answerer()) return Answerer()(request);
  return ShowDialog(parent, request);
}

std::optional<QString> AskText(QWidget *parent, const QString &title, const QString &label, const QString &initial) {
  return AskUserFor(parent, {TPromptKind::Text, title, label, initial, {}, {}});
}

std::optional<QColor> AskColor(QWidget *parent, const QColor &initial) {
  const std::optional<QString> answer = AskUserFor(parent, {TPromptKind::Color, {}, {}, initial.name(), {}, {}});
  if (!answer) return std::nullopt;
  const QColor color(*answer);
  return color.isValid() ? std::optional<QColor>(color) : std::nullopt;
}

std::optional<QString> AskOpenFile(QWidget *parent, const QString &title, const QString &filter,
                                   const QString &startFolder) {
  return AskUserFor(parent, {TPromptKind::OpenFile, title, {}, startFolder, filter, {}});
}

std::optional<QString> AskSaveFile(QWidget *parent, const QString &title, const QString &filter,
                                   const QString &defaultSuffix) {
  return AskUserFor(parent, {TPromptKind::SaveFile, title, {}, {}, filter, defaultSuffix});
}

void SetPromptAnswerer(TPromptAnswerer answerer) { Answerer() = std::move(answerer); }
