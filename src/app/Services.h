#pragma once

#include <QList>
#include <QString>

class CommandRegistry;
class DocumentArea;
class DocumentManager;
class QWidget;
class TagEngine;
class TfHTML;
class TMegaRegistry;
class ToolWindows;

// What feature windows and commands need of the program around them: the documents, a way to
// make a new one from a text, the tag engine (the pair to insert and the remembered last
// pair), the status line, help topics, the settings, the commands and the tool windows. The
// frame provides it; a test gives a feature a stand-in without building the frame.
class AppServices {
public:
    virtual ~AppServices() = default;

    // The window that owns the tool windows and parents the dialogs.
    virtual QWidget *mainWindow() = 0;

    // The document windows, and the manager of their documents.
    virtual DocumentArea &documentArea() const = 0;
    DocumentManager &documentManager() const;
    // The active document window, or nullptr; every document window in the order of creation.
    TfHTML *activeDocument() const;
    QList<TfHTML *> documents() const;
    // A new, untitled document window holding text, shown and active; caption is its title
    // when not empty (else the usual "New HTML Document n").
    virtual TfHTML *newDocumentFromText(const QString &text, const QString &caption = QString()) = 0;

    // Opens a file in a new document window, shown and active; reports a file already open,
    // missing or unreadable, and then returns nullptr.
    virtual TfHTML *openDocument(const QString &path) = 0;

    virtual TagEngine &tags() = 0;

    // The status line: a message shown after three spaces, as every status message is.
    virtual void SetStatusText(const QString &message) = 0;
    // Puts text into the status line as it stands (hints, and "Saving ..." of Save As).
    virtual void setStatusLine(const QString &text) = 0;
    virtual QString statusText() const = 0;
    // The last-tag panel of the status bar.
    virtual void setLastTagPanel(const QString &text) = 0;

    // Shows a page of the program's help ("macros.html"); an empty topic shows the contents.
    virtual void showHelpTopic(const QString &topic) = 0;

    virtual TMegaRegistry &settings() = 0;
    virtual CommandRegistry &commands() = 0;
    virtual ToolWindows &toolWindows() = 0;
};

// The document window of a file: the open one made active, else the file opened; nullptr when
// it cannot be opened (the reason was told).
TfHTML *showFileDocument(AppServices &services, const QString &path);
