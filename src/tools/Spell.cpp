#include "Spell.h"

#include <QScreen>

#include "app/Edit.h"
#include "app/ErrorBoundary.h"
#include "app/Editor.h"
#include "app/Megares.h"
#include "app/Services.h"
#include "app/SettingsTable.h"
#include "app/ToolWindows.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"
#include "platform/LineFile.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTimer>
#include <QVBoxLayout>
#include <hunspell.hxx>

const QString TfrmSpell::LoadError = QStringLiteral("Tolvenra was unable to load the Spell checker !");

// ---- the engine ----

Speller::Speller() = default;
Speller::~Speller() = default;

QStringList &Speller::searchPath()
{
    static QStringList path = {QStringLiteral("/usr/share/hunspell"), QStringLiteral("/usr/share/myspell"),
                               QStringLiteral("/usr/share/myspell/dicts")};
    return path;
}

QStringList Speller::dictionaries()
{
    QStringList names;
    for (const QString &folder : searchPath()) {
        const QDir dir(folder);
        for (const QString &dic : dir.entryList({QStringLiteral("*.dic")}, QDir::Files)) {
            const QString name = QFileInfo(dic).completeBaseName();
            if (dir.exists(name + QStringLiteral(".aff")) && !names.contains(name))
                names << name;
        }
    }
    names.sort();
    return names;
}

QString Speller::personalFile()
{
    return AppPaths::programFile(QStringLiteral("personal.dic"));
}

bool Speller::load(const QString &name, QString *error)
{
    for (const QString &folder : searchPath()) {
        const QDir dir(folder);
        const QString aff = dir.filePath(name + QStringLiteral(".aff")), dic = dir.filePath(name + QStringLiteral(".dic"));
        if (!QFileInfo(aff).isFile() || !QFileInfo(dic).isFile())
            continue;
        auto engine = std::make_unique<Hunspell>(QFile::encodeName(aff).constData(), QFile::encodeName(dic).constData());
        encoding_ = QByteArray::fromStdString(engine->get_dict_encoding());
        if (!QStringEncoder(encoding_.constData()).isValid())
            encoding_ = "UTF-8";
        engine_ = std::move(engine);
        name_ = name;
        known_.clear();
        bool ok = false;
        QString why;
        const QStringList words = LineFile::read(personalFile(), &ok, &why);
        personalProblem_ = ok || !QFileInfo::exists(personalFile()) ? QString() : why;
        for (const QString &word : words + sessionWords_)
            if (!word.isEmpty())
                engine_->add(encode(word));
        return true;
    }
    *error = QStringLiteral("No dictionary named %1 is installed.").arg(name);
    return false;
}

std::string Speller::encode(const QString &word) const
{
    QStringEncoder encoder(encoding_.constData());
    return QByteArray(encoder.encode(word)).toStdString();
}

QString Speller::decode(const std::string &text) const
{
    QStringDecoder decoder(encoding_.constData());
    return decoder.decode(QByteArray::fromStdString(text));
}

bool Speller::check(const QString &word)
{
    if (!engine_ || ignored_.contains(word))
        return true;
    const auto it = known_.constFind(word);
    if (it != known_.constEnd())
        return *it;
    const bool good = engine_->spell(encode(word));
    known_.insert(word, good);
    return good;
}

QStringList Speller::suggest(const QString &word)
{
    QStringList out;
    if (engine_)
        for (const std::string &s : engine_->suggest(encode(word)))
            out << decode(s);
    return out;
}

bool Speller::addPersonal(const QString &word, QString *error, bool replaceUnreadable)
{
    if (engine_)
        engine_->add(encode(word));
    known_.insert(word, true);
    // The list is read again, so that words another program added are kept; the lines that do
    // not change keep their bytes.
    bool ok = false;
    QString why;
    LineFile::Kept kept = LineFile::readKept(personalFile(), &ok, &why);
    if (!ok && QFileInfo::exists(personalFile())) {
        personalProblem_ = why;
        if (!sessionWords_.contains(word))
            sessionWords_ << word;
        if (!replaceUnreadable)
            return true; // known for this run; the file stays as it is
        kept = LineFile::Kept{sessionWords_, {}};
    } else {
        for (const QString &w : std::as_const(sessionWords_))
            if (!kept.lines.contains(w))
                kept.lines << w;
    }
    if (!kept.lines.contains(word))
        kept.lines << word;
    if (!LineFile::write(personalFile(), kept.lines, kept.raw, error))
        return false;
    personalProblem_.clear();
    sessionWords_.clear();
    return true;
}

