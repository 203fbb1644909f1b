#pragma once

#include "platform/HtmlViewer.h"

#include <gtest/gtest.h>
#include <QSignalSpy>
#include <QTest>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <memory>

// Waiting on the browser engine, which works in a process of its own: every wait is bounded.
namespace PreviewSupport {

constexpr int LoadTimeout = 30000;

// Runs fn, which starts a load in viewer, and waits until the page has loaded.
template <typename Fn>
bool loads(HtmlViewer *viewer, Fn fn)
{
    QSignalSpy spy(viewer, &HtmlViewer::pageLoaded);
    fn();
    return spy.count() > 0 || spy.wait(LoadTimeout);
}

// The value of a script run in the page shown.
inline QVariant eval(HtmlViewer *viewer, const QString &script)
{
    auto result = std::make_shared<std::pair<bool, QVariant>>(false, QVariant());
    viewer->view()->page()->runJavaScript(script, [result](const QVariant &v) {
        result->first = true;
        result->second = v;
    });
    if (!QTest::qWaitFor([result] { return result->first; }, LoadTimeout))
        ADD_FAILURE() << "the script did not answer: " << script.toStdString();
    return result->second;
}

} // namespace PreviewSupport
