#include "HtmlGrid.h"

#include "app/ErrorBoundary.h"
#include "app/ToolWindow.h"
#include "platform/Dialogs.h"
#include "platform/LineFile.h"
#include "platform/SafeFile.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QPalette>

HtmlTableModel::HtmlTableModel(HtmlTable &table, QObject *parent) : QAbstractTableModel(parent), table_(table) {}

int HtmlTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : table_.rowCount();
}

int HtmlTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : table_.colCount();
}

QVariant HtmlTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return table_.cell(index.column(), index.row());
    if (index.row() == 0 && table_.HeaderOn) {
        if (role == Qt::BackgroundRole)
            return QApplication::palette().button();
        if (role == Qt::FontRole) {
            QFont f = QApplication::font();
            f.setBold(true);
            return f;
        }
    }
    return {};
}

bool HtmlTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    table_.setCell(index.column(), index.row(), value.toString());
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags HtmlTableModel::flags(const QModelIndex &index) const
{
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable | Qt::ItemIsDropEnabled;
}

QVariant HtmlTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    // Rows and columns are numbered alike, from 1.
    return QString::number(section + 1);
}

void HtmlTableModel::refresh()
{
    beginResetModel();
    endResetModel();
}

void HtmlTableModel::setRows(int rows)
{
    rows = qBound(1, rows, HtmlTable::MaxRows);
    const int old = table_.rowCount();
    if (rows > old) {
        beginInsertRows({}, old, rows - 1);
        table_.setRowCount(rows);
        endInsertRows();
    } else if (rows < old) {
        beginRemoveRows({}, rows, old - 1);
        table_.setRowCount(rows);
        endRemoveRows();
    }
}

void HtmlTableModel::setCols(int cols)
{
    cols = qBound(1, cols, HtmlTable::MaxCols);
    const int old = table_.colCount();
    if (cols > old) {
        beginInsertColumns({}, old, cols - 1);
        table_.setColCount(cols);
        endInsertColumns();
    } else if (cols < old) {
        beginRemoveColumns({}, cols, old - 1);
        table_.setColCount(cols);
        endRemoveColumns();
    }
}

void HtmlTableModel::insertRowAt(int row)
{
    if (row < 0 || row >= table_.rowCount() || table_.rowCount() >= HtmlTable::MaxRows)
        return;
    beginInsertRows({}, row, row);
    table_.InsertRow(row);
    endInsertRows();
}

void HtmlTableModel::deleteRowAt(int row)
{
    if (row < 0 || row >= table_.rowCount() || table_.rowCount() <= 1)
        return;
    beginRemoveRows({}, row, row);
    table_.DeleteRow(row);
    endRemoveRows();
}

tHTMLStringGrid::tHTMLStringGrid(QWidget *parent) : QTableView(parent)
{
    model_ = new HtmlTableModel(table_, this);
    setModel(model_);
    setObjectName(QStringLiteral("grdTable"));
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setTabKeyNavigation(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DropOnly);
    for (QHeaderView *h : {horizontalHeader(), verticalHeader()}) {
        h->setSectionsMovable(true);
        h->setSectionResizeMode(QHeaderView::Interactive);
        h->setMinimumSectionSize(8);
    }
    horizontalHeader()->setDefaultSectionSize(table_.defaultColWidth);
    verticalHeader()->setDefaultSectionSize(qMax(table_.defaultRowHeight, fontMetrics().height() + 6));
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (!applying_)
            table_.setColWidth(logical, size);
    });
    connect(verticalHeader(), &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (!applying_)
            table_.setRowHeight(logical, size);
    });
    connect(horizontalHeader(), &QHeaderView::sectionMoved, this,
            [this](int, int from, int to) { sectionMoved(Qt::Horizontal, from, to); });
    connect(verticalHeader(), &QHeaderView::sectionMoved, this,
            [this](int, int from, int to) { sectionMoved(Qt::Vertical, from, to); });
}

tHTMLStringGrid::~tHTMLStringGrid()
{
    // The table goes back to its file when the grid goes (at program end for the wizard),
    // unless the end of the program asked about it already, or the file was not read whole:
    // what the grid holds then is not all the file held.
    if (table_.AutoSave && !fileName_.isEmpty() && !autoSaveHandled_ && readWhole())
        SaveTableFile(fileName_);
}

void tHTMLStringGrid::sectionMoved(Qt::Orientation o, int from, int to)
{
    // The data moves; the header goes back to showing sections in their own order.
    QHeaderView *h = o == Qt::Horizontal ? horizontalHeader() : verticalHeader();
    {
        const QSignalBlocker block(h);
        h->moveSection(to, from);
    }
    if (o == Qt::Horizontal)
        table_.moveCol(from, to);
    else
        table_.moveRow(from, to);
    model_->refresh();
    applySizes();
}

void tHTMLStringGrid::setRowCountValue(int rows)
{
    model_->setRows(rows);
    applySizes();
    emit sizeChanged();
}

void tHTMLStringGrid::setColCountValue(int cols)
{
    model_->setCols(cols);
    applySizes();
    emit sizeChanged();
}

bool tHTMLStringGrid::textBeyond(int rows, int cols) const
{
    for (int r = 0; r < table_.rowCount(); ++r)
        for (int c = 0; c < table_.colCount(); ++c)
            if ((r >= rows || c >= cols) && !table_.cell(c, r).isEmpty())
                return true;
    return false;
}

void tHTMLStringGrid::fitColumns()
{
    // Columns the file gives no width are widened to show their texts (up to a limit), on
    // screen only: the table keeps its widths.
    applying_ = true;
    for (int c = 0; c < table_.colCount(); ++c)
        if (table_.colWidth(c) == table_.defaultColWidth) {
            const int wanted = qMin(320, sizeHintForColumn(c));
            if (wanted > horizontalHeader()->sectionSize(c))
                horizontalHeader()->resizeSection(c, wanted);
        }
    applying_ = false;
}

