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

// A document window: one HTML document (HtmlDocument, which holds the text and knows its
// file) in an editor, inside the frame. The window keeps the window: its menus, focus and
// caption, and the close question. Its caption is the document's identity: the file's
// absolute path, or "New HTML Document " and a number while it has never been saved. While
// the window shows the document, it owns it.
class TfHTML : public QMdiSubWindow {
    Q_OBJECT
public:
    TfHTML(DocumentHost *host, HtmlDocument *doc, QWidget *parent = nullptr);
    ~TfHTML() override;

    static bool IsUntitled(const QString &caption) { return HtmlDocument::IsUntitled(caption); }

    QString caption() const { return doc_->caption(); }
    // Names the document: an untitled name, or a file's path.
    void setCaption(const QString &caption);
    bool isUntitled() const { return doc_->isUntitled(); }

    TEditor *editor() const { return txtHTML; }
    HtmlDocument &document() const { return *doc_; }
    QMenu *searchMenu() const { return searchMenu_; }
    QMenu *popupMenu() const { return PopupMenu1; }
    FindDialog *findDialog() const { return FindDialog1; }
    ReplaceDialog *replaceDialog() const { return ReplaceDialog1; }
    TBag *prefs() const { return Prefs; }

    bool modified() const { return doc_->isModified(); }
    void setModified(bool on) { doc_->setModified(on); }

    // Reads a file into the document. On failure *error says why and nothing changes.
    bool loadFile(const QString &path, QString *error) { return doc_->load(path, error); }
    // Saves the text to path, asking what must be asked (see DocumentPolicy); false keeps the
    // document modified.
    bool saveTo(const QString &path);
    // Writes the text to path as a save does, but the document keeps its file and its
    // modified flag (see HtmlDocument::saveCopy).
    bool writeCopy(const QString &path, QString *error, bool keepBackup = true) const
    {
        return doc_->saveCopy(path, error, keepBackup);
    }

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
    // The document became saved or unsaved.
    void modifiedChanged(bool modified);
    // The close went ahead: the window goes, and its document with it.
    void closed(HtmlDocument *doc);

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
    HtmlDocument *doc_;
    bool checkingDisk_ = false;
    bool answered_ = false; // the close question was answered in the frame's first pass
    bool closed_ = false;
};
