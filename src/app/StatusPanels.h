#pragma once

#include <QObject>
#include <QString>

class AppServices;
class QLabel;
class QMainWindow;
class QTimer;
class QWidget;
class TfHTML;

// The frame's status bar: the status line (messages after three blanks, menu hints as they
// stand), the editing mode, the caret's position, the size, the user name, the last tag
// inserted and the encoding of the active document. The panels are refreshed every two
// seconds (Timer1) and soon after the caret moves.
class StatusPanels : public QObject {
    Q_OBJECT
public:
    // Said in the status line while a large document is active.
    static inline const QString LargeDocumentNote =
        QStringLiteral("Large document: word wrap is off to keep it fast (View > WordWrap turns it on)");
    // Said in the status line while a document whose long lines are shown broken is active.
    static inline const QString LongLinesNote =
        QStringLiteral("Lines over 64 KB are shown broken between tags; the file keeps its lines as they are");
    // The status note of a document, or an empty text.
    static QString documentNote(const TfHTML *doc);

    StatusPanels(QMainWindow *frame, AppServices &services);

    void SetStatusText(const QString &message);
    void setStatusLine(const QString &text);
    QString statusText() const;
    // How often the status line was given a new text (it is left alone when unchanged).
    int writes() const { return writes_; }
    void setLastTagPanel(const QString &text);
    // A hint of a menu item or button; an empty one brings the last message back.
    void showTip(const QString &tip);
    void showUserName();

    // Refreshes the panels of the active document.
    void ShowStatus();
    // Soon after the caret moved: at most one refresh in 100 ms, so typing and holding an
    // arrow key cost nothing extra.
    void caretMoved();
    // Fits the fixed panels into the width of the bar.
    void AdjustControls();

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    AppServices &services_;
    QWidget *Panel1;
    QLabel *StatusLine, *pnlMode, *pnlPos, *pnlSize, *pnlApp, *pnlTag, *pnlEncoding;
    QTimer *statusSoon_;
    QTimer *Timer1;
    QString statusMessage_;
    int writes_ = 0;
};
