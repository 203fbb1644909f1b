#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Macros: "[NAME]" TAB expansion, one a line. User macros live in "user.mcr", system macros in
// "system.mcr" (optional, read only) or the three built-in ones.
namespace Macros {

QStringList builtInSystemMacros();
// Sample entries the definition dialog shows before the user has saved macros of their own.
QStringList sampleUserMacros();

QString userFile();
QString systemFile();

// The macro lists as the program uses them, read from their files at each call: the user's
// macros ("user.mcr", none while it does not exist), the system macros ("system.mcr" when it
// exists, else the built-in ones), and the list expansion looks names up in (user first).
QStringList userMacros();
QStringList systemMacros();
QStringList lookupList();

struct Expansion {
    QByteArray text;        // the document afterwards
    int count = 0;          // bracketed texts met, matched or not
    int replaced = 0;       // of which expanded
    QString lastHandled;    // the last expansion or unmatched bracketed text
    qsizetype caret = -1;   // where the run ended, -1 when nothing was found
};

// Replaces, in one pass from the top, every "[...]" that a lookup entry starts with (without
// regard to case) by the entry's expansion; the first matching entry wins, and an expansion is
// never scanned again. A "[" with no "]" after it is left alone.
Expansion expand(const QByteArray &utf8, const QStringList &lookup);

} // namespace Macros
