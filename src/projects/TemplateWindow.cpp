#include "TemplateWindow.h"

#include "TemplateTexts.h"
#include "app/Edit.h"
#include "app/Services.h"
#include "platform/Dialogs.h"
#include "platform/TextFile.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTabBar>
#include <QTextBrowser>
#include <QVBoxLayout>

const QString TfTemplate::UserFilter =
    QStringLiteral("Template Files (*.tpl)|*.tpl|HTML Documents|*.htm|All files (*.*)|*.*");

namespace {

const char *const PageCaptions[] = {"&Simple", "&Coloured", "&Graphical", "&Frame Sets", "&User Defined"};

QPlainTextEdit *readOnlyMemo(QWidget *parent, const char *name)
{
    auto *m = new QPlainTextEdit(parent);
    m->setObjectName(QString::fromLatin1(name));
    m->setReadOnly(true);
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    return m;
}

// The lines of a text as a memo holds them: a final line break ends the last line.
QStringList linesOf(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(u'\r', u'\n');
    QStringList lines = t.split(u'\n');
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

QStringList TfTemplate::builtInLines(int index)
{
    const TemplateTexts::Template &t = TemplateTexts::builtIn[index];
    QStringList lines;
    for (int i = 0; i < t.count; ++i)
        lines << QString::fromUtf8(t.lines[i]);
    return lines;
}

TfTemplate::TfTemplate(AppServices &services) : QDialog(services.mainWindow()), services_(services)
{
    setObjectName(QStringLiteral("TfTemplate"));
    setWindowTitle(QStringLiteral("Tolvenra Templates"));
    setDialogFrame(this);

    Notebook1 = new QStackedWidget(this);
    Notebook1->setObjectName(QStringLiteral("Notebook1"));
    Notebook1->addWidget(builtInPage(0, QStringLiteral("Simple Template"), "mSimple", true));
    Notebook1->addWidget(builtInPage(1, QStringLiteral("Coloured Template"), "mColor", true));
    Notebook1->addWidget(builtInPage(2, QStringLiteral("Grahpical Template"), "mGraph", true));
    Notebook1->addWidget(builtInPage(3, QStringLiteral("FramesetTemplate"), "mFrames", false));
    Notebook1->addWidget(userPage());
    TabSet = new QTabBar(this);
    TabSet->setObjectName(QStringLiteral("TabSet"));
    TabSet->setShape(QTabBar::RoundedSouth);
    TabSet->setExpanding(false);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    auto *help = new QPushButton(QStringLiteral("&Help"), this);
    help->setObjectName(QStringLiteral("HelpBtn"));
    for (QPushButton *b : {ok, cancel, help})
        b->setAutoDefault(false);

    auto *left = new QVBoxLayout;
    left->setSpacing(0);
    left->addWidget(Notebook1, 1);
    left->addWidget(TabSet);
    auto *right = new QVBoxLayout;
    right->addWidget(ok);
    right->addWidget(cancel);
    right->addWidget(help);
    right->addStretch(1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);
    resize(720, 440);

    connect(TabSet, &QTabBar::currentChanged, this, &TfTemplate::TabSetClick);
    connect(ok, &QPushButton::clicked, this, &TfTemplate::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &TfTemplate::HelpBtnClick);
    FormCreate();
}

QWidget *TfTemplate::builtInPage(int index, const QString &frameCaption, const char *memoName, bool sample)
{
    auto *page = new QGroupBox(frameCaption, Notebook1);
    memos_[index] = readOnlyMemo(page, memoName);
    memos_[index]->setPlainText(builtInLines(index).join(u'\n'));
    auto *row = new QHBoxLayout(page);
    row->addWidget(memos_[index], 1);
    if (sample) {
        // The sample is the template itself, drawn as a page.
        auto *picture = new QTextBrowser(page);
        picture->setObjectName(QStringLiteral("Sample%1").arg(index));
        picture->setFixedWidth(220);
        picture->setFocusPolicy(Qt::NoFocus);
        picture->setTextInteractionFlags(Qt::NoTextInteraction);
        picture->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // Drawn small, as a thumbnail of the page.
        QFont small = picture->font();
        small.setPointSizeF(small.pointSizeF() * 0.55);
        picture->document()->setDefaultFont(small);
        const QString html = builtInLines(index).join(u'\n');
        // The rich-text engine ignores a body's text colour; the palette gives it.
        const QRegularExpressionMatch text =
            QRegularExpression(QStringLiteral("<body[^>]*\\stext=\"(#[0-9A-Fa-f]{6})\""),
                               QRegularExpression::CaseInsensitiveOption)
                .match(html);
        if (text.hasMatch()) {
            QPalette pal = picture->palette();
            pal.setColor(QPalette::Text, QColor(text.captured(1)));
            picture->setPalette(pal);
        }
        picture->setHtml(html);
        row->addWidget(picture);
    }
    return page;
}

QWidget *TfTemplate::userPage()
{
    auto *page = new QWidget(Notebook1);
    memos_[4] = readOnlyMemo(page, "Memo1");
    memos_[4]->setToolTip(QStringLiteral("The contents of the selected file are displayed here"));
    folderLabel_ = new QLabel(page);
    folderLabel_->setObjectName(QStringLiteral("DirectoryLabel"));
    folderLabel_->setWordWrap(true);
    DirectoryListBox1 = new QListWidget(page);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    FilterComboBox1 = new QComboBox(page);
    FilterComboBox1->setObjectName(QStringLiteral("FilterComboBox1"));
    const QStringList parts = UserFilter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        FilterComboBox1->addItem(parts[i], parts[i + 1]);
    FileListBox1 = new QListWidget(page);
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));

