#include "Plugin.h"

#include "app/LineListStore.h"
#include "app/Services.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"
#include "tags/TagEngine.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

PlugInCommand PlugInCommand::parse(const QString &line)
{
    PlugInCommand c;
    const qsizetype first = line.indexOf(u'\t');
    if (first < 0) {
        // No tab: the whole line describes and is inserted after the selection.
        c.description = line;
        c.right = line.left(255);
        return c;
    }
    c.description = line.left(first);
    const QString rest = line.mid(first + 1).left(255);
    const qsizetype second = rest.indexOf(u'\t');
    if (second < 0) {
        c.right = rest;
    } else {
        c.left = rest.left(second);
        c.right = rest.mid(second + 1);
    }
    return c;
}

QStringList builtInPlugInCommands()
{
    return {
        QStringLiteral("Background Color : Black\t<BODY BGCOLOR=\"#000000\">\t"),
        QStringLiteral("Background Color : Blue\t<BODY BGCOLOR=\"#0000FF\">\t"),
        QStringLiteral("Background Color : Cyan\t<BODY BGCOLOR=\"#00FFFF\">\t"),
        QStringLiteral("Background Color : Green\t<BODY BGCOLOR=\"#00FF00\">\t"),
        QStringLiteral("Background Color : Magenta\t<BODY BGCOLOR=\"#FF00FF\">\t"),
        QStringLiteral("Background Color : Nice Yellow\t<BODY BGCOLOR=\"#FFE27F\" TEXT=\"#000000\">\t"),
        QStringLiteral("Background Color : Red\t<BODY BGCOLOR=\"#FF0000\">\t"),
        QStringLiteral("Background Color : White\t<BODY BGCOLOR=\"#FFFFFF\">\t"),
        QStringLiteral("Background Color : Yellow\t<BODY BGCOLOR=\"#FFFF00\">\t"),
        QStringLiteral("Background Extended\t<BODY BGCOLOR=\"#000000\" TEXT=\"#FFFFFF\" LINK=\"#FF0000\" "
                       "VLINK=\"#C000C0\" ALINK=\"#FF0000\">\t"),
        QStringLiteral("Background Simple\t<BODY BACKGROUND=\"\t\">"),
    };
}

QStringList plugInFiles()
{
    QStringList files = QDir(AppPaths::programFolder()).entryList({QStringLiteral("*.plg")}, QDir::Files | QDir::Hidden);
    files.sort(Qt::CaseInsensitive);
    return files;
}

void PlugInList::startDrag(Qt::DropActions supportedActions)
{
    if (!currentItem())
        return;
    if (onDrag)
        onDrag(indexOfTopLevelItem(currentItem()));
    QTreeWidget::startDrag(supportedActions);
}

TfPlugIn::TfPlugIn(AppServices &services)
    : ToolWindow(services, QStringLiteral("TfPlugIn"), QStringLiteral("Tolvenra Plug Ins"), QStringLiteral("Plug Ins"))
{
    commands_ = new LineListStore(QString(), builtInPlugInCommands(), this);

    lstPFiles = new QComboBox(this);
    lstPFiles->setObjectName(QStringLiteral("lstPFiles"));
    lstPFiles->setToolTip(QStringLiteral("Select a Plug In file to display"));
    lPlug = new PlugInList(this);
    lPlug->setObjectName(QStringLiteral("lPlug"));
    lPlug->setToolTip(QStringLiteral("Double Click or Drag & Drop to Insert HTML Tag"));
    lPlug->setColumnCount(3);
    lPlug->setHeaderLabels({QStringLiteral("Description"), QStringLiteral("Insert Left"), QStringLiteral("Insert Right")});
    lPlug->header()->setSectionsMovable(false);
    lPlug->setRootIsDecorated(false);
    lPlug->setDragEnabled(true);
    lPlug->setDragDropMode(QAbstractItemView::DragOnly);
    auto *insert = new QPushButton(QStringLiteral("&Insert"), this);
    insert->setObjectName(QStringLiteral("OKBtn"));
    auto *closeBtn = new QPushButton(QStringLiteral("&Close"), this);
    closeBtn->setObjectName(QStringLiteral("CancelBtn"));

    auto *help = new QPushButton(QStringLiteral("&Help"), this);
    help->setObjectName(QStringLiteral("HelpBtn"));
    auto *refresh = new QPushButton(QStringLiteral("&Refresh List"), this);
    refresh->setObjectName(QStringLiteral("btnRefresh"));
    refresh->setToolTip(QStringLiteral("Refresh list of Plug In Files"));

    auto *top = new QHBoxLayout;
    top->addWidget(lstPFiles, 1);
    top->addWidget(refresh);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(insert);
    buttons->addWidget(closeBtn);
    buttons->addWidget(help);
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->addLayout(top);
    layout->addWidget(lPlug, 1);
    layout->addLayout(buttons);
    setCentralWidget(central);

    menuBar()->addMenu(QStringLiteral("&Refresh"))
        ->addAction(QStringLiteral("&Rescan for PlugIn Files"), this, &TfPlugIn::SetListBox);

    connect(insert, &QPushButton::clicked, this, &TfPlugIn::OKBtnClick);
    connect(closeBtn, &QPushButton::clicked, this, &QWidget::close);
    connect(help, &QPushButton::clicked, this, [this] { services_.showHelpTopic(QStringLiteral("plugins.html")); });
    connect(refresh, &QPushButton::clicked, this, &TfPlugIn::SetListBox);
    connect(lstPFiles, &QComboBox::activated, this, &TfPlugIn::GetCommands);
    connect(lPlug, &QTreeWidget::itemDoubleClicked, this, &TfPlugIn::OKBtnClick);
    lPlug->viewport()->installEventFilter(this);
    lPlug->onDrag = [this](int row) {
        const PlugInCommand c = commandAt(row);
        services_.tags().setLastPair(c.left, c.right);
    };

    resize(620, 420);

    setCommands(builtInPlugInCommands());
    SetListBox();
}

