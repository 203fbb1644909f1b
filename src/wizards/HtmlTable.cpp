#include "HtmlTable.h"

HtmlTable::HtmlTable(int rows, int cols) : rows_(qBound(1, rows, MaxRows)), cols_(qBound(1, cols, MaxCols))
{
    cells_.resize(qsizetype(rows_) * cols_);
}

void HtmlTable::setRowCount(int rows)
{
    rows = qBound(1, rows, MaxRows);
    cells_.resize(qsizetype(rows) * cols_);
    rows_ = rows;
}

void HtmlTable::setColCount(int cols)
{
    cols = qBound(1, cols, MaxCols);
    if (cols == cols_)
        return;
    QVector<QString> next(qsizetype(rows_) * cols);
    const int keep = qMin(cols, cols_);
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < keep; ++c)
            next[qsizetype(r) * cols + c] = std::move(cells_[index(c, r)]);
    cells_ = std::move(next);
    cols_ = cols;
}

QString HtmlTable::cell(int col, int row) const
{
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_)
        return {};
    return cells_[index(col, row)];
}

void HtmlTable::setCell(int col, int row, const QString &text)
{
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_)
        return;
    cells_[index(col, row)] = oneLine(text);
}

QString HtmlTable::oneLine(const QString &text)
{
    // A cell and a title are one line of text (the table file holds each on a line of its
    // own); a line break in a text put in (a dropped entry written over several lines) is a
    // blank, as it is in HTML.
    if (!text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString one = text;
    one.replace(QLatin1String("\r\n"), QLatin1String(" "));
    one.replace(u'\r', u' ');
    one.replace(u'\n', u' ');
    return one;
}

void HtmlTable::clearCells()
{
    for (QString &c : cells_)
        c.clear();
}

void HtmlTable::setRowHeight(int row, int height)
{
    if (height == defaultRowHeight)
        rowHeights_.remove(row);
    else
        rowHeights_.insert(row, height);
}

void HtmlTable::setColWidth(int col, int width)
{
    if (width == defaultColWidth)
        colWidths_.remove(col);
    else
        colWidths_.insert(col, width);
}

void HtmlTable::InsertRow(int row)
{
    if (row < 0 || row >= rows_ || rows_ >= MaxRows)
        return;
    setRowCount(rows_ + 1);
    for (int r = rows_ - 1; r > row; --r)
        for (int c = 0; c < cols_; ++c)
            cells_[index(c, r)] = std::move(cells_[index(c, r - 1)]);
    for (int c = 0; c < cols_; ++c)
        cells_[index(c, row)].clear();
}

void HtmlTable::DeleteRow(int row)
{
    if (row < 0 || row >= rows_ || rows_ <= 1)
        return;
    for (int r = row; r + 1 < rows_; ++r)
        for (int c = 0; c < cols_; ++c)
            cells_[index(c, r)] = std::move(cells_[index(c, r + 1)]);
    setRowCount(rows_ - 1);
}

void HtmlTable::moveRow(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= rows_ || to >= rows_)
        return;
    QVector<QString> moving(cells_.begin() + index(0, from), cells_.begin() + index(0, from) + cols_);
    const int step = from < to ? 1 : -1;
    for (int r = from; r != to; r += step)
        for (int c = 0; c < cols_; ++c)
            cells_[index(c, r)] = std::move(cells_[index(c, r + step)]);
    for (int c = 0; c < cols_; ++c)
        cells_[index(c, to)] = std::move(moving[c]);
}

void HtmlTable::moveCol(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= cols_ || to >= cols_)
        return;
    for (int r = 0; r < rows_; ++r) {
        QString moving = std::move(cells_[index(from, r)]);
        const int step = from < to ? 1 : -1;
        for (int c = from; c != to; c += step)
            cells_[index(c, r)] = std::move(cells_[index(c + step, r)]);
        cells_[index(to, r)] = std::move(moving);
    }
}

void HtmlTable::writeLines(const LineWriter &line) const
{
    // Each line is written as its three pieces (opening, text, closing), so the 250,000 cell
    // lines of a large table need no string of their own.
    const QString br = QStringLiteral("<br>");
    auto text = [&](int c, int r) -> QStringView {
        const QString &t = cells_[index(c, r)];
        return t.isEmpty() ? QStringView(br) : QStringView(t);
    };
    const QString titleRow = QStringLiteral("<tr><th nowrap colspan=%1>").arg(cols_);
    const QString tableStart = QStringLiteral("<table border=%1>").arg(gridLineWidth);
    const QStringView titleEnd = u"</th></tr>";
    line(tableStart, {}, {});
    if (!Caption1.isEmpty())
        line(titleRow, Caption1, titleEnd);
    if (Caption2Placement == cpTop && !Caption2.isEmpty())
        line(titleRow, Caption2, titleEnd);
    // Row 0 is written in capitals, the other rows in small letters.
    const QStringView tr = u"<tr>", trEnd = u"</tr>";
    line(tr, {}, {});
    for (int c = 0; c < cols_; ++c) {
        if (HeaderOn)
            line(u"<TH nowrap>", text(c, 0), u"</TH>");
        else
            line(u"<TD nowrap>", text(c, 0), u"</TD>");
    }
    line(trEnd, {}, {});
    for (int r = 1; r < rows_; ++r) {
        line(tr, {}, {});
        for (int c = 0; c < cols_; ++c)
            line(u"<td nowrap>", text(c, r), u"</td>");
        line(trEnd, {}, {});
    }
    if (Caption2Placement == cpBottom && !Caption2.isEmpty())
        line(titleRow, Caption2, titleEnd);
    line(u"</table><p>", {}, {});
}

