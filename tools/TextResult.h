#pragma once
// What a text tool hands back: its result, or the message of why it could not make one. The
// caller shows "<title> failed: <message>" and leaves the document as it was.
#include <QString>
#include <QStringView>

#include <exception>
#include <functional>
#include <new>
#include <utility>

template <typename T>
class TResult {
 public:
  static TResult Success(T value) { return TResult(std::move(value), QString(), true); }
  static TResult Failure(QString message) { return TResult(T(), std::move(message), false); }

  bool IsOk() const { return FOk; }
  const T &Value() const { return FValue; }
  T TakeValue() { return std::move(FValue); }
  const QString &Error() const { return FError; }

 private:
  TResult(T value, QString error, bool ok) : FValue(std::move(value)), FError(std::move(error)), FOk(ok) {}

  T FValue;
  QString FError;
  bool FOk;
};

using TTextResult = TResult<QString>;

// A conversion of a whole text (an encoder, a decoder, a hash).
using TTextTransform = std::function<TTextResult(QStringView text)>;

// Runs work and turns an exception escaping it (out of memory on a huge text, a failing library)
// into a failed result: under Qt an exception that reaches the event loop ends the program.
template <typename TWork>
auto CatchToolErrors(TWork &&work) -> decltype(work()) {
  using TOut = decltype(work());
  try {
    return work();
  } catch (const std::bad_alloc &) {
    return TOut::Failure(QStringLiteral("Not enough memory."));
  } catch (const std::exception &error) {
    return TOut::Failure(QString::fromLocal8Bit(error.what()));
  } catch (...) {
    return TOut::Failure(QStringLiteral("An unexpected error occurred."));
  }
}
