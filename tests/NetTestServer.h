#pragma once
// A local HTTP and HTTPS server for tests, on 127.0.0.1 only: each path answers with a scripted
// page (status, headers, body, and how the body is framed and paced), and every request's head is
// kept for the test to read. No test reaches any other host.
#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <optional>

struct TServedPage {
  enum TFraming { Length, Chunked, UntilClose };
  int Status = 200;
  QByteArray ContentType = "text/html";
  QByteArray Body;
  QList<QByteArray> Headers;  // further "Name: value" lines
  TFraming Framing = Length;
  std::optional<qint64> AnnouncedLength;  // a Content-Length of its own, true or not
  int TrickleMs = 0;                      // the body a byte at a time, one every TrickleMs
  bool StallAfterHeaders = false;         // the headers, then nothing until the client gives up
};

inline TServedPage Redirect(const QUrl &to, int status = 302) {
  TServedPage page;
  page.Status = status;
  page.Headers << "Location: " + to.toEncoded();
  return page;
}

class TTestHttpServer : public QObject {
 public:
  // Without a certificate: plain HTTP. With one: HTTPS with that certificate and key.
  explicit TTestHttpServer(const QByteArray &certificatePem = {}, const QByteArray &keyPem = {}) {
    if (certificatePem.isEmpty()) {
      FServer = new QTcpServer(this);
    } else {
      auto *tls = new QSslServer(this);
      QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
      configuration.setLocalCertificate(QSslCertificate(certificatePem));
      configuration.setPrivateKey(QSslKey(keyPem, QSsl::Ec));
      configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
      tls->setSslConfiguration(configuration);
      FServer = tls;
      FScheme = "https";
    }
    QObject::connect(FServer, &QTcpServer::pendingConnectionAvailable, this, [this] {
      while (QTcpSocket *socket = FServer->nextPendingConnection()) Accept(socket);
    });
    if (!FServer->listen(QHostAddress::LocalHost)) qFatal("test server cannot listen");
  }

  void Serve(const QString &path, TServedPage page) { FPages.insert(path, std::move(page)); }
  QUrl Url(const QString &path) const {
    return QUrl(QString("%1://127.0.0.1:%2%3").arg(FScheme).arg(FServer->serverPort()).arg(path));
  }
  // The heads of the requests received so far, request line first.
  const QList<QByteArray> &Requests() const { return FRequests; }
  // Sockets still open (a stalled page keeps its own until the client leaves).
  int OpenConnections() const {
    int open = 0;
    for (const QPointer<QTcpSocket> &socket : FSockets)
      if (socket && socket->state() == QAbstractSocket::ConnectedState) ++open;
    return open;
  }

 private:
  void Accept(QTcpSocket *socket) {
    socket->setParent(this);
    FSockets << socket;
    auto *head = new QByteArray;
    QObject::connect(socket, &QObject::destroyed, [head] { delete head; });
    QObject::connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QIODevice::readyRead, socket, [this, socket, head] {
      if (head->endsWith("\r\n\r\n")) return;  // one request per connection
      *head += socket->readAll();
      if (!head->contains("\r\n\r\n")) return;
      head->truncate(head->indexOf("\r\n\r\n") + 4);
      FRequests << *head;
      const QList<QByteArray> requestLine = head->left(head->indexOf("\r\n")).split(' ');
      const QString path = requestLine.size() >= 2 ? QString::fromLatin1(requestLine[1]) : QString();
      Answer(socket, FPages.contains(path) ? FPages.value(path) : NotFound());
    });
  }

  static TServedPage NotFound() {
    TServedPage page;
    page.Status = 404;
    page.Body = "<title>Not Found</title>";
    return page;
  }

  void Answer(QTcpSocket *socket, const TServedPage &page) {
    QByteArray head = "HTTP/1.1 " + QByteArray::number(page.Status) + " Scripted\r\nConnection: close\r\n";
    if (!page.ContentType.isEmpty()) head += "Content-Type: " + page.ContentType + "\r\n";
    if (page.Framing == TServedPage::Length)
      head += "Content-Length: " + QByteArray::number(page.AnnouncedLength.value_or(page.Body.size())) + "\r\n";
    if (page.Framing == TServedPage::Chunked) head += "Transfer-Encoding: chunked\r\n";
    for (const QByteArray &header : page.Headers) head += header + "\r\n";
    socket->write(head + "\r\n");
    if (page.StallAfterHeaders) return;
    if (page.TrickleMs > 0) return Trickle(socket, page.Body, page.TrickleMs);
    if (page.Framing == TServedPage::Chunked) {
      for (qsizetype at = 0; at < page.Body.size(); at += 65536) {
        const QByteArray piece = page.Body.mid(at, 65536);
        socket->write(QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n");
      }
      socket->write("0\r\n\r\n");
    } else {
      socket->write(page.Body);
    }
    socket->disconnectFromHost();
  }

  void Trickle(QTcpSocket *socket, const QByteArray &body, int intervalMs) {
    auto *timer = new QTimer(socket);
    auto sent = std::make_shared<qsizetype>(0);
    QObject::connect(timer, &QTimer::timeout, socket, [socket, body, sent] {
      if (*sent >= body.size()) return socket->disconnectFromHost();
      socket->write(body.mid((*sent)++, 1));
    });
    timer->start(intervalMs);
  }

  QTcpServer *FServer = nullptr;
  QString FScheme = "http";
  QMap<QString, TServedPage> FPages;
  QList<QByteArray> FRequests;
  QList<QPointer<QTcpSocket>> FSockets;
};
