#include "HttpFetch.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslConfiguration>
#include <QSslError>
#include <QTimer>

namespace {

bool IsWebScheme(const QString &scheme) { return scheme == u"http" || scheme == u"https"; }

int StatusOf(const QNetworkReply *reply) { return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(); }

// The statuses a browser follows, with somewhere to go.
bool IsRedirect(const QNetworkReply *reply) {
  const int status = StatusOf(reply);
  return (status == 301 || status == 302 || status == 303 || status == 307 || status == 308) &&
         reply->hasRawHeader("Location");
}

QString SizeLimitMessage() { return QStringLiteral("The page is larger than the size limit."); }

}  // namespace

THttpFetch *THttpFetch::Start(TFetchRequest request, QObject *parent) {
  auto *fetch = new THttpFetch(std::move(request), parent);
  QTimer::singleShot(0, fetch, &THttpFetch::Begin);
  return fetch;
}

THttpFetch::THttpFetch(TFetchRequest request, QObject *parent) : QObject(parent), FRequest(std::move(request)) {}

void THttpFetch::Begin() {
  const QUrl &url = FRequest.Url;
  if (!url.isValid() || !IsWebScheme(url.scheme()) || url.host().isEmpty())
    return Fail(QStringLiteral("Only http and https addresses can be fetched."));
  FManager = new QNetworkAccessManager(this);
  FIdle = new QTimer(this);
  FIdle->setSingleShot(true);
  connect(FIdle, &QTimer::timeout, this, [this] { Fail(QStringLiteral("The server did not answer in time.")); });
  FDeadline = new QTimer(this);
  FDeadline->setSingleShot(true);
  connect(FDeadline, &QTimer::timeout, this, [this] { Fail(QStringLiteral("The page took too long to arrive.")); });
  FDeadline->start(FRequest.Profile.DeadlineMs);
  Send(url);
}

void THttpFetch::Send(const QUrl &url) {
  QNetworkRequest request(url);
  request.setHeader(QNetworkRequest::UserAgentHeader, FRequest.Profile.UserAgent);
  // Asking for the body as it is keeps the size limit on the bytes themselves: a compressed body
  // could unpack to any size.
  request.setRawHeader("Accept-Encoding", "identity");
  // Redirects are followed here, where each target's scheme is checked before it is asked.
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
  FIdle->start(FRequest.Profile.ConnectTimeoutMs);
  if (FReply) FReply->deleteLater();
  FBody.clear();
  FReply = FManager->get(request);
  connect(FReply, &QNetworkReply::metaDataChanged, this, &THttpFetch::HeadersArrived);
  connect(FReply, &QNetworkReply::readyRead, this, &THttpFetch::BodyArrived);
  connect(FReply, &QNetworkReply::sslErrors, this, &THttpFetch::CertificateErrors);
  connect(FReply, &QNetworkReply::finished, this, &THttpFetch::ReplyFinished);
}

void THttpFetch::HeadersArrived() {
  if (FConcluded) return;
  FIdle->start(FRequest.Profile.ResponseTimeoutMs);
  if (IsRedirect(FReply)) return;  // a redirect's own headers say nothing of the page
  const QVariant length = FReply->header(QNetworkRequest::ContentLengthHeader);
  if (length.isValid() && length.toLongLong() > FRequest.Profile.SizeLimit) {
    TFetchResult result;
    result.Status = TFetchStatus::TooLarge;
    result.HttpStatus = StatusOf(FReply);
    result.Error = SizeLimitMessage();
    return Conclude(std::move(result));
  }
  const QByteArray encoding = FReply->rawHeader("Content-Encoding").trimmed().toLower();
  if (!encoding.isEmpty() && encoding != "identity")
    return Fail(QStringLiteral("The server sent a compressed page although none was asked for."));
}

void THttpFetch::BodyArrived() {
  if (FConcluded) return;
  FIdle->start(FRequest.Profile.ResponseTimeoutMs);
  if (IsRedirect(FReply)) {
    FReply->readAll();  // a redirect's own body is no part of the page
    return;
  }
  const qint64 room = FRequest.Profile.SizeLimit + 1 - FBody.size();
  FBody += FReply->read(room);
  if (FBody.size() > FRequest.Profile.SizeLimit) {
    TFetchResult result;
    result.Status = TFetchStatus::TooLarge;
    result.HttpStatus = StatusOf(FReply);
    result.Error = SizeLimitMessage();
    Conclude(std::move(result));
  }
}

void THttpFetch::FollowRedirect() {
  const QUrl from = FReply->url();
  const QUrl to = from.resolved(QUrl::fromEncoded(FReply->rawHeader("Location").trimmed()));
  if (!IsWebScheme(to.scheme()) || to.host().isEmpty())
    return Fail(QStringLiteral("The page redirected to an address that is not http or https."));
  if (from.scheme() == u"https" && to.scheme() == u"http")
    return Fail(QStringLiteral("The page redirected from https to plain http."));
  if (++FRedirects > FRequest.Profile.MaxRedirects) return Fail(QStringLiteral("The page redirected too many times."));
  Send(to);
}

void THttpFetch::CertificateErrors(const QList<QSslError> &errors) {
  if (FConcluded) return;
  const QString host = FReply->url().host();
  const QSslCertificate peer = FReply->sslConfiguration().peerCertificate();
  const std::optional<TCertificateException> &exception = FRequest.TrustOnce;
  if (exception && !peer.isNull() && exception->Host == host && exception->Certificate == peer) {
    FReply->ignoreSslErrors(errors);
    return;
  }
  // The reply fails after this; the report names the problems rather than the handshake.
  FCertificateRejection.Status = TFetchStatus::CertificateRejected;
  FCertificateRejection.Host = host;
  FCertificateRejection.Certificate = peer;
  for (const QSslError &error : errors) FCertificateRejection.CertificateProblems << error.errorString();
  FCertificateRejection.Error = QStringLiteral("The certificate of %1 is not trusted: %2")
                                    .arg(host, FCertificateRejection.CertificateProblems.join(QStringLiteral("; ")));
}

void THttpFetch::ReplyFinished() {
  if (FConcluded) return;
  if (FCertificateRejection.Status == TFetchStatus::CertificateRejected) return Conclude(FCertificateRejection);
  if (FReply->error() == QNetworkReply::NoError && IsRedirect(FReply)) return FollowRedirect();
  const int status = StatusOf(FReply);
  const QNetworkReply::NetworkError error = FReply->error();
  // An HTTP error status still delivers a page (a 404 page is shown like any other).
  const bool errorPage =
      status >= 400 && error >= QNetworkReply::ContentAccessDenied && error <= QNetworkReply::UnknownServerError;
  if (error != QNetworkReply::NoError && !errorPage) return Fail(FReply->errorString());
  BodyArrived();
  if (FConcluded) return;
  TFetchResult result;
  result.Status = TFetchStatus::Ok;
  result.HttpStatus = status;
  result.Body = std::move(FBody);
  result.ContentType = FReply->rawHeader("Content-Type");
  Conclude(std::move(result));
}

void THttpFetch::Fail(const QString &message) {
  TFetchResult result;
  result.Status = TFetchStatus::Failed;
  result.Error = message;
  Conclude(std::move(result));
}

void THttpFetch::Conclude(TFetchResult result) {
  if (FConcluded) return;
  FConcluded = true;
  if (FIdle) FIdle->stop();
  if (FDeadline) FDeadline->stop();
  if (FReply) {
    FReply->disconnect(this);
    FReply->abort();
  }
  deleteLater();
  Q_EMIT Finished(result);
}
