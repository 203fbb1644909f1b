#pragma once

#include "HtmlTable.h"

#include <QAbstractTableModel>
#include <QTableView>

// The table of an HtmlTable as a model for views: one item per cell, row 0 shown as the
// heading row while the table has one.
class HtmlTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit HtmlTableModel(HtmlTable &table, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // After the table changed behind the model's back (a load, moved rows).
    void refresh();
    // Size changes and row insertion and deletion, told to the views.
    void setRows(int rows);
    void setCols(int cols);
    void insertRowAt(int row);
    void deleteRowAt(int row);

private:
    HtmlTable &table_;
};

// The table wizard's grid: a spreadsheet-like view of its table, whose rows and columns can be
// resized and moved, that grows a row when the caret moves down past the end, inserts a row
// with Insert and deletes one with Ctrl+Delete (asking first), and takes the text of a list
// item dropped on it into its current cell. It keeps its table definition file: loading it
// when FileName is set, and saving it back when it goes (AutoSave), except over a file it could
// not read whole.
class tHTMLStringGrid : public QTableView {
    Q_OBJECT
public:
    explicit tHTMLStringGrid(QWidget *parent = nullptr);
    ~tHTMLStringGrid() override;

    HtmlTable &table() { return table_; }
    const HtmlTable &table() const { return table_; }
    HtmlTableModel *tableModel() const { return model_; }

    void setRowCountValue(int rows);
    void setColCountValue(int cols);
    // The number of fixed rows: 1 makes row 0 the heading row (HeaderOn), 0 an ordinary row.
    void setFixedRows(int n);

    // The table definition file; setting a name loads that file (see LoadTableFile).
    const QString &FileName() const { return fileName_; }
    void setFileName(const QString &name);
    // Takes a name without loading it (the save commands).
    void setFileNameOnly(const QString &name) { fileName_ = name; }

    // Reads a table definition file: nothing happens when it does not exist or is empty. A
    // file that cannot be read, or is not a table definition, is reported; what could be read
    // stays.
    void LoadTableFile(const QString &name);
    // Writes the table definition file (keeping a backup copy "<name>BAK" as AutoBackup says);
    // a failure is reported with its reason and leaves the old file intact. False on failure.
    bool SaveTableFile(const QString &name);
    void WriteHTML(QStringList &out) const { table_.WriteHTML(out); }
    // Whether the table file was read whole at its last load (a missing file counts as whole),
    // and why not.
    bool readWhole() const { return readProblem_.isEmpty(); }
    const QString &readProblem() const { return readProblem_; }
    // The end of the program has dealt with the table file already (saved it, or the user
    // said not to): the grid does not save it again when it goes.
    void autoSaveHandled() { autoSaveHandled_ = true; }
    void InsertRow(int row);
    void DeleteRow(int row);

    // Takes the view's row heights and column widths as they are now into the table, and the
    // table's into the view.
    void applySizes();

    // Takes the text of a list entry dropped on the grid into its current cell.
    void dropEntry(const QString &entry);
    // Whether cells outside rows by cols hold text (a smaller table would drop them).
    bool textBeyond(int rows, int cols) const;

signals:
    void tableLoaded();
    // The number of rows or columns changed (a key, a load, the fields).
    void sizeChanged();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dragMoveEvent(QDragMoveEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    void sectionMoved(Qt::Orientation o, int from, int to);
    void fitColumns();

    HtmlTable table_;
    HtmlTableModel *model_;
    QString fileName_;
    QString readProblem_;
    bool autoSaveHandled_ = false;
    bool applying_ = false;
};
