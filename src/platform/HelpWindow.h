#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;

// The help system: a window that shows the HTML pages of a help folder, with a contents page
// ("index.html"), a keyword search (from "keywords.txt": one "keyword<TAB>page" a line) and a
// page on using the help ("helponhelp.html").
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // The keywords of a "keywords.txt": each line "keyword<TAB>page", blank lines and lines
    // without a keyword left out.
    static QList<QPair<QString, QString>> parseKeywords(const QByteArray &bytes);
    explicit HelpWindow(QWidget *parent = nullptr);

    void setHelpFolder(const QString &folder);
    QString helpFolder() const { return folder_; }

    void showContents();
    void showSearch(const QString &keyword);
    void showHelpOnHelp();
    void showTopic(const QString &page);

    QTextBrowser *browser() const { return browser_; }
    QListWidget *keywordList() const { return keywords_; }
    QLineEdit *keywordEdit() const { return keywordEdit_; }
    QString currentPage() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void loadKeywords();
    void filterKeywords(const QString &text);
    void present();
    // Moves the window between its owner and a modal dialog, keeping its place and whether
    // it shows.
    void moveTo(QWidget *parent);

    QString folder_;
    QWidget *owner_;
    QWidget *modal_ = nullptr;
    QTabWidget *side_;
    QLineEdit *keywordEdit_;
    QListWidget *keywords_;
    QTextBrowser *browser_;
};
