#include "Printing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace Printing {

void printLines(QPrinter &printer, const QFont &font, const QStringList &lines)
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
    auto newLine = [&] {
        y += lineHeight;
        if (y > page.height()) {
            printer.newPage();
            y = fm.ascent();
        }
    };
    for (const QString &raw : lines) {
        QString line = raw;
        line.replace(u'\t', QLatin1String("        "));
        do {
            int fit = line.size();
            while (fit > 1 && fm.horizontalAdvance(line.left(fit)) > width)
                fit = fit * 3 / 4;
            painter.drawText(0, y, line.left(fit));
            line = line.mid(fit);
            newLine();
        } while (!line.isEmpty());
    }
    painter.end();
}

} // namespace Printing
