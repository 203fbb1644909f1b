#pragma once

#include "Document.h"
#include "FindDialogs.h"

#include <QKeySequence>
#include <QList>
#include <QMdiSubWindow>
#include <QPointer>

class QMenu;
class TBag;
class TEditor;
class TMegaRegistry;

// What a document window needs of the frame that holds it.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    virtual void SetStatusText(const QString &message) = 0;
    virtual void RemovefromTabs(const QString &name) = 0;
    virtual void SelectTabName(const QString &name) = 0;
    virtual bool wordWrapChecked() const = 0;
    virtual TMegaRegistry &settings() = 0;
    // Inserts the remembered tag pair into the active document (a drop from a list box).
    virtual void insertLastTagPair() = 0;
    virtual void openDroppedFiles(const QStringList &paths) = 0;
    virtual QList<QKeySequence> frameShortcuts() const = 0;
};

// A document window: one HTML document in an editor, inside the frame. Its caption is the
// document's identity: the file's absolute path, or "New HTML Document " and a number while
// it has never been saved.
class TfHTML : public QMdiSubWindow {
    Q_OBJECT
public:
    TfHTML(DocumentHost *host, QWidget *parent = nullptr);
    ~TfHTML() override;

    static bool IsUntitled(const QString &caption);

    QString caption() const { return caption_; }
    void setCaption(const QString &caption);
    bool isUntitled() const { return IsUntitled(caption_); }

    TEditor *editor() const { return txtHTML; }
    HtmlDocument &document() { return doc_; }
    QMenu *searchMenu() const { return searchMenu_; }
    QMenu *popupMenu() const { return PopupMenu1; }
    FindDialog *findDialog() const { return FindDialog1; }
    ReplaceDialog *replaceDialog() const { return ReplaceDialog1; }
    TBag *prefs() const { return Prefs; }

    bool modified() const;
    void setModified(bool on);

    // Reads a file into the editor. On failure *error says why and the window is unchanged.
    bool loadFile(const QString &path, QString *error);
    // Saves the text to path; a failure is reported to the user, and false keeps the
    // document modified.
    bool saveTo(const QString &path);
    // Writes the text to path as a save does (the document's format, a backup copy when the
    // document keeps them), but the document stays bound to its own file and keeps its
    // modified flag. Text the encoding cannot hold is written as UTF-8. A copy refreshed
    // while the user types (keepBackup false) makes no backup of the one it replaces.
    bool writeCopy(const QString &path, QString *error, bool keepBackup = true) const;

    // The close question: a modified document asks whether to save it; Yes saves it. False
    // when the close must not go ahead (Cancel, a cancelled or failed save). Once answered,
    // the window does not ask again until clearAnswer().
    bool askToSave();
    void clearAnswer() { answered_ = false; }
    // The close query: askToSave, then the window's tab goes.
    bool FormQueryClose();
    // Asks about the document's file when another program changed or removed it since it was
    // read or saved here: reload or keep this text (a removed file is reported, and the text
    // stays, modified).
    void checkDiskChange();

    // The program-wide text of the last find, read by "Find Again" in any window.
    static QString LastSearchText;

signals:
    // The program marked the document saved or unsaved (see setModified).
    void modifiedChanged(bool modified);

public slots:
    void SetProperties();
    void FormClose();
    void SetFocustoMe();
    void FormResize();
    void doUndo();
    void ReDo1Click();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void Delete();
    void RepeatLastTag1Click();
    void Find1Click();
    void FindAgain1Click();
    void Replace1Click();
    void doFind(const QString &text);
    void HandleReplace(const QString &find, const QString &replacement, bool all, bool matchCase, bool wholeWord);

protected:
    void closeEvent(QCloseEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void buildMenus();
    bool saveWithDialog();

    DocumentHost *host_;
    TEditor *txtHTML;
    TBag *Prefs;
    QMenu *searchMenu_;
    QMenu *PopupMenu1;
    QAction *findAgain_;
    QPointer<FindDialog> FindDialog1;
    QPointer<ReplaceDialog> ReplaceDialog1;
    HtmlDocument doc_;
    QString caption_;
    bool unsavedText_ = false; // text put in by the program that no file holds
    bool checkingDisk_ = false;
    bool answered_ = false; // the close question was answered in the frame's first pass
    bool closed_ = false;
};
