#pragma once

#include <QString>
#include <QStringList>

class QWidget;
class TmdiMain;

// The web preview window as the frame sees it. The window and its browser engine live in a
// module of their own that is loaded on the first preview, so that the engine's libraries cost
// nothing at start-up.
class PreviewWindow {
public:
    virtual ~PreviewWindow() = default;
    virtual QWidget *previewWidget() = 0;
    // Shows the window and loads file into its viewer.
    virtual void previewFile(const QString &file) = 0;
};

namespace PreviewModule {

// Makes the preview window, given the program's command-line arguments and the window it
// belongs to (it closes with that window).
using Factory = PreviewWindow *(*)(const QStringList &arguments, QWidget *owner);

// Replaces the loading of the module (tests link the preview in).
void setFactory(Factory factory);

// A new preview window; nullptr with *error saying why when the module cannot be loaded.
PreviewWindow *create(const QStringList &arguments, QWidget *owner, QString *error);

// The name of the preview file written beside a document.
inline constexpr const char *TempFileName = "temp.tvr";

// The frame's "Web Preview" command: writes the active document's text to the preview file
// beside it (the program folder for an untitled one) and shows it in the preview window.
void previewActiveDocument(TmdiMain &frame);

} // namespace PreviewModule
