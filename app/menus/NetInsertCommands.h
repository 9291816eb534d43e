#pragma once
// The network inserts of the "Insert" submenu: the public address, a website's address, the name
// of an address, a page's title or meta description. The slow part runs in the background; its
// result goes to the document the command started in (a document closed meanwhile gets nothing),
// each request carrying its own result, so two at once never mix.
#include "Command.h"
#include "app/DocId.h"
#include "platform/HttpFetch.h"

#include <QObject>
#include <QUrl>

#include <functional>
#include <memory>
#include <vector>

class TCommandContext;
class TResolver;

class TNetInsertCommands : public QObject {
 public:
  explicit TNetInsertCommands(TCommandContext &context);
  ~TNetInsertCommands() override;

  std::vector<TCommand> Commands();
  static QStringList Items();

  // Where answers come from; tests point these at their own server and resolver.
  QUrl MyIpService;
  std::shared_ptr<TResolver> Resolver;
  TFetchProfile PageProfile;
  // A title or description fetch is running: both commands wait for it.
  bool UrlExtractBusy() const { return FUrlExtractBusy; }

  void cmInsMyIPClick();
  void cmInsWebsiteIPClick();
  void cmInsIPHostClick();
  // mode 0 the page title, 1 the meta description.
  void StartUrlExtract(int mode);

 private:
  // Runs lookup on a worker thread, then inserts its text into doc, or shows failure when empty.
  void RunLookup(TDocId doc, std::function<QString()> lookup, const QString &failure);
  void ApplyUrlExtract(TDocId doc, int mode, const TFetchResult &result);
  // Inserts into doc, or shows failure when text is empty; nothing when doc is gone.
  void Finish(TDocId doc, const QString &text, const QString &failure);

  TCommandContext &FContext;
  bool FUrlExtractBusy = false;
};
