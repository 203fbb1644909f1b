#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class AppServices;
class TfHTML;

// Keeps the web preview in step with the typing when its "Follow Typing" is on: the preview
// is refreshed a short pause after the typing stops, and at least every LongestMs while it
// goes on, so continuous typing still shows its progress. Switching documents switches what
// the preview shows. Nothing happens while the preview window is hidden.
class LivePreview : public QObject {
    Q_OBJECT
public:
    static constexpr int PauseMs = 250;
    static constexpr int LongestMs = 1000;

    LivePreview(AppServices &services, QObject *parent = nullptr);

    bool following() const { return following_; }
    void setFollowing(bool on);
    // The active document changed (it follows the document manager).
    void documentActivated(TfHTML *doc);
    // Shows the active document's text in the preview now.
    void refresh();
    // How many refreshes there have been (for the benchmark and tests).
    int refreshes() const { return refreshes_; }

private:
    void changed();
    // The preview window when it exists and shows, else nullptr.
    class PreviewWindow *shownPreview() const;

    AppServices &services_;
    QPointer<TfHTML> doc_;
    QMetaObject::Connection edits_;
    QTimer pause_, longest_;
    bool following_ = false;
    int refreshes_ = 0;
};
