#pragma once
// THttpFetch: the one way the program fetches a web page. A GET over http or https only, with the
// profile's user agent, time-outs, redirect limit and size limit; the server's certificate is
// checked as the system checks it, and a rejected one is reported with what is wrong with it, so
// the user may accept that one certificate of that one host for one more try. Each fetch has its
// own network manager, so no cookie or connection carries from one fetch to the next.
#include <QByteArray>
#include <QObject>
#include <QSslCertificate>
#include <QStringList>
#include <QUrl>

#include <optional>

class QNetworkAccessManager;
class QNetworkReply;
class QSslError;
class QTimer;

struct TFetchProfile {
  QByteArray UserAgent = QByteArrayLiteral(
      "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/120.0.0.0 Safari/537.36");
  int ConnectTimeoutMs = 8000;   // until the response's headers arrive
  int ResponseTimeoutMs = 8000;  // between two pieces of the body
  int DeadlineMs = 60000;        // the whole fetch, so a server trickling a byte at a time ends too
  int MaxRedirects = 5;
  // Announced or received, more than this many bytes of body makes the fetch too large.
  qint64 SizeLimit = 5242880;
};

// A certificate the user accepted, after seeing its problems, for one fetch from its host.
struct TCertificateException {
  QString Host;
  QSslCertificate Certificate;
};

struct TFetchRequest {
  QUrl Url;
  TFetchProfile Profile;
  std::optional<TCertificateException> TrustOnce;
};

enum class TFetchStatus : quint8 {
  Ok,                   // a response arrived; an error page (404, 500) is a response too
  TooLarge,             // the size limit was passed; no body
  Failed,               // no response: Error says why
  CertificateRejected,  // the server's certificate was not accepted: Error, Host, Certificate say why
};

struct TFetchResult {
  TFetchStatus Status = TFetchStatus::Failed;
  int HttpStatus = 0;
  QByteArray Body;
  QByteArray ContentType;
  QString Error;
  QString Host;
  QSslCertificate Certificate;
  QStringList CertificateProblems;
};

class THttpFetch : public QObject {
  Q_OBJECT

 public:
  // Starts at once. Finished is emitted exactly once, later (never from within Start), and then
  // the fetch deletes itself; deleting it (or its parent) before that stops it without a report.
  static THttpFetch *Start(TFetchRequest request, QObject *parent);

 Q_SIGNALS:
  void Finished(const TFetchResult &result);

 private:
  THttpFetch(TFetchRequest request, QObject *parent);
  void Begin();
  void Send(const QUrl &url);
  void HeadersArrived();
  void BodyArrived();
  void FollowRedirect();
  void CertificateErrors(const QList<QSslError> &errors);
  void ReplyFinished();
  // Stops the transfer and reports result.
  void Conclude(TFetchResult result);
  void Fail(const QString &message);

  TFetchRequest FRequest;
  QNetworkAccessManager *FManager = nullptr;
  QNetworkReply *FReply = nullptr;
  QTimer *FIdle = nullptr;
  QTimer *FDeadline = nullptr;
  QByteArray FBody;
  int FRedirects = 0;
  bool FConcluded = false;
  TFetchResult FCertificateRejection;
};
