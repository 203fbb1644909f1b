#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The modeless find dialog: a text and a Find Next button, and a Match case box for the
// callers that offer it.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget *parent, bool withMatchCase = false);
    QString findText() const;
    bool matchCase() const;
    QCheckBox *matchCaseBox() const { return matchCase_; }
    void setFindText(const QString &text);
    QLineEdit *textEdit() const { return text_; }
    QPushButton *findButton() const { return find_; }

signals:
    void findNext(const QString &text);

private:
    QLineEdit *text_;
    QPushButton *find_;
    QCheckBox *matchCase_ = nullptr;
};

// The modeless replace dialog: find and replace texts, match case and whole word, and the
// Replace and Replace All buttons.
class ReplaceDialog : public QDialog {
    Q_OBJECT
public:
    explicit ReplaceDialog(QWidget *parent);
    QLineEdit *findEdit() const { return find_; }
    QLineEdit *replaceEdit() const { return replace_; }
    QCheckBox *matchCaseBox() const { return matchCase_; }
    QCheckBox *wholeWordBox() const { return wholeWord_; }
    QPushButton *replaceButton() const { return replaceBtn_; }
    QPushButton *replaceAllButton() const { return replaceAllBtn_; }

signals:
    void replaceRequested(const QString &find, const QString &replacement, bool all, bool matchCase,
                          bool wholeWord);

private:
    QLineEdit *find_, *replace_;
    QCheckBox *matchCase_, *wholeWord_;
    QPushButton *replaceBtn_, *replaceAllBtn_;
};
