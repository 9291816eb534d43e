#include "Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

// Asking X11 whether the clipboard holds text can block, and menus ask often: the answer is kept
// until the clipboard reports a change.
struct THasTextCache {
  bool Known = false;
  bool HasText = false;

  THasTextCache() {
    QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, QGuiApplication::clipboard(),
                     [this] { Known = false; });
  }
};

THasTextCache &HasTextCache() {
  static THasTextCache cache;
  return cache;
}

}  // namespace

bool ClipboardHasText() {
  THasTextCache &cache = HasTextCache();
  if (!cache.Known) {
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    cache.HasText = data && data->hasText();
    cache.Known = true;
  }
  return cache.HasText;
}

QString ClipboardText() { return QGuiApplication::clipboard()->text(); }

void SetClipboardText(const QString &text) { QGuiApplication::clipboard()->setText(text); }
