#pragma once

#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QWidget>

class QMainWindow;
class QMdiArea;
class QMenu;
class TbpslMenuExt;

// The list of a torn-off menu: one row per item, drawn from the item's state at each paint
// (check marks, submenu arrows, separators, greyed items embossed).
class TMenuListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TMenuListBox(QWidget *parent);

    QAction *actionAt(int row) const { return row >= 0 && row < actions_.size() ? actions_[row].data() : nullptr; }
    // The rows: one per item, in menu order.
    void setActions(const QList<QAction *> &actions);
    // Runs the selected item: its command, or, for a submenu, tears that off beside the row.
    void runSelected();
    // A typed character: the item with that access key is chosen and run; else the next item
    // starting with it is chosen (and run when it is the only one).
    bool typeChar(QChar c);

    std::function<void(QAction *item, QPoint at)> onRun;

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    void moveSelection(int step);
    QList<QPointer<QAction>> actions_; // an item the menu dropped meanwhile reads as none
};

// A floating window holding one torn-off menu.
class TbpPopupMenu : public QWidget {
    Q_OBJECT
public:
    TbpPopupMenu(TbpslMenuExt *ext, QMenu *menu, const QString &caption, QWidget *owner);

    QMenu *menu() const { return menu_; }
    TMenuListBox *list() const { return list_; }
    // Builds the list again from the menu and sizes the window to it.
    void rebuild();

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    TbpslMenuExt *ext_;
    QPointer<QMenu> menu_;
    TMenuListBox *list_;
};

// Lets the user tear a drop-down menu of the frame off into a floating window: a right click
// inside the open menu does it. The torn-off window runs the items as the menu would.
class TbpslMenuExt : public QObject {
    Q_OBJECT
public:
    // windowMenu is the frame's window-list menu, filled when it is about to show: its tear-off
    // follows the documents as they open, close and change.
    TbpslMenuExt(QMainWindow *owner, QMdiArea *area, QMenu *windowMenu);
    ~TbpslMenuExt() override;

    bool AllowDup = false;
    static constexpr int MaxWindows = 54;

    // Opens (or brings forward and refreshes) the tear-off window of menu at a screen point.
    TbpPopupMenu *TearOffMenu(QPoint at, QMenu *menu);
    const QList<TbpPopupMenu *> &windows() const { return windows_; }
    void removeWindow(TbpPopupMenu *w) { windows_.removeAll(w); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The menu's caption: its item's text in the menu bar (or in its parent menu).
    QString captionOf(QMenu *menu) const;
    bool belongsToOwner(QMenu *menu) const;
    void windowListChanged();

    QMainWindow *owner_;
    QPointer<QMenu> windowMenu_;
    QList<TbpPopupMenu *> windows_;
};
