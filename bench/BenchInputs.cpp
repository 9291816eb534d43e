#include "BenchInputs.h"

#include "BenchUtil.h"

#include <QFile>

#include <cstdio>

QByteArray LogLine(quint32 &seed, bool ansi) {
  auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  static const char *const KMessages[] = {
      "sshd[%u]: Failed password for invalid user admin from 10.%u.%u.%u port %u ssh2",
      "kernel: [%u.%u] EXT4-fs (sda%u): mounted filesystem with ordered data mode %u.%u",
      "nginx[%u]: 192.168.%u.%u - - \"GET /index.html HTTP/1.1\" 200 %u \"-\" \"curl/%u\"",
      "cron[%u]: (root) CMD (run-parts /etc/cron.hourly) exit=%u pid=%u uid=%u gid=%u"};
  char text[256];
  const int n = std::snprintf(text, sizeof text, "2026-12-10T%02u:%02u:%02u.%03uZ host-%02u ", next() % 24, next() % 60,
                              next() % 60, next() % 1000, next() % 40);
  const int m = std::snprintf(text + n, sizeof text - n, KMessages[next() % 4], next() % 65536, next() % 256,
                              next() % 256, next() % 256, next() % 65536);
  QByteArray line(text, n + m);
  if (ansi) line.replace("user", "us\xE9r").replace("mode", "m\xF6" "de");
  line += '\n';
  return line;
}

QString WriteInput(const QString &name, qint64 size, const std::function<QByteArray(quint32 &, qint64)> &lineAt,
                   const QByteArray &mark) {
  const QString path = BenchScratchFolder() + u'/' + name;
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write bench input %s", qPrintable(path));
  QByteArray chunk = mark;
  quint32 seed = 12345;
  qint64 written = 0;
  for (qint64 index = 0; written + chunk.size() < size; ++index) {
    chunk += lineAt(seed, index);
    if (chunk.size() >= 1 << 20) {
      written += file.write(chunk);
      chunk.clear();
    }
  }
  file.write(chunk.left(size - written));
  return path;
}

