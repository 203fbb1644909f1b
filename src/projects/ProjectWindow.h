#pragma once

#include "ProjectTree.h"
#include "app/ToolWindows.h"

#include <QDialog>

class AppServices;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class TBag;

// The project organiser: one project at a time, its title, its file and its tree of files;
// it opens, saves and rearranges projects and opens their files as documents.
class TfProj : public QDialog, public ExitQuestion {
    Q_OBJECT
public:
    explicit TfProj(AppServices &services);

    static const QString FileFilter;
    static const QString AddFilter;

    const ProjectTree &project() const { return tree_; }
    bool modified() const { return modified_; }
    QLineEdit *titleEdit() const { return txtTitle; }
    QLineEdit *fileEdit() const { return tFN; }
    QTreeWidget *outline() const { return outProj; }
    // The selected entry's index in display order, or -1.
    int selected() const;
    void select(int index);

    // Asks about a modified project (Yes saves, No drops it); false when the caller must not
    // go on (the save dialog was cancelled or the save failed).
    bool SaveActiveProj();
    // The program's exit: as SaveActiveProj, with Cancel keeping the program running.
    bool askToExit() override;

    // Makes a project of the open documents' captions and offers to save it.
    static void SaveOpenasNewProject1Click(AppServices &services);

    // A path as the file system spells it: the path itself when it exists, else the file
    // whose path differs only in letter case, else the path unchanged.
    static QString onDisk(const QString &path);

public slots:
    void btnOpenProjClick();
    void btnNewProjClick();
    void btnSaveProjectClick();
    void btnAddFileClick();
    void btnRemoveFileClick();
    void btnOpenFileClick();
    void btnOpenAllClick();
    void ExpandAll();
    void CollapseAll();
    void doMoveUp();
    void DoMoveDown();
    void UpBtnClick();
    void DownBtnClick();
    void btnCloseClick();

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    // The question and its save; withCancel for the exit question.
    bool askAndSave(bool withCancel);
    // Writes the project to path; false after saying why.
    bool writeTo(const QString &path);
    // Shows the tree from the model, selecting index.
    void RedoOutProj(int index);
    void moved(int index);

    AppServices &services_;
    ProjectTree tree_;
    bool modified_ = false;
    QLineEdit *txtTitle, *tFN;
    QTreeWidget *outProj;
    TBag *Prefs;
};