// ---- the window ----

TfrmSpell::TfrmSpell(AppServices &services) : QDialog(services.mainWindow()), services_(services)
{
    setObjectName(QStringLiteral("TfrmSpell"));
    setWindowTitle(QStringLiteral("Tolvenra Spell Check"));
    setModal(false);
    setDialogFrame(this);

    lblWord = new QLabel(this);
    lblWord->setObjectName(QStringLiteral("lblWord"));
    lblWord->setTextFormat(Qt::PlainText);
    QFont bold = lblWord->font();
    bold.setBold(true);
    lblWord->setFont(bold);
    edtChange = new QLineEdit(this);
    edtChange->setObjectName(QStringLiteral("edtChange"));
    lstSuggest = new QListWidget(this);
    lstSuggest->setObjectName(QStringLiteral("lstSuggest"));
    cboDictionary = new QComboBox(this);
    cboDictionary->setObjectName(QStringLiteral("cboDictionary"));
    cboDictionary->addItems(Speller::dictionaries());
    progress_ = new QProgressBar(this);
    progress_->setRange(0, 100);
    progress_->setTextVisible(false);
    progress_->setMaximumHeight(8);

    auto *side = new QVBoxLayout;
    wordButtons_ = addButtons<TfrmSpell>(this, side,
                                         {{"btnChange", "&Change", &TfrmSpell::btnChangeClick},
                                          {"btnChangeAll", "Change &All", &TfrmSpell::btnChangeAllClick},
                                          {"btnIgnore", "&Ignore", &TfrmSpell::btnIgnoreClick},
                                          {"btnIgnoreAll", "I&gnore All", &TfrmSpell::btnIgnoreAllClick},
                                          {"btnAdd", "A&dd", &TfrmSpell::btnAddClick}});
    addButtons<TfrmSpell>(this, side, {{"btnClose", "Close", &TfrmSpell::btnCloseClick}});
    wordButtons_.first()->setDefault(true);
    side->addStretch(1);

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Not in the dictionary:"), this), 0, 0);
    grid->addWidget(lblWord, 0, 1);
    auto *changeLabel = new QLabel(tr("C&hange to:"), this);
    changeLabel->setBuddy(edtChange);
    grid->addWidget(changeLabel, 1, 0);
    grid->addWidget(edtChange, 1, 1);
    auto *suggestLabel = new QLabel(tr("&Suggestions:"), this);
    suggestLabel->setBuddy(lstSuggest);
    grid->addWidget(suggestLabel, 2, 0, Qt::AlignTop);
    grid->addWidget(lstSuggest, 2, 1);
    auto *dictLabel = new QLabel(tr("Dic&tionary:"), this);
    dictLabel->setBuddy(cboDictionary);
    grid->addWidget(dictLabel, 3, 0);
    grid->addWidget(cboDictionary, 3, 1);
    grid->addWidget(progress_, 4, 0, 1, 2);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(side);
    resize(460, 300);

    connect(lstSuggest, &QListWidget::currentTextChanged, edtChange, &QLineEdit::setText);
    connect(lstSuggest, &QListWidget::itemDoubleClicked, this, &TfrmSpell::btnChangeClick);
    connect(cboDictionary, &QComboBox::activated, this, &TfrmSpell::dictionaryChosen);
    const int chosen = cboDictionary->findText(services_.settings().read(Settings::SpellDictionary));
    if (chosen >= 0)
        cboDictionary->setCurrentIndex(chosen);
}

TfrmSpell::~TfrmSpell() = default;

