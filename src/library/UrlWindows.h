#pragma once

#include "tags/Pickers.h"

#include <QDialog>

class AppServices;
class QPushButton;
class TBag;
class TfHTML;

// The URL library window: the entries of "library.fil", read afresh at every showing, each
// inserted whole into the active document by a double click or a drag. It never writes the
// file.
class QLabel;

class TfURLLibrary : public ListPicker {
    Q_OBJECT
public:
    explicit TfURLLibrary(AppServices &services);

    // Why the library file could not be read at the last showing, or empty.
    const QString &readError() const { return readError_; }

public slots:
    void LoadLibrary();
    void lstURLSelect();

protected:
    void showEvent(QShowEvent *e) override;
    QString insertedText(const QString &entry) const override { return entry; }

private:
    QString readError_;
    QLabel *problem_ = nullptr;
};

// The review dialog of a grab: the links found ("New URLs") beside the library ("URL
// Library"); the user moves the wanted ones across and saves the library.
class TfURLGrab : public QDialog {
    Q_OBJECT
public:
    explicit TfURLGrab(AppServices &services);

    PickerList *srcList() const { return srcList_; }
    PickerList *dstList() const { return dstList_; }
    QPushButton *includeBtn() const { return IncludeBtn; }
    QPushButton *incAllBtn() const { return IncAllBtn; }
    QPushButton *excludeBtn() const { return ExcludeBtn; }
    QPushButton *exAllBtn() const { return ExAllBtn; }

    // Replaces the "New URLs" list.
    void setNewUrls(const QStringList &entries);

public slots:
    void LoadList();
    void SetButtons();
    void IncludeBtnClick();
    void ExcludeBtnClick();
    void IncAllBtnClick();
    void ExcAllBtnClick();
    void OKBtnClick();
    void CancelBtnClick();
    void HelpBtnClick();

protected:
    void showEvent(QShowEvent *e) override;

private:
    void MoveSelected(PickerList *from, PickerList *to);
    void moveAll(PickerList *from, PickerList *to);

    AppServices &services_;
    PickerList *srcList_, *dstList_;
    QPushButton *IncludeBtn, *IncAllBtn, *ExcludeBtn, *ExAllBtn;
    // Set when the library file exists but could not be read: saving would replace it.
    QString unreadLibrary_;
    TBag *Prefs;
};

// The message shown when the browser's bookmark file cannot be found.
class TfNetscapeError : public QDialog {
    Q_OBJECT
public:
    explicit TfNetscapeError(AppServices &services);
    static const QStringList Lines;

public slots:
    void OKBtnClick() { accept(); }
};

// The frame's commands of the library: grab the links of the active document, and import the
// browser's bookmarks.
namespace UrlCommands {

extern const char *const NoUrlsFound;

void GrabURLs1Click(AppServices &services);
void ImportURLsfromNetscape1Click(AppServices &services);

// The browser's initialisation file in the settings folder and the keys of its section
// "Bookmark List" that may name the bookmark file, in the order they are tried.
QString netscapeIni();
extern const char *const BookmarkKeys[2];

} // namespace UrlCommands
