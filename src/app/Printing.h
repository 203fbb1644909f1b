#pragma once

#include <QFont>
#include <QStringList>

class QPrinter;

// Prints text one editor line to one printed line, in the given font, with page breaks.
// A line wider than the page continues on the next printed line rather than being cut.
namespace Printing {
void printLines(QPrinter &printer, const QFont &font, const QStringList &lines);
}
