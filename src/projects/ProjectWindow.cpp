#include "ProjectWindow.h"

#include "app/Edit.h"
#include "app/Services.h"
#include "app/Ubag.h"
#include "platform/Dialogs.h"
#include "platform/LineFile.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

const QString TfProj::FileFilter = QStringLiteral("Tolvenra Project File (*.tpr)|*.tpr");
const QString TfProj::AddFilter = QStringLiteral(
    "HTML Document (*.htm;*.html)|*.htm;*.html|Korvo Plug In Files (*.plg)|*.plg|Text Files (*.txt)|*.txt|All Files "
    "(*.*)|*");

TfProj::TfProj(AppServices &services) : QDialog(services.mainWindow()), services_(services)
{
    setObjectName(QStringLiteral("TfProj"));
    setWindowTitle(QStringLiteral("Project Organiser"));
    setDialogFrame(this);

    txtTitle = new QLineEdit(this);
    txtTitle->setObjectName(QStringLiteral("txtTitle"));
    txtTitle->setStyleSheet(QStringLiteral("QLineEdit { background: navy; color: white; font-weight: bold; }"));
    tFN = new QLineEdit(this);
    tFN->setObjectName(QStringLiteral("tFN"));
    tFN->setReadOnly(true);
    tFN->setStyleSheet(QStringLiteral("QLineEdit { background: grey; color: white; }"));
    outProj = new QTreeWidget(this);
    outProj->setObjectName(QStringLiteral("outProj"));
    outProj->setHeaderHidden(true);
    outProj->setContextMenuPolicy(Qt::ActionsContextMenu);
    outProj->setUniformRowHeights(true);

    auto *side = new QVBoxLayout;
    addButtons<TfProj>(this, side,
                       {{"btnOpenProj", "&Open Project", &TfProj::btnOpenProjClick},
                        {"btnNewProj", "&New Project", &TfProj::btnNewProjClick},
                        {"btnSaveProject", "&Save Project", &TfProj::btnSaveProjectClick},
                        {"btnAddFile", "&Add File(s)", &TfProj::btnAddFileClick},
                        {"btnRemoveFile", "&Remove File", &TfProj::btnRemoveFileClick},
                        {"btnOpenFile", "Open &File", &TfProj::btnOpenFileClick},
                        {"btnOpenAll", "Open A&ll", &TfProj::btnOpenAllClick},
                        {"BitBtn1", "Expand All &>", &TfProj::ExpandAll},
                        {"BitBtn2", "Collapse All &<", &TfProj::CollapseAll}});
    side->addStretch(1);
    addButtons<TfProj>(this, side, {{"btnClose", "&Close", &TfProj::btnCloseClick}});

    // The four moves: buttons under the tree, and the tree's context menu.
    auto *moves = new QHBoxLayout;
    addButtons<TfProj>(this, moves,
                       {{"Button1", "&Up", &TfProj::doMoveUp},
                        {"Button2", "&Down", &TfProj::DoMoveDown},
                        {"Button3", "&<", &TfProj::UpBtnClick},
                        {"Button4", "&>", &TfProj::DownBtnClick}});
    const ButtonEntry<TfProj> menuItems[] = {{"MoveUp1", "Move &Up", &TfProj::doMoveUp},
                                             {"MoveDown1", "Move &Down", &TfProj::DoMoveDown},
                                             {"MoveLeft1", "Move &Left", &TfProj::UpBtnClick},
                                             {"MoveRight1", "Move &Right", &TfProj::DownBtnClick}};
    for (const ButtonEntry<TfProj> &m : menuItems) {
        auto *a = new QAction(QString::fromLatin1(m.caption), outProj);
        a->setObjectName(QString::fromLatin1(m.name));
        connect(a, &QAction::triggered, this, m.slot);
        outProj->addAction(a);
    }
    moves->addStretch(1);

    auto *form = new QGridLayout;
    form->addWidget(new QLabel(tr("Project:"), this), 0, 0);
    form->addWidget(txtTitle, 0, 1);
    form->addWidget(new QLabel(tr("File:"), this), 1, 0);
    form->addWidget(tFN, 1, 1);

    auto *left = new QVBoxLayout;
    left->addLayout(form);
    left->addWidget(outProj, 1);
    left->addLayout(moves);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(side);
    resize(620, 440);

    connect(txtTitle, &QLineEdit::textChanged, this, [this](const QString &t) { tree_.title = t; });
    // A title the user types is a change to the project, asked about before it is lost.
    connect(txtTitle, &QLineEdit::textEdited, this, [this] { modified_ = true; });
    connect(outProj, &QTreeWidget::itemDoubleClicked, this, [this] { btnOpenFileClick(); });
    connect(outProj, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem *item) { tree_.setOpen(item->data(0, Qt::UserRole).toInt(), true); });
    connect(outProj, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem *item) { tree_.setOpen(item->data(0, Qt::UserRole).toInt(), false); });

    Prefs = BagPlacement::attach(this, QStringLiteral("Project Org"));
    modified_ = false;
}

