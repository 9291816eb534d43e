#include "NetInsertCommands.h"

#include "CommandContext.h"
#include "InsertText.h"
#include "WebSites.h"
#include "app/DocList.h"
#include "platform/MessageBox.h"
#include "platform/Prompts.h"
#include "platform/Resolver.h"
#include "tools/net/HostInput.h"
#include "tools/net/HtmlFacts.h"
#include "tools/net/PageText.h"
#include "tools/net/WebAddress.h"

#include <QApplication>
#include <QFutureWatcher>
#include <QtConcurrent>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString KMyIpFailed = u"Failed to retrieve your IP address."_s;
const QString KWebsiteIpFailed = u"Failed to get IP from website."_s;
const QString KIpHostFailed = u"Failed to get IP hostname."_s;
const QString KFetchFailed = u"Failed to fetch remote URL"_s;
const QString KTooLarge = u"Remote content is higher than 5MB limit."_s;

// The answer of the address service is a few bytes; anything longer is not an address.
constexpr qint64 KMyIpBodyLimit = 1024;

// The busy cursor and the busy flag of a title or description fetch, given back however the
// fetch ends, also when it is dropped unreported with its window.
class TUrlExtractRun {
 public:
  explicit TUrlExtractRun(bool &busy) : FBusy(busy) {
    FBusy = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ~TUrlExtractRun() {
    QApplication::restoreOverrideCursor();
    FBusy = false;
  }
  Q_DISABLE_COPY_MOVE(TUrlExtractRun)

 private:
  bool &FBusy;
};

}  // namespace

TNetInsertCommands::TNetInsertCommands(TCommandContext &context)
    : MyIpService(KMyIpService), Resolver(SystemResolver()), FContext(context) {}

// Fetches stop and lookup watchers go while this is whole (a fetch's end gives back the busy
// flag); a lookup still running finishes on its thread and delivers nothing.
TNetInsertCommands::~TNetInsertCommands() {
  const QObjectList running = children();
  qDeleteAll(running);
}

QStringList TNetInsertCommands::Items() {
  return {u"cmInsMyIP"_s, u"cmInsWebsiteIP"_s, u"cmInsIPHost"_s, u"cmInsUrlTitle"_s, u"cmInsUrlMetaDesc"_s};
}

std::vector<TCommand> TNetInsertCommands::Commands() {
  return {
      {u"cmInsMyIP"_s, u"My IP Address"_s, {}, [this] { cmInsMyIPClick(); }, {}, {}},
      {u"cmInsWebsiteIP"_s, u"Website IP Address"_s, {}, [this] { cmInsWebsiteIPClick(); }, {}, {}},
      {u"cmInsIPHost"_s, u"IP to Hostname"_s, {}, [this] { cmInsIPHostClick(); }, {}, {}},
      {u"cmInsUrlTitle"_s, u"URL Page Title"_s, {}, [this] { StartUrlExtract(0); }, {}, {}},
      {u"cmInsUrlMetaDesc"_s, u"URL Meta Description"_s, {}, [this] { StartUrlExtract(1); }, {}, {}},
  };
}

void TNetInsertCommands::Finish(TDocId doc, const QString &text, const QString &failure) {
  if (!FContext.Docs().Find(doc)) return;
  if (text.isEmpty()) ShowError(FContext.DialogParent(), failure);
  else InsertIntoDoc(FContext, doc, text);
}

void TNetInsertCommands::cmInsMyIPClick() {
  const TDocId doc = ActiveDocId(FContext);
  if (doc == KNoDoc) return;
  TFetchProfile profile = PageProfile;
  profile.SizeLimit = KMyIpBodyLimit;
  THttpFetch *fetch = THttpFetch::Start({MyIpService, profile, {}}, this);
  connect(fetch, &THttpFetch::Finished, this, [this, doc](const TFetchResult &result) {
    const bool answered = result.Status == TFetchStatus::Ok && result.HttpStatus == 200;
    Finish(doc, answered ? ParseMyIpBody(result.Body).value_or(QString()) : QString(), KMyIpFailed);
  });
}

