#pragma once

#include <QFont>
#include <QStringList>

class QPrinter;

// Prints text one editor line to one printed line, in the given font, with page breaks.
// A line wider than the page continues on the next printed line rather than being cut.
// fromPage and toPage (1-based, 0 for no limit) choose the pages that are printed.
namespace Printing {
void printLines(QPrinter &printer, const QFont &font, const QStringList &lines, int fromPage = 0, int toPage = 0);
}
