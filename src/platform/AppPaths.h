#pragma once

#include <QString>

// Where the program keeps its files.
// - The program folder holds templates, macros, plug-ins, the URL library, notes, tips, help
//   and the image tool: $XDG_DATA_HOME/tolvenra.
// - The settings folder holds TOLVENRA.INI and tolvopt.ini: $XDG_CONFIG_HOME/tolvenra.
// TOLVENRA_HOME, when set, puts both in that one folder (tests and benchmarks use it).
namespace AppPaths {

QString programFolder();  // no trailing separator
QString settingsFolder(); // no trailing separator
QString programFile(const QString &name);
// Recovery copies of unsaved documents: $XDG_STATE_HOME/tolvenra/recovery (or inside
// TOLVENRA_HOME).
QString recoveryFolder();
QString settingsFile(const QString &name);

// The folder of the files shipped with the program (templates, tips, help pages).
QString shippedDataFolder();

// Creates the two folders and copies every shipped file the program folder lacks into it.
// A file the user already has is never overwritten.
void prepareFolders();

} // namespace AppPaths
