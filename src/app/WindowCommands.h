#pragma once

#include <QObject>

class DocumentArea;
class HtmlDocument;
class QMenu;
class TabStrip;

// The Window menu and the document tab strip: tile, cascade and arrange the document windows,
// the list of windows at the foot of the menu, and one tab per document that follows the
// document manager (a tab appears with a document, moves with its rename, is selected with
// it, and goes when it closes).
class WindowCommands : public QObject {
    Q_OBJECT
public:
    WindowCommands(DocumentArea &area, TabStrip &tabs, QMenu *windowMenu, QObject *parent = nullptr);

    void bindCommands(class CommandRegistry &commands);

    void WindowTile();
    void WindowCascade();
    void WindowArrange();
    // A tab was chosen: its document's window comes to the front.
    void DisplayTabName(const QString &name);

private:
    void fillWindowMenu();

    DocumentArea &area_;
    TabStrip &tabs_;
    QMenu *windowMenu_;
};
