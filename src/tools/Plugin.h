#pragma once

#include "tags/Pickers.h"

#include <QMainWindow>
#include <QStringList>
#include <QTreeWidget>

class QComboBox;
class TmdiMain;

// A command line of a plug-in file: description TAB insert-left TAB insert-right.
struct PlugInCommand {
    QString description, left, right;
    static PlugInCommand parse(const QString &line);
};

// The commands shown until a plug-in file is loaded.
QStringList builtInPlugInCommands();

// The list of a plug-in file's commands; dragging one hands its pair to the frame first.
class PlugInList : public QTreeWidget {
    Q_OBJECT
public:
    using QTreeWidget::QTreeWidget;
    std::function<void(const QString &)> onDrag;

protected:
    void startDrag(Qt::DropActions supportedActions) override;
};

// The plug-in window: the "*.plg" files of the program folder and the commands of the chosen
// one, inserted around the selection of the active document.
class TfPlugIn : public ToolWindow {
    Q_OBJECT
public:
    explicit TfPlugIn(TmdiMain &frame);

    QComboBox *fileBox() const { return lstPFiles; }
    PlugInList *commandList() const { return lPlug; }
    QStringList commandLines() const;
    void setCommands(QStringList lines);

public slots:
    void SetListBox();
    void GetCommands();
    void OKBtnClick();

private:
    QComboBox *lstPFiles;
    PlugInList *lPlug;
};
