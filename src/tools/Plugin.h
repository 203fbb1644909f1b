#pragma once

#include "app/ToolWindow.h"

#include <QMainWindow>
#include <QStringList>
#include <QTreeWidget>

class AppServices;
class LineListStore;
class QComboBox;

// A command line of a plug-in file: description TAB insert-left TAB insert-right.
struct PlugInCommand {
    QString description, left, right;
    static PlugInCommand parse(const QString &line);
};

// The commands shown until a plug-in file is loaded.
QStringList builtInPlugInCommands();

// The "*.plg" files of the program folder, sorted without regard to case.
QStringList plugInFiles();

// The list of a plug-in file's commands; dragging one hands its pair to the tag engine first.
class PlugInList : public QTreeWidget {
    Q_OBJECT
public:
    using QTreeWidget::QTreeWidget;
    // Called with the row of the dragged command.
    std::function<void(int)> onDrag;

protected:
    void startDrag(Qt::DropActions supportedActions) override;
};

// The plug-in window: the "*.plg" files of the program folder and the commands of the chosen
// one, inserted around the selection of the active document. The commands live in a store,
// sorted; the list shows them.
class TfPlugIn : public ToolWindow {
    Q_OBJECT
public:
    explicit TfPlugIn(AppServices &services);

    QComboBox *fileBox() const { return lstPFiles; }
    PlugInList *commandList() const { return lPlug; }
    QStringList commandLines() const;
    void setCommands(QStringList lines);
    LineListStore *commands() const { return commands_; }

public slots:
    void SetListBox();
    void GetCommands();
    void OKBtnClick();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void showCommands();
    void fitColumns();
    PlugInCommand commandAt(int row) const;

    LineListStore *commands_;
    QComboBox *lstPFiles;
    PlugInList *lPlug;
};