bool TfrmSpell::ensureLoaded()
{
    if (speller_.loaded())
        return true;
    QString error;
    if (cboDictionary->count() == 0 || !speller_.load(cboDictionary->currentText(), &error))
        return false;
    tellPersonalProblem();
    return true;
}

void TfrmSpell::tellPersonalProblem()
{
    if (!speller_.personalProblem().isEmpty())
        Dialogs::instance().error(this, tr("Unable to read the personal word list %1:\n%2\n\nThe words you add are "
                                           "known for this session; the file is not changed unless you say so.")
                                            .arg(Speller::personalFile(), speller_.personalProblem()));
}

void TfrmSpell::dictionaryChosen(int index)
{
    QString error;
    if (!speller_.load(cboDictionary->itemText(index), &error)) {
        Dialogs::instance().error(this, LoadError + QStringLiteral("\n\n") + error);
        return;
    }
    ErrorBoundary::run([this] { services_.settings().write(Settings::SpellDictionary, speller_.name()); });
    if (checking_ && doc_) {
        // Check again from the word shown, with the other dictionary.
        resumeFrom_ = current_.start;
        words_ = HtmlWords();
        expectedLength_ = -1;
        findNext();
    }
}

void TfrmSpell::start(TfHTML *doc)
{
    doc_ = doc;
    words_ = HtmlWords();
    current_ = HtmlWords::Word();
    resumeFrom_ = -1;
    expectedLength_ = -1;
    changes_ = 0;
    checking_ = true;
    show();
    raise();
    findNext();
}

void TfrmSpell::findNext()
{
    scheduled_ = false;
    if (!checking_)
        return;
    if (!doc_) {
        finish();
        return;
    }
    const HtmlDocument &doc = doc_->document();
    QElapsedTimer clock;
    clock.start();
    // The text is read in place; it does not change while this slice runs.
    const QByteArrayView shown = doc.characters();
    const qsizetype length = shown.size();
    const char *text = shown.constData();
    if (expectedLength_ >= 0 && doc.revision() != walkedRevision_) {
        // The user edited the text meanwhile: walk again from the top and check from after the
        // word shown, found where it stood (an edit after it) or moved by the edit (before it);
        // else from where it stood.
        const qsizetype delta = length - expectedLength_;
        auto wordAt = [&](qsizetype at) {
            return at >= 0 && at + currentRaw_.size() <= length &&
                   QByteArrayView(text + at, currentRaw_.size()) == QByteArrayView(currentRaw_);
        };
        resumeFrom_ = wordAt(current_.start)           ? current_.end
                      : wordAt(current_.start + delta) ? current_.end + delta
                                                       : qMin(current_.start, length);
        words_ = HtmlWords();
    }
    expectedLength_ = length;
    walkedRevision_ = doc.revision();
    HtmlWords::Word w;
    int n = 0;
    while (words_.next(text, length, &w)) {
        if (w.start >= resumeFrom_ && !speller_.check(w.text)) {
            current_ = w;
            currentRaw_ = QByteArray(text + w.start, w.end - w.start);
            progress_->setValue(length ? int(w.start * 100 / length) : 100);
            showWord();
            return;
        }
        // Long walks go on in slices, so the program keeps answering.
        if ((++n & 255) == 0 && clock.elapsed() > 40) {
            progress_->setValue(int(words_.position() * 100 / qMax<qsizetype>(length, 1)));
            for (QPushButton *b : std::as_const(wordButtons_))
                b->setEnabled(false);
            lblWord->setText(tr("Checking ..."));
            scheduled_ = true;
            QTimer::singleShot(0, this, &TfrmSpell::findNext);
            return;
        }
    }
    finish();
}

