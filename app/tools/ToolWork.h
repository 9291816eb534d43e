#pragma once
// Running a text tool's rule away from the window. The rule works on its own copy of the text on a
// worker thread while the window waits without taking input, so a hand-off, a key or a click
// cannot change the target meanwhile. A rule that takes longer than KToolProgressDelayMs shows a
// modal busy bar with Cancel; cancelling drops whatever the rule makes, so the document stays as
// it was.
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

constexpr int KToolProgressDelayMs = 300;
// The busy box's object name, for tests that press its Cancel.
inline const QString KToolProgressName = QStringLiteral("ToolProgress");

// Runs work on a worker; false when the user cancelled. A cancelled work runs on to its end, so it
// must touch nothing but what it owns.
bool RunToolWork(QWidget *parent, const QString &label, std::function<void()> work);

// The value work makes, or nullopt when cancelled.
template <typename TWork>
auto RunToolRule(QWidget *parent, const QString &label, TWork work) -> std::optional<decltype(work())> {
  using TValue = decltype(work());
  auto result = std::make_shared<std::optional<TValue>>();
  if (!RunToolWork(parent, label, [result, work = std::move(work)]() mutable { result->emplace(work()); }))
    return std::nullopt;
  return std::move(*result);
}
