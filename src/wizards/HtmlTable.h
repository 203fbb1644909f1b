#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// Where the second title row of a table goes: before the heading row or after the last row.
enum TCaption2Placement { cpTop, cpBottom };

// The table the table wizard designs, without a window: cells of text by column and row, row
// heights and column widths that differ from the defaults, the grid line width (which is the
// table's border width), the heading row and the two titles. It writes the table's HTML and
// reads and writes table definition files (".ttb").
class HtmlTable {
public:
    static constexpr int MaxRows = 500;
    static constexpr int MaxCols = 500;
    static constexpr int DefaultColWidth = 64;

    HtmlTable(int rows = 2, int cols = 2);

    int rowCount() const { return rows_; }
    int colCount() const { return cols_; }
    // Cells outside the new size are dropped; new cells are empty.
    void setRowCount(int rows);
    void setColCount(int cols);
    QString cell(int col, int row) const;
    // A cell holds one line: line breaks in text become blanks (see oneLine).
    void setCell(int col, int row, const QString &text);
    static QString oneLine(const QString &text);
    void clearCells();

    int defaultRowHeight = 16;
    int defaultColWidth = DefaultColWidth;
    int gridLineWidth = 1;
    bool HeaderOn = true;
    bool AutoBackup = true;
    QChar CellDelimiter = u'|';
    QString Caption1, Caption2;
    TCaption2Placement Caption2Placement = cpTop;
    bool AutoSave = true;

    int rowHeight(int row) const { return rowHeights_.value(row, defaultRowHeight); }
    int colWidth(int col) const { return colWidths_.value(col, defaultColWidth); }
    void setRowHeight(int row, int height);
    void setColWidth(int col, int width);

    // Inserts an empty row at row (the rows from it move down); row heights stay with their
    // indices.
    void InsertRow(int row);
    // Removes row: the rows below move up and the row count shrinks by one.
    void DeleteRow(int row);
    // Moves a row or a column to another index, the others closing up behind it.
    void moveRow(int from, int to);
    void moveCol(int from, int to);

    // Appends the table's HTML, one entry per line.
    void WriteHTML(QStringList &out) const;
    QStringList html() const;
    // The same lines joined by lineBreak, built in one string.
    QString htmlText(const QString &lineBreak) const;

    // The lines of the table definition file.
    QStringList fileLines() const;
    // Reads table definition lines into the table. Malformed lines end the reading with what
    // was read so far applied; false with *error saying why (empty when the lines ended well).
    bool readLines(const QStringList &lines, QString *error);

private:
    using LineWriter = std::function<void(QStringView, QStringView, QStringView)>;
    void writeLines(const LineWriter &line) const;
    qsizetype index(int col, int row) const { return qsizetype(row) * cols_ + col; }

    int rows_, cols_;
    QVector<QString> cells_;
    QHash<int, int> rowHeights_, colWidths_;
};