void tHTMLStringGrid::setFixedRows(int n)
{
    table_.HeaderOn = n > 0;
    model_->refresh();
    applySizes();
}

void tHTMLStringGrid::applySizes()
{
    applying_ = true;
    horizontalHeader()->setDefaultSectionSize(table_.defaultColWidth);
    for (int c = 0; c < table_.colCount(); ++c)
        if (horizontalHeader()->sectionSize(c) != table_.colWidth(c))
            horizontalHeader()->resizeSection(c, table_.colWidth(c));
    const int rowDefault = qMax(table_.defaultRowHeight, fontMetrics().height() + 6);
    verticalHeader()->setDefaultSectionSize(rowDefault);
    for (int r = 0; r < table_.rowCount(); ++r) {
        const int h = table_.rowHeight(r) == table_.defaultRowHeight ? rowDefault : table_.rowHeight(r);
        if (verticalHeader()->sectionSize(r) != h)
            verticalHeader()->resizeSection(r, h);
    }
    applying_ = false;
}

void tHTMLStringGrid::setFileName(const QString &name)
{
    fileName_ = name;
    if (!name.isEmpty())
        LoadTableFile(name);
}

void tHTMLStringGrid::LoadTableFile(const QString &name)
{
    readProblem_.clear();
    const QFileInfo info(name);
    if (!info.exists() || (info.isFile() && info.size() == 0))
        return;
    bool ok = false;
    QString error;
    const QStringList lines = LineFile::read(name, &ok, &error);
    if (!ok) {
        readProblem_ = error;
        Dialogs::instance().error(this, tr("Unable to load the table %1.\n\n%2").arg(name, error));
        return;
    }
    const bool whole = table_.readLines(lines, &error);
    if (!whole)
        readProblem_ = error;
    model_->refresh();
    applySizes();
    fitColumns();
    emit tableLoaded();
    emit sizeChanged();
    if (!whole)
        Dialogs::instance().error(this, tr("%1 is not a whole table definition file; what could be read is "
                                          "shown.\n\n%2")
                                            .arg(name, error));
}

bool tHTMLStringGrid::SaveTableFile(const QString &name)
{
    const QFileInfo info(name);
    if (name.isEmpty() || info.isDir() || !info.absoluteDir().exists()) {
        Dialogs::instance().error(this, name + QStringLiteral(" is not a valid file name."));
        return false;
    }
    // The first version of the file is kept as "<name>BAK"; a backup that exists already
    // stays as it is.
    if (table_.AutoBackup && info.isFile()) {
        const QString backup = name + QStringLiteral("BAK");
        QString ignored;
        if (!QFileInfo::exists(backup))
            SafeFile::copy(name, backup, &ignored);
    }
    QString error;
    if (!LineFile::write(name, table_.fileLines(), &error)) {
        Dialogs::instance().error(this, tr("Unable to save the table to %1.\n\n%2").arg(name, error));
        return false;
    }
    if (name == fileName_)
        readProblem_.clear(); // the file holds the table as the grid shows it now
    return true;
}

void tHTMLStringGrid::InsertRow(int row)
{
    // A cell being edited keeps what was typed before the rows move.
    if (state() == QAbstractItemView::EditingState)
        if (QWidget *editor = focusWidget(); editor && editor != this) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    model_->insertRowAt(row);
    applySizes();
    emit sizeChanged();
}

void tHTMLStringGrid::DeleteRow(int row)
{
    model_->deleteRowAt(row);
    applySizes();
    emit sizeChanged();
}

void tHTMLStringGrid::keyPressEvent(QKeyEvent *e)
{
    const int row = currentIndex().isValid() ? currentIndex().row() : 0;
    if (e->key() == Qt::Key_Down && e->modifiers() == Qt::NoModifier && row == table_.rowCount() - 1) {
        // Moving down past the end grows the table.
        setRowCountValue(table_.rowCount() + 1);
    } else if (e->key() == Qt::Key_Insert && e->modifiers() == Qt::NoModifier) {
        InsertRow(row);
        return;
    } else if (e->key() == Qt::Key_Delete && e->modifiers() == Qt::ControlModifier) {
        if (table_.rowCount() > 2 &&
            Dialogs::instance().confirm(this, QStringLiteral("Are you sure you want to delete this row?")))
            DeleteRow(row);
        return;
    }
    QTableView::keyPressEvent(e);
}

void tHTMLStringGrid::dragEnterEvent(QDragEnterEvent *e)
{
    // Drops come from the program's list boxes.
    if (qobject_cast<QListWidget *>(e->source()))
        e->acceptProposedAction();
    else
        e->ignore();
}

void tHTMLStringGrid::dragMoveEvent(QDragMoveEvent *e)
{
    if (qobject_cast<QListWidget *>(e->source()))
        e->acceptProposedAction();
    else
        e->ignore();
}

void tHTMLStringGrid::dropEvent(QDropEvent *e)
{
    auto *list = qobject_cast<QListWidget *>(e->source());
    if (!list || !list->currentItem()) {
        e->ignore();
        return;
    }
    dropEntry(list->currentItem()->text());
    e->acceptProposedAction();
}

void tHTMLStringGrid::dropEntry(const QString &entry)
{
    // The text goes into the cell that has the focus, not the one under the mouse; an entry of
    // two columns ("&copy;<TAB>copyright") gives the text before its tab.
    const QModelIndex at = currentIndex().isValid() ? currentIndex() : model_->index(0, 0);
    model_->setData(at, PickerList::firstColumn(entry), Qt::EditRole);
}
