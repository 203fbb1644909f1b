#include "ErrorBoundary.h"

#include "Errors.h"

namespace ErrorBoundary {

namespace {
std::function<void(const QString &)> &handler()
{
    static std::function<void(const QString &)> h;
    return h;
}
} // namespace

void setHandler(std::function<void(const QString &)> h)
{
    handler() = std::move(h);
}

void report(const QString &message)
{
    if (handler())
        handler()(message);
}

bool run(const std::function<void()> &fn)
{
    try {
        fn();
        return true;
    } catch (const EAppError &e) {
        report(e.message());
    } catch (const std::exception &) {
        report(QString());
    }
    return false;
}

} // namespace ErrorBoundary
