#include "HelpWindow.h"

#include <QApplication>
#include <QEvent>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent, Qt::Window), owner_(parent)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr("Tolvenra Help"));
    resize(860, 620);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenExternalLinks(true);

    side_ = new QTabWidget(this);
    auto *searchPage = new QWidget(side_);
    keywordEdit_ = new QLineEdit(searchPage);
    keywordEdit_->setObjectName(QStringLiteral("HelpKeyword"));
    keywordEdit_->setPlaceholderText(tr("Type a keyword"));
    keywords_ = new QListWidget(searchPage);
    keywords_->setObjectName(QStringLiteral("HelpKeywords"));
    auto *searchLayout = new QVBoxLayout(searchPage);
    auto *prompt = new QLabel(tr("&Type the word you are looking for:"), searchPage);
    prompt->setBuddy(keywordEdit_);
    searchLayout->addWidget(prompt);
    searchLayout->addWidget(keywordEdit_);
    searchLayout->addWidget(keywords_);
    side_->addTab(searchPage, tr("Search"));

    auto *toolbar = new QToolBar(this);
    toolbar->addAction(tr("&Contents"), this, &HelpWindow::showContents);
    toolbar->addAction(tr("&Search"), this, [this] { showSearch(keywordEdit_->text()); });
    toolbar->addAction(tr("&Back"), browser_, &QTextBrowser::backward);
    toolbar->addAction(tr("&Forward"), browser_, &QTextBrowser::forward);
    toolbar->addAction(tr("&Help on Help"), this, &HelpWindow::showHelpOnHelp);

    auto *splitter = new QSplitter(this);
    splitter->addWidget(side_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 640});

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(toolbar);
    layout->addWidget(splitter);

    connect(keywordEdit_, &QLineEdit::textChanged, this, &HelpWindow::filterKeywords);
    connect(keywordEdit_, &QLineEdit::returnPressed, this, [this] {
        if (keywords_->count() > 0)
            showTopic(keywords_->item(0)->data(Qt::UserRole).toString());
    });
    connect(keywords_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { showTopic(item->data(Qt::UserRole).toString()); });
}

void HelpWindow::setHelpFolder(const QString &folder)
{
    if (folder == folder_)
        return;
    folder_ = folder;
    browser_->setSearchPaths({folder});
    loadKeywords();
}

void HelpWindow::loadKeywords()
{
    keywords_->clear();
    QFile f(folder_ + QLatin1String("/keywords.txt"));
    if (!f.open(QIODevice::ReadOnly))
        return;
    for (const auto &[keyword, page] : parseKeywords(f.readAll())) {
        auto *item = new QListWidgetItem(keyword, keywords_);
        item->setData(Qt::UserRole, page);
    }
    keywords_->sortItems();
}

QList<QPair<QString, QString>> HelpWindow::parseKeywords(const QByteArray &bytes)
{
    QList<QPair<QString, QString>> out;
    const QStringList lines = QString::fromUtf8(bytes).split(u'\n');
    for (QString line : lines) {
        line = line.trimmed();
        const qsizetype tab = line.indexOf(u'\t');
        if (tab <= 0)
            continue;
        out.append({line.left(tab), line.mid(tab + 1).trimmed()});
    }
    return out;
}

void HelpWindow::filterKeywords(const QString &text)
{
    QListWidgetItem *first = nullptr;
    for (int i = 0; i < keywords_->count(); ++i) {
        QListWidgetItem *item = keywords_->item(i);
        const bool match = item->text().contains(text, Qt::CaseInsensitive);
        item->setHidden(!match);
        if (match && !first)
            first = item;
    }
    if (first)
        keywords_->setCurrentItem(first);
}

void HelpWindow::present()
{
    // A modal dialog blocks every window but its own: help asked for while one is open (the
    // options dialog's Help button) becomes the dialog's window, usable beside it, and goes
    // back to its owner when the dialog closes.
    QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal != this && modal != modal_ && !isAncestorOf(modal)) {
        if (modal_)
            modal_->removeEventFilter(this);
        modal_ = modal;
        modal_->installEventFilter(this);
        moveTo(modal_);
    }
    show();
    raise();
    activateWindow();
}

void HelpWindow::moveTo(QWidget *parent)
{
    if (parentWidget() == parent)
        return;
    const bool shown = !isHidden();
    const QRect place = geometry();
    setParent(parent, windowFlags() | Qt::Window);
    setGeometry(place);
    if (shown)
        show();
}

bool HelpWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == modal_ && (event->type() == QEvent::Hide || event->type() == QEvent::Destroy)) {
        modal_->removeEventFilter(this);
        modal_ = nullptr;
        moveTo(owner_);
    }
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::showContents()
{
    showTopic(QStringLiteral("index.html"));
}

void HelpWindow::showSearch(const QString &keyword)
{
    side_->setCurrentIndex(0);
    keywordEdit_->setText(keyword);
    filterKeywords(keyword);
    if (browser_->source().isEmpty())
        showContents();
    present();
    keywordEdit_->setFocus();
}

void HelpWindow::showHelpOnHelp()
{
    showTopic(QStringLiteral("helponhelp.html"));
}

void HelpWindow::showTopic(const QString &topic)
{
    // A topic may name a section of its page: "page.html#section".
    const qsizetype hash = topic.indexOf(u'#');
    const QString page = hash < 0 ? topic : topic.left(hash);
    const QString path = QDir(folder_).filePath(page);
    if (QFileInfo::exists(path)) {
        QUrl url = QUrl::fromLocalFile(path);
        if (hash >= 0)
            url.setFragment(topic.mid(hash + 1));
        browser_->setSource(url);
    } else
        browser_->setHtml(tr("<h2>Help is not installed</h2><p>The help page <b>%1</b> was not found in %2.</p>")
                              .arg(page.toHtmlEscaped(), folder_.toHtmlEscaped()));
    present();
}

QString HelpWindow::currentPage() const
{
    return QFileInfo(browser_->source().toLocalFile()).fileName();
}