void HtmlTable::WriteHTML(QStringList &out) const
{
    out.reserve(out.size() + qsizetype(rows_) * (cols_ + 2) + 6);
    writeLines([&out](QStringView a, QStringView b, QStringView c) { out << a.toString().append(b).append(c); });
}

QString HtmlTable::htmlText(const QString &lineBreak) const
{
    QString text;
    text.reserve(qsizetype(rows_) * (cols_ + 2) * (20 + lineBreak.size()) + 256);
    bool first = true;
    writeLines([&](QStringView a, QStringView b, QStringView c) {
        if (!first)
            text += lineBreak;
        first = false;
        text += a;
        text += b;
        text += c;
    });
    return text;
}

QStringList HtmlTable::html() const
{
    QStringList out;
    WriteHTML(out);
    return out;
}

QStringList HtmlTable::fileLines() const
{
    // The reader splits at the bar whatever the first line says, so the bar is what is written
    // (a table read from a file that named another delimiter is written back readable).
    const QString d(u'|');
    QStringList out;
    out << d << QString::number(rows_) + d + QString::number(cols_) << QString::number(defaultRowHeight)
        << oneLine(Caption1) << oneLine(Caption2)
        << (Caption2Placement == cpTop ? QStringLiteral("Top") : QStringLiteral("Bottom"));
    for (int r = 0; r < rows_; ++r)
        if (rowHeight(r) != defaultRowHeight)
            out << QStringLiteral("Row %1 Height: %2").arg(r).arg(rowHeight(r));
    for (int c = 0; c < cols_; ++c)
        if (colWidth(c) != defaultColWidth)
            out << QStringLiteral("Column %1 Width: %2").arg(c).arg(colWidth(c));
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < cols_; ++c) {
            const QString &t = cells_[index(c, r)];
            if (!t.isEmpty())
                out << QString::number(c) + d + QString::number(r) + d + t;
        }
    out << QString();
    return out;
}

bool HtmlTable::readLines(const QStringList &lines, QString *error)
{
    if (lines.isEmpty())
        return true;
    clearCells();
    rowHeights_.clear();
    colWidths_.clear();
    auto number = [&](const QString &text, int *value) {
        bool ok = false;
        const int v = text.trimmed().toInt(&ok);
        if (!ok) {
            *error = QStringLiteral("'%1' is not a valid integer value").arg(text);
            return false;
        }
        *value = v;
        return true;
    };
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        switch (i) {
        case 0:
            // An empty first line gives no delimiter: the bar stays.
            if (!line.isEmpty())
                CellDelimiter = line.front();
            continue;
        case 1: {
            const qsizetype bar = line.indexOf(u'|');
            int r = 0, c = 0;
            if (bar < 0) {
                *error = QStringLiteral("'%1' is not a valid integer value").arg(line);
                return false;
            }
            if (!number(line.left(bar), &r) || !number(line.mid(bar + 1), &c))
                return false;
            setRowCount(r);
            setColCount(c);
            continue;
        }
        case 2:
            if (!number(line, &defaultRowHeight))
                return false;
            defaultRowHeight = qBound(1, defaultRowHeight, 1000);
            continue;
        case 3: Caption1 = line; continue;
        case 4: Caption2 = line; continue;
        case 5: Caption2Placement = line == QLatin1String("Top") ? cpTop : cpBottom; continue;
        default: break;
        }
        if (line.startsWith(QLatin1String("Row"))) {
            const qsizetype at = line.indexOf(QLatin1String(" Height: "));
            int row = 0, height = 0;
            if (at < 0 || !number(line.mid(4, at - 4), &row) || !number(line.mid(at + 9), &height))
                return false;
            if (row >= 0 && row < MaxRows)
                setRowHeight(row, qBound(1, height, 1000));
        } else if (line.startsWith(QLatin1String("Column"))) {
            const qsizetype at = line.indexOf(QLatin1String(" Width: "));
            int col = 0, width = 0;
            if (at < 0 || !number(line.mid(7, at - 7), &col) || !number(line.mid(at + 8), &width))
                return false;
            if (col >= 0 && col < MaxCols)
                setColWidth(col, qBound(1, width, 2000));
        } else {
            const qsizetype first = line.indexOf(u'|');
            if (first < 0)
                continue;
            const qsizetype second = line.indexOf(u'|', first + 1);
            int col = 0, row = 0;
            if (second < 0 || !number(line.left(first), &col) || !number(line.mid(first + 1, second - first - 1), &row))
                return false;
            setCell(col, row, line.mid(second + 1));
        }
    }
    return true;
}
