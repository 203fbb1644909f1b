#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class AppServices;
class LivePreview;
class TfHTML;
class QWidget;

// The web preview window as the frame sees it. The window and its browser engine live in a
// module of their own that is loaded on the first preview, so that the engine's libraries cost
// nothing at start-up.
class PreviewWindow {
public:
    virtual ~PreviewWindow() = default;
    virtual QWidget *previewWidget() = 0;
    // Shows the window and loads file into its viewer.
    virtual void previewFile(const QString &file) = 0;
    // Shows file again without taking the focus: the same file at the same scroll position,
    // or another file as a new page.
    virtual void refreshFile(const QString &file) = 0;
    // Whether the window follows the typing in the active document ("Follow &Typing"), and
    // who is told when the user changes it.
    virtual bool followTyping() const = 0;
    virtual void setFollowTypingHandler(std::function<void(bool)> handler) = 0;
};
Q_DECLARE_INTERFACE(PreviewWindow, "org.tolvenra.PreviewWindow")

namespace PreviewModule {

// Makes the preview window, given the program's command-line arguments and the window it
// belongs to (it closes with that window).
using Factory = PreviewWindow *(*)(const QStringList &arguments, QWidget *owner);

// Makes an HTML viewer widget over the same engine, for rendered samples in dialogs.
using ViewerFactory = QWidget *(*)(QWidget *parent);

// Makes a player bar for one sound file (a MediaBar).
using MediaBarFactory = QWidget *(*)(QWidget *parent);

// Replace the loading of the module (tests link the preview in).
void setFactory(Factory factory);
void setViewerFactory(ViewerFactory factory);
void setMediaBarFactory(MediaBarFactory factory);

// A new preview window; nullptr with *error saying why when the module cannot be loaded.
PreviewWindow *create(const QStringList &arguments, QWidget *owner, QString *error);

// A new HTML viewer widget (an HtmlViewer) in parent, the module loaded on first use; nullptr
// with *error saying why when the module cannot be loaded.
QWidget *createViewer(QWidget *parent, QString *error);

// A new sound player bar (a MediaBar) in parent, the module loaded on first use; nullptr with
// *error saying why when the module cannot be loaded.
QWidget *createMediaBar(QWidget *parent, QString *error);

// The name under which the tool-window registry knows the preview window.
inline constexpr const char *WindowName = "TfPreview";

// The name of the preview file written beside a document.
inline constexpr const char *TempFileName = "temp.tvr";

// The file the preview shows for a document: the preview file beside it (in the program
// folder for an untitled one).
QString previewFileFor(const TfHTML *doc);

// Registers the preview window with the services' tool windows (made on first use, with the
// program's command-line arguments), its "Follow Typing" choice going to live, and binds the
// "Web Preview" command.
void registerWindow(AppServices &services, LivePreview &live, const QStringList &arguments);

// The frame's "Web Preview" command: writes the active document's text to the preview file
// beside it (the program folder for an untitled one) and shows it in the preview window.
void previewActiveDocument(AppServices &services);

} // namespace PreviewModule
