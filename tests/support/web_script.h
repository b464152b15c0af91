#pragma once
// Waiting on a web page from a test: the browser does its work on this thread, so the wait
// runs the event loop instead of sleeping.

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <QVariant>
#include <QWebEnginePage>
#include <functional>
#include <memory>
#include <optional>

// Runs the event loop until done() holds, checking every few milliseconds.
inline bool WaitFor(const std::function<bool()>& done, int timeoutMs, int everyMs = 5) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QEventLoop loop;
        QTimer::singleShot(everyMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

// Runs a script in the page and waits for its result; nothing when none came in time. The
// result is shared with the callback, which may still arrive after a timeout.
inline std::optional<QVariant> RunScript(QWebEnginePage* page, const QString& script,
                                         int timeoutMs = 10000) {
    auto result = std::make_shared<std::optional<QVariant>>();
    page->runJavaScript(script, [result](const QVariant& value) { *result = value; });
    WaitFor([&] { return result->has_value(); }, timeoutMs);
    return *result;
}
