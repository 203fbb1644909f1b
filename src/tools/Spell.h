#pragma once

#include "HtmlWords.h"
#include "platform/LineFile.h"

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <memory>

class AppServices;
class Hunspell;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class TfHTML;

// The spelling engine: a Hunspell dictionary, the user's personal word list ("personal.dic"
// in the program folder, one word a line) and the words ignored for this run.
class Speller {
public:
    Speller();
    ~Speller();

    // The folders searched for dictionaries (.aff and .dic pairs); tests point it elsewhere.
    static QStringList &searchPath();
    // The names of the installed dictionaries ("en_US", ...), sorted.
    static QStringList dictionaries();
    static QString personalFile();

    bool load(const QString &name, QString *error);
    bool loaded() const { return bool(engine_); }
    const QString &name() const { return name_; }

    bool check(const QString &word);
    QStringList suggest(const QString &word);
    void ignoreAll(const QString &word) { ignored_.insert(word); }
    // Adds a word to the personal list and its file; false with *error when the file could not
    // be written (the word is still known for this run). A word list that exists but could not
    // be read is never replaced by the words of this run unless replaceUnreadable says so: the
    // word is then known for this run only.
    bool addPersonal(const QString &word, QString *error, bool replaceUnreadable = false);
    // Why the personal word list could not be read at the last load or addition, or empty.
    const QString &personalProblem() const { return personalProblem_; }

private:
    std::string encode(const QString &word) const;
    QString decode(const std::string &text) const;

    std::unique_ptr<Hunspell> engine_;
    QString name_;
    QByteArray encoding_;
    QSet<QString> ignored_;
    QHash<QString, bool> known_; // answers already given
    QString personalProblem_;
    QStringList sessionWords_; // added while the word list could not be read
};

// The spell-check window: walks the active document's readable words and stops at each one the
// dictionary does not know, selected in the document, with suggestions.
class TfrmSpell : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSpell(AppServices &services);
    ~TfrmSpell() override;

    static const QString LoadError;

    Speller &speller() { return speller_; }
    // Loads the engine with the chosen (or first) dictionary; false when none can be loaded.
    bool ensureLoaded();
    // Starts a check of doc from its beginning.
    void start(TfHTML *doc);

    bool checking() const { return checking_; }
    QString currentWord() const { return current_.text; }
    QLineEdit *changeTo() const { return edtChange; }
    QListWidget *suggestions() const { return lstSuggest; }
    int changes() const { return changes_; }

    // Runs the check of the active document (Edit > Check Spelling).
    static void CheckSpelling1Click(AppServices &services);

public slots:
    void btnChangeClick();
    void btnChangeAllClick();
    void btnIgnoreClick();
    void btnIgnoreAllClick();
    void btnAddClick();
    void btnCloseClick();
    // Walks on to the next unknown word, in short slices so the window stays responsive.
    void findNext();

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    void finish();
    void showWord();
    // Says why the personal word list could not be read, when it could not.
    void tellPersonalProblem();
    void dictionaryChosen(int index);

    AppServices &services_;
    Speller speller_;
    QPointer<TfHTML> doc_;
    HtmlWords words_;
    HtmlWords::Word current_;
    QByteArray currentRaw_; // the bytes of the word shown
    bool checking_ = false;
    bool scheduled_ = false;
    qsizetype resumeFrom_ = -1; // after an edit by the user: words before this were checked
    qsizetype expectedLength_ = -1; // the text's length as the walk left it
    quint64 walkedRevision_ = 0;    // the document's revision as the walk left it
    int changes_ = 0;
    QLabel *lblWord;
    QLineEdit *edtChange;
    QListWidget *lstSuggest;
    QComboBox *cboDictionary;
    QProgressBar *progress_;
    QList<QPushButton *> wordButtons_;
};
