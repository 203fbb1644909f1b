#pragma once

#include <QDialog>
#include <QStringList>

class AppServices;
class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QStackedWidget;
class QTabBar;

// The template chooser: four built-in templates and the user's template files; OK makes a new
// document holding the chosen text.
class TfTemplate : public QDialog {
    Q_OBJECT
public:
    explicit TfTemplate(AppServices &services);

    static const QString UserFilter;

    QTabBar *tabs() const { return TabSet; }
    QPlainTextEdit *memo(int page) const { return memos_[page]; }
    QListWidget *fileList() const { return FileListBox1; }
    QListWidget *folderList() const { return DirectoryListBox1; }
    QComboBox *filterBox() const { return FilterComboBox1; }
    const QString &folder() const { return folder_; }
    void setFolder(const QString &folder);

    // The lines of a built-in template (0 to 3).
    static QStringList builtInLines(int index);

public slots:
    void FormCreate();
    void TabSetClick();
    void UpdateMemo();
    void OKBtnClick();
    void HelpBtnClick();

protected:
    void showEvent(QShowEvent *e) override;

private:
    QWidget *builtInPage(int index, const QString &frameCaption, const char *memoName, bool sample);
    QWidget *userPage();
    void fillLists();
    // Reads the folder again (templates saved since it was read are listed), keeping the
    // chosen file chosen while it is still there.
    void refreshLists();

    AppServices &services_;
    QTabBar *TabSet;
    QStackedWidget *Notebook1;
    QPlainTextEdit *memos_[5] = {};
    QListWidget *DirectoryListBox1, *FileListBox1;
    QComboBox *FilterComboBox1;
    QLabel *folderLabel_;
    QString folder_;
};
