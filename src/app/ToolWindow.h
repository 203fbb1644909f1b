#pragma once

#include <QListWidget>
#include <QMainWindow>
#include <functional>

class QMenu;
class TBag;
class AppServices;

// A list of two-column entries ("text TAB second column"); the second column starts at a
// share of the list's width. When the user drags an entry, onDrag gets the entry's text
// before the drag starts, so a drop on a document can insert it.
class PickerList : public QListWidget {
    Q_OBJECT
public:
    PickerList(double secondColumnShare, QWidget *parent);
    std::function<void(const QString &)> onDrag;

    // The text of an entry before its first TAB, and after it.
    static QString firstColumn(const QString &entry);
    static QString secondColumn(const QString &entry);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
};

// A tool window of the frame with File > "&Close" and "&Keep on Top" (ticked at start) and
// its placement kept in its preference bag.
class ToolWindow : public QMainWindow {
    Q_OBJECT
public:
    QAction *keepOnTop() const { return keepOnTop_; }
    QMenu *fileMenu() const { return fileMenu_; }

public slots:
    void KeeponTop1Click();
    void Close1Click() { close(); }

protected:
    ToolWindow(AppServices &services, const QString &name, const QString &caption, const QString &bagSection);
    // While the window is shown again after a change of its flags (Keep on Top): it was not
    // closed, so it takes up nothing afresh.
    bool reshowing() const { return reshowing_; }
    AppServices &services_;

private:
    QMenu *fileMenu_;
    QAction *keepOnTop_;
    TBag *Prefs;
    bool reshowing_ = false;
};