    auto *lists = new QVBoxLayout;
    lists->addWidget(folderLabel_);
    lists->addWidget(DirectoryListBox1, 1);
    lists->addWidget(FilterComboBox1);
    lists->addWidget(FileListBox1, 1);
    auto *row = new QHBoxLayout(page);
    row->addWidget(memos_[4], 1);
    row->addLayout(lists);

    connect(DirectoryListBox1, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        setFolder(QDir(folder_).absoluteFilePath(item->text()));
    });
    connect(FilterComboBox1, &QComboBox::currentIndexChanged, this, [this] { fillLists(); });
    connect(FileListBox1, &QListWidget::itemClicked, this, &TfTemplate::UpdateMemo);
    setFolder(QDir::currentPath());
    return page;
}

void TfTemplate::setFolder(const QString &folder)
{
    folder_ = QDir::cleanPath(folder);
    fillLists();
}

void TfTemplate::fillLists()
{
    folderLabel_->setText(folder_);
    DirectoryListBox1->clear();
    QDir dir(folder_);
    if (!dir.isRoot())
        DirectoryListBox1->addItem(QStringLiteral(".."));
    DirectoryListBox1->addItems(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
    FileListBox1->clear();
    const QString mask = FilterComboBox1->currentData().toString();
    QStringList patterns = mask.split(u';');
    if (mask == QLatin1String("*.*"))
        patterns = {QStringLiteral("*")};
    FileListBox1->addItems(dir.entryList(patterns, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void TfTemplate::refreshLists()
{
    const QString chosen = FileListBox1->currentItem() ? FileListBox1->currentItem()->text() : QString();
    fillLists();
    if (chosen.isEmpty())
        return;
    const QList<QListWidgetItem *> same = FileListBox1->findItems(chosen, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (!same.isEmpty())
        FileListBox1->setCurrentItem(same.first());
}

void TfTemplate::showEvent(QShowEvent *e)
{
    refreshLists();
    QDialog::showEvent(e);
}

void TfTemplate::FormCreate()
{
    for (const char *caption : PageCaptions)
        TabSet->addTab(QString::fromLatin1(caption));
    TabSet->setCurrentIndex(0);
    TabSetClick();
}

void TfTemplate::TabSetClick()
{
    Notebook1->setCurrentIndex(TabSet->currentIndex());
    if (TabSet->currentIndex() == 4)
        refreshLists();
}

void TfTemplate::UpdateMemo()
{
    QListWidgetItem *item = FileListBox1->currentItem();
    if (!item)
        return;
    const QString path = QDir(folder_).absoluteFilePath(item->text());
    // Read as a document is read: its encoding found the same way.
    const TextFile::Loaded loaded = TextFile::load(path);
    if (!loaded.ok) {
        Dialogs::instance().error(this, tr("Unable to read the template %1:\n%2").arg(path, loaded.error));
        return;
    }
    memos_[4]->setPlainText(linesOf(QString::fromUtf8(loaded.utf8)).join(u'\n'));
}

void TfTemplate::OKBtnClick()
{
    const QStringList lines = memos_[TabSet->currentIndex()]->toPlainText().split(u'\n');
    QString text;
    for (const QString &line : lines)
        text += line + u'\n';
    TfHTML *doc = services_.newDocumentFromText(text);
    services_.SetStatusText(QStringLiteral("Created a New HTML Document from Template..."));
    doc->setModified(false);
    accept();
}

void TfTemplate::HelpBtnClick()
{
    services_.showHelpTopic(QStringLiteral("documents.html#templates"));
}