void TfPlugIn::setCommands(QStringList lines)
{
    lines.sort();
    commands_->setLines(lines);
    showCommands();
}

void TfPlugIn::keyPressEvent(QKeyEvent *e)
{
    // Esc closes the window when no part of it (an open drop-down list) takes the key first.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    ToolWindow::keyPressEvent(e);
}

bool TfPlugIn::eventFilter(QObject *watched, QEvent *e)
{
    // The columns keep their shares of the list's width: 35 % for the description, 40 % for
    // the text put before the selection, the rest for the text after it.
    if (watched == lPlug->viewport() && e->type() == QEvent::Resize)
        fitColumns();
    return ToolWindow::eventFilter(watched, e);
}

void TfPlugIn::fitColumns()
{
    const int w = lPlug->viewport()->width();
    if (w <= 0)
        return;
    lPlug->setColumnWidth(0, w * 35 / 100);
    lPlug->setColumnWidth(1, w * 40 / 100);
}

PlugInCommand TfPlugIn::commandAt(int row) const
{
    const QStringList lines = commands_->lines();
    return row >= 0 && row < lines.size() ? PlugInCommand::parse(lines[row]) : PlugInCommand();
}

void TfPlugIn::showCommands()
{
    lPlug->clear();
    for (const QString &line : commands_->lines()) {
        const PlugInCommand c = PlugInCommand::parse(line);
        new QTreeWidgetItem(lPlug, {c.description, c.left, c.right});
    }
    fitColumns();
}

QStringList TfPlugIn::commandLines() const
{
    return commands_->lines();
}

void TfPlugIn::SetListBox()
{
    const QStringList files = plugInFiles();
    if (files.isEmpty())
        return;
    lstPFiles->clear();
    lstPFiles->addItems(files);
    lstPFiles->setCurrentIndex(0);
    GetCommands();
}

void TfPlugIn::GetCommands()
{
    if (lstPFiles->currentIndex() < 0)
        return;
    LineListStore file(AppPaths::programFile(lstPFiles->currentText()));
    QString error;
    if (!file.fileExists() || !file.load(&error)) {
        // A file that cannot be read is not chosen: its name does not stand over another
        // file's commands.
        const QString name = lstPFiles->currentText();
        lstPFiles->setCurrentIndex(-1);
        setCommands({});
        Dialogs::instance().error(this, tr("Unable to read the plug-in file %1.\n\n%2")
                                            .arg(name, error.isEmpty() ? tr("The file no longer exists.") : error));
        return;
    }
    setCommands(file.lines());
}

void TfPlugIn::OKBtnClick()
{
    QTreeWidgetItem *item = lPlug->currentItem();
    if (!item)
        return;
    const PlugInCommand c = commandAt(lPlug->indexOfTopLevelItem(item));
    services_.tags().InsertTag(c.left, c.right);
}