void TNetInsertCommands::RunLookup(TDocId doc, std::function<QString()> lookup, const QString &failure) {
  auto *watcher = new QFutureWatcher<QString>(this);
  connect(watcher, &QFutureWatcher<QString>::finished, this, [this, watcher, doc, failure] {
    watcher->deleteLater();
    Finish(doc, watcher->result(), failure);
  });
  watcher->setFuture(QtConcurrent::run(std::move(lookup)));
}

void TNetInsertCommands::cmInsWebsiteIPClick() {
  const TDocId doc = ActiveDocId(FContext);
  if (doc == KNoDoc) return;
  const std::optional<QString> answer = AskText(FContext.DialogParent(), u"Website IP Address"_s,
                                                u"Website address (e.g. example.com):"_s, QString());
  if (!answer) return;
  const TWebsiteHost host = NormalizeWebsiteHost(*answer);
  switch (host.Kind) {
    case TWebsiteKind::Nothing: return;
    case TWebsiteKind::Invalid: return Finish(doc, QString(), KWebsiteIpFailed);
    case TWebsiteKind::Address: return Finish(doc, host.Text, KWebsiteIpFailed);
    case TWebsiteKind::HostName:
      return RunLookup(
          doc, [resolver = Resolver, name = host.Text] { return PickWebsiteAddress(resolver->Addresses(name)); },
          KWebsiteIpFailed);
  }
}

void TNetInsertCommands::cmInsIPHostClick() {
  const TDocId doc = ActiveDocId(FContext);
  if (doc == KNoDoc) return;
  const std::optional<QString> answer =
      AskText(FContext.DialogParent(), u"IP to Hostname"_s, u"IP address (e.g. 8.8.8.8):"_s, QString());
  if (!answer || answer->trimmed().isEmpty()) return;
  const std::optional<QString> address = ParseIpAddress(answer->trimmed());
  if (!address) return Finish(doc, QString(), KIpHostFailed);
  RunLookup(
      doc, [resolver = Resolver, address = *address] { return CheckedHostName(resolver->NameOf(address)); },
      KIpHostFailed);
}

void TNetInsertCommands::StartUrlExtract(int mode) {
  const TDocId doc = ActiveDocId(FContext);
  if (doc == KNoDoc || FUrlExtractBusy) return;
  const std::optional<QString> answer =
      AskText(FContext.DialogParent(), mode == 0 ? u"Insert URL Page Title"_s : u"Insert URL Meta Description"_s,
              u"Enter URL:"_s, u"https://"_s);
  if (!answer || FUrlExtractBusy) return;
  const std::optional<QString> address = PageAddressFromInput(*answer);
  if (!address) return;
  THttpFetch *fetch = THttpFetch::Start({QUrl(*address), PageProfile, {}}, this);
  auto run = std::make_shared<TUrlExtractRun>(FUrlExtractBusy);
  connect(fetch, &THttpFetch::Finished, this, [this, doc, mode, run](const TFetchResult &result) mutable {
    run.reset();  // the next fetch may start from the message box on
    ApplyUrlExtract(doc, mode, result);
  });
}

void TNetInsertCommands::ApplyUrlExtract(TDocId doc, int mode, const TFetchResult &result) {
  if (!FContext.Docs().Find(doc)) return;
  switch (result.Status) {
    case TFetchStatus::TooLarge: return ShowError(FContext.DialogParent(), KTooLarge);
    case TFetchStatus::Failed:
    case TFetchStatus::CertificateRejected: return ShowError(FContext.DialogParent(), KFetchFailed);
    case TFetchStatus::Ok: break;
  }
  const QString page = DecodePageBody(result.Body, result.ContentType);
  const QString text = mode == 0 ? ExtractHtmlTitle(page) : ExtractMetaDescription(page);
  if (text.isEmpty())
    ShowError(FContext.DialogParent(), mode == 0 ? u"URL page title not found or failed to extract."_s
                                                 : u"URL meta description not found or failed to extract."_s);
  else InsertIntoDoc(FContext, doc, text);
}