int TfProj::selected() const
{
    const QTreeWidgetItem *item = outProj->currentItem();
    return item ? item->data(0, Qt::UserRole).toInt() : -1;
}

void TfProj::select(int index)
{
    QTreeWidgetItemIterator it(outProj);
    for (; *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toInt() == index) {
            outProj->setCurrentItem(*it);
            return;
        }
}

void TfProj::RedoOutProj(int index)
{
    // The tree is rebuilt in memory from the entries: parents on a stack by level.
    const QSignalBlocker block(outProj);
    outProj->setUpdatesEnabled(false);
    outProj->clear();
    QList<QTreeWidgetItem *> parents;
    QList<QTreeWidgetItem *> items;
    items.reserve(tree_.count());
    for (int i = 0; i < tree_.count(); ++i) {
        const ProjectTree::Entry &e = tree_.at(i);
        while (parents.size() >= e.level)
            parents.removeLast();
        auto *item = parents.isEmpty() ? new QTreeWidgetItem(outProj) : new QTreeWidgetItem(parents.last());
        item->setText(0, e.text);
        item->setData(0, Qt::UserRole, i);
        parents.append(item);
        items.append(item);
    }
    for (int i = 0; i < items.size(); ++i)
        items[i]->setExpanded(tree_.at(i).open);
    outProj->setUpdatesEnabled(true);
    if (index >= 0)
        select(qMin(index, tree_.count() - 1));
}

bool TfProj::writeTo(const QString &path)
{
    QString error;
    if (!LineFile::write(path, tree_.fileLines(), &error)) {
        Dialogs::instance().error(this, tr("Unable to save the project %1:\n%2").arg(path, error));
        return false;
    }
    return true;
}

bool TfProj::askAndSave(bool withCancel)
{
    if (!modified_)
        return true;
    if (!isVisible())
        show();
    const QString name = tFN->text().isEmpty() ? QStringLiteral("Untitled Project") : tFN->text();
    const Dialogs::Answer a =
        Dialogs::instance().ask(this, QStringLiteral("Save changes to ") + name + QStringLiteral(" ?"), withCancel);
    if (a == Dialogs::Answer::Cancel)
        return false;
    if (a != Dialogs::Answer::Yes)
        return true;
    QString path = tFN->text();
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        path = Dialogs::instance().saveFile(this, tr("Save Project"), QString(), FileFilter, QString());
        if (path.isEmpty())
            return false;
    }
    if (!writeTo(path))
        return false;
    tFN->setText(path);
    modified_ = false;
    RedoOutProj(selected());
    return true;
}

bool TfProj::SaveActiveProj()
{
    return askAndSave(false);
}

bool TfProj::askToExit()
{
    return askAndSave(true);
}

void TfProj::btnSaveProjectClick()
{
    modified_ = true;
    SaveActiveProj();
}

void TfProj::btnNewProjClick()
{
    QString name = QStringLiteral("HTML Project");
    if (!Dialogs::instance().input(this, QStringLiteral("New Project"), QStringLiteral("Enter a name for this Project"),
                                   name))
        return;
    if (modified_ && !SaveActiveProj())
        return;
    txtTitle->setText(name);
    tree_.clear();
    tFN->clear();
    RedoOutProj(-1);
    modified_ = true;
}

void TfProj::btnOpenProjClick()
{
    if (!SaveActiveProj())
        return;
    const QStringList names = Dialogs::instance().openFiles(this, tr("Open Project"), QString(), FileFilter);
    if (names.isEmpty())
        return;
    const QString path = names.first();
    bool ok = false;
    QString error;
    const QStringList lines = LineFile::read(path, &ok, &error);
    ProjectTree loaded;
    if (!ok || !ProjectTree::fromLines(lines, &loaded, &error)) {
        // A file that is not a project changes nothing.
        Dialogs::instance().error(this, tr("Unable to open the project %1:\n%2").arg(path, error));
        return;
    }
    tree_ = std::move(loaded);
    modified_ = false;
    txtTitle->setText(tree_.title);
    tFN->setText(path);
    ExpandAll();
    select(0);
}

