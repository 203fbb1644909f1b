#pragma once

#include <QColor>
#include <QWidget>

// A grid of the 16 standard colours with two selections: the foreground (primary button) and
// the background (secondary button).
class ColorGrid : public QWidget {
    Q_OBJECT
public:
    explicit ColorGrid(QWidget *parent = nullptr);
    static QColor standardColor(int index);

    int foregroundIndex() const { return fg_; }
    int backgroundIndex() const { return bg_; }
    QColor foregroundColor() const { return cellColor(fg_); }
    QColor backgroundColor() const { return cellColor(bg_); }
    // The colour drawn in a cell: the standard one unless the grid was given its own 16, so a
    // grid always shows the colours its caller writes.
    QColor cellColor(int index) const;
    void setCellColors(const QList<QColor> &colors);
    void setForegroundIndex(int i);
    void setBackgroundIndex(int i);
    // Hides the foreground mark until the next click, without a change signal: the colour in
    // use is not one of the grid's.
    void hideForegroundMark();
    // A grid that offers only the foreground selection: the secondary button does nothing.
    void setForegroundOnly(bool on);
    // The cell under a point of the widget, or -1.
    int cellAt(const QPoint &p) const;

    QSize sizeHint() const override { return {4 * 30 + 2, 4 * 24 + 2}; }

signals:
    void changed();

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;

private:
    QRect cellRect(int i) const;
    QList<QColor> colors_;
    int fg_ = 0;
    int bg_ = 15;
    bool foregroundOnly_ = false;
};
