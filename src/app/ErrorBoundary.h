#pragma once

#include <QString>
#include <functional>

// Where the program's own errors (EAppError and its kinds) end when no command catches them:
// at the edge of each command, event filter and show or close handler, so that an error
// never travels through the event dispatch. The frame installs the handler that tells the
// user; the application's event dispatch keeps a last catch that reports the same way.
namespace ErrorBoundary {

// handler receives the error's message for the user (empty when it has none).
void setHandler(std::function<void(const QString &)> handler);

// Hands message to the installed handler (nothing happens without one).
void report(const QString &message);

// Runs fn; an error raised inside it is reported instead of passing on. False when fn raised.
bool run(const std::function<void()> &fn);

} // namespace ErrorBoundary