void TfProj::btnAddFileClick()
{
    const QStringList names = Dialogs::instance().openFiles(this, tr("Add File(s)"), QString(), AddFilter);
    if (names.isEmpty())
        return;
    int at = selected();
    for (const QString &name : names) {
        // Paths are kept as the file system spells them.
        const int inserted = tree_.insertBefore(at, name);
        if (at >= 0)
            at = inserted + 1; // the selected entry moves down with each insertion
    }
    modified_ = true;
    RedoOutProj(at >= 0 ? at : tree_.count() - 1);
}

void TfProj::btnRemoveFileClick()
{
    const int i = selected();
    if (i < 0)
        return;
    if (tree_.hasChildren(i) &&
        Dialogs::instance().ask(this, QStringLiteral("This will remove all sub files as well \n\r\n\rContinue ?"),
                                false) != Dialogs::Answer::Yes)
        return;
    tree_.remove(i);
    modified_ = true;
    RedoOutProj(i);
}

void TfProj::btnOpenFileClick()
{
    const int i = selected();
    if (i >= 0)
        services_.openDocument(onDisk(tree_.at(i).text));
}

void TfProj::btnOpenAllClick()
{
    for (int i = 0; i < tree_.count(); ++i)
        services_.openDocument(onDisk(tree_.at(i).text));
}

void TfProj::ExpandAll()
{
    for (int i = 0; i < tree_.count(); ++i)
        if (tree_.hasChildren(i))
            tree_.setOpen(i, true);
    RedoOutProj(selected());
}

void TfProj::CollapseAll()
{
    for (int i = 0; i < tree_.count(); ++i)
        if (tree_.hasChildren(i))
            tree_.setOpen(i, false);
    RedoOutProj(selected());
}

void TfProj::moved(int index)
{
    if (index < 0)
        return;
    modified_ = true;
    RedoOutProj(index);
}

void TfProj::doMoveUp() { moved(tree_.moveUp(selected())); }
void TfProj::DoMoveDown() { moved(tree_.moveDown(selected())); }
void TfProj::UpBtnClick() { moved(tree_.moveLeft(selected())); }
void TfProj::DownBtnClick() { moved(tree_.moveRight(selected())); }

void TfProj::btnCloseClick()
{
    close();
}

void TfProj::closeEvent(QCloseEvent *e)
{
    SaveActiveProj(); // the window closes whatever the answer; the project stays in it
    QDialog::closeEvent(e);
}

QString TfProj::onDisk(const QString &path)
{
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;
    // Walk the path from its root, taking each part in the spelling the folder holds.
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const QStringList parts = absolute.split(u'/', Qt::SkipEmptyParts);
    QString built = QStringLiteral("/");
    for (const QString &part : parts) {
        QDir dir(built);
        QString found;
        if (QFileInfo::exists(dir.filePath(part))) {
            found = part;
        } else {
            const QStringList names = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
            for (const QString &n : names)
                if (n.compare(part, Qt::CaseInsensitive) == 0) {
                    found = n;
                    break;
                }
        }
        if (found.isEmpty())
            return path;
        built = dir.filePath(found);
    }
    return built;
}

void TfProj::SaveOpenasNewProject1Click(AppServices &services)
{
    const QList<TfHTML *> docs = services.documents();
    if (docs.isEmpty()) {
        Dialogs::instance().message(services.mainWindow(), QStringLiteral("No current document."));
        return;
    }
    QString name;
    if (!Dialogs::instance().input(services.mainWindow(), QStringLiteral("New Project"),
                                   QStringLiteral("Enter a name for this New Project"), name) ||
        name.isEmpty())
        return;
    auto *proj = services.toolWindows().get<TfProj>();
    proj->show();
    proj->tree_.clear();
    proj->txtTitle->setText(name);
    proj->tFN->clear();
    for (TfHTML *d : docs)
        proj->tree_.append(d->caption());
    proj->RedoOutProj(0);
    proj->btnSaveProjectClick();
}