void TfrmSpell::showWord()
{
    TEditor *ed = doc_->editor();
    ed->selectBytes(long(current_.start), long(current_.end));
    ed->scrollToCaret();
    // The window must not hide the word it asks about, nor its line.
    if (const QScreen *screen = this->screen())
        move(placeClearOf(frameGeometry(), ed->screenRectOf(long(current_.start), long(current_.end)),
                          screen->availableGeometry()));
    lblWord->setText(current_.text);
    lstSuggest->clear();
    const QStringList suggestions = speller_.suggest(current_.text);
    lstSuggest->addItems(suggestions);
    edtChange->setText(suggestions.value(0, current_.text));
    if (!suggestions.isEmpty())
        lstSuggest->setCurrentRow(0);
    for (QPushButton *b : std::as_const(wordButtons_))
        b->setEnabled(true);
    edtChange->setFocus();
    edtChange->selectAll();
}

void TfrmSpell::finish()
{
    const bool wasChecking = checking_;
    checking_ = false;
    hide();
    if (wasChecking)
        Dialogs::instance().message(services_.mainWindow(), changes_ == 1 ? tr("Spelling check complete.\n\n1 word changed.")
                                                                          : tr("Spelling check complete.\n\n%1 words changed.").arg(changes_));
}

void TfrmSpell::btnChangeClick()
{
    if (!checking_ || scheduled_ || !doc_)
        return;
    const QByteArray with = edtChange->text().toUtf8();
    // One undo step for the change.
    doc_->editor()->replaceRange(long(current_.start), long(current_.end), with);
    words_.shift(current_.start, current_.end - current_.start, with.size());
    expectedLength_ += with.size() - (current_.end - current_.start);
    walkedRevision_ = doc_->document().revision(); // this window's own change
    ++changes_;
    findNext();
}

void TfrmSpell::btnChangeAllClick()
{
    if (!checking_ || scheduled_ || !doc_)
        return;
    const QString word = current_.text;
    const QByteArray with = edtChange->text().toUtf8();
    TEditor *ed = doc_->editor();
    // Every readable occurrence of the word, found by a walk of its own over the whole text.
    QList<HtmlWords::Word> found;
    {
        const QByteArrayView shown = doc_->document().characters();
        const qsizetype length = shown.size();
        const char *text = shown.constData();
        HtmlWords all;
        HtmlWords::Word w;
        while (all.next(text, length, &w))
            if (w.text == word)
                found << w;
    }
    {
        UndoGroup group(ed);
        for (qsizetype i = found.size() - 1; i >= 0; --i) {
            ed->replaceRange(long(found[i].start), long(found[i].end), with);
            words_.shift(found[i].start, found[i].end - found[i].start, with.size());
            expectedLength_ += with.size() - (found[i].end - found[i].start);
        }
    }
    walkedRevision_ = doc_->document().revision(); // this window's own changes
    changes_ += int(found.size());
    findNext();
}

void TfrmSpell::btnIgnoreClick()
{
    if (checking_ && !scheduled_)
        findNext();
}

void TfrmSpell::btnIgnoreAllClick()
{
    if (!checking_ || scheduled_)
        return;
    speller_.ignoreAll(current_.text);
    findNext();
}

void TfrmSpell::btnAddClick()
{
    if (!checking_ || scheduled_)
        return;
    QString error;
    bool replace = false;
    if (!speller_.personalProblem().isEmpty())
        replace = Dialogs::instance().confirm(
            this, tr("The personal word list %1 could not be read (%2).\n\nReplace it with the words added in "
                     "this session? Cancel keeps the file as it is; the words are known until the program ends.")
                      .arg(Speller::personalFile(), speller_.personalProblem()));
    if (!speller_.addPersonal(current_.text, &error, replace))
        Dialogs::instance().error(this, tr("Unable to save the personal word list %1:\n%2").arg(Speller::personalFile(), error));
    findNext();
}

void TfrmSpell::btnCloseClick()
{
    close();
}

void TfrmSpell::closeEvent(QCloseEvent *e)
{
    checking_ = false;
    QDialog::closeEvent(e);
}

void TfrmSpell::CheckSpelling1Click(AppServices &services)
{
    TfHTML *doc = services.activeDocument();
    if (!doc)
        return;
    auto *spell = services.toolWindows().get<TfrmSpell>();
    if (!spell || !spell->ensureLoaded()) {
        Dialogs::instance().message(services.mainWindow(), LoadError);
        return;
    }
    spell->start(doc);
}
