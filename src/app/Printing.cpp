#include "Printing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace Printing {

void printLines(QPrinter &printer, const QFont &font, const QStringList &lines, int fromPage, int toPage)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    painter.setFont(QFont(font, painter.device()));
    const QFontMetrics fm = painter.fontMetrics();
    const QRect page = painter.viewport();
    const int lineHeight = fm.lineSpacing();
    const int width = qMax(1, page.width());
    int y = fm.ascent();
    int pageNo = 1;      // the page the lines are laid out on
    int printedPage = 0; // the page the printer's sheet shows, 0 before the first
    auto newLine = [&] {
        y += lineHeight;
        if (y > page.height()) {
            ++pageNo;
            y = fm.ascent();
        }
    };
    auto chosen = [&](int p) { return (fromPage <= 0 || p >= fromPage) && (toPage <= 0 || p <= toPage); };
    // A new sheet only when a chosen page has something to print: no blank pages.
    auto draw = [&](const QString &text) {
        if (!chosen(pageNo))
            return;
        if (printedPage != pageNo) {
            if (printedPage != 0)
                printer.newPage();
            printedPage = pageNo;
        }
        painter.drawText(0, y, text);
    };
    for (const QString &raw : lines) {
        QString line = raw;
        line.replace(u'\t', QLatin1String("        "));
        do {
            int fit = line.size();
            while (fit > 1 && fm.horizontalAdvance(line.left(fit)) > width)
                fit = fit * 3 / 4;
            draw(line.left(fit));
            line = line.mid(fit);
            newLine();
        } while (!line.isEmpty());
    }
    painter.end();
}

} // namespace Printing
