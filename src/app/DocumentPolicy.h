#pragma once

#include <QString>

class HtmlDocument;
class QWidget;

// What the program asks the user around a document's file, in one place: before a save
// (another program's version of the file, characters the encoding cannot hold, a backup copy
// that cannot be made), after a failed save, and when another program changed or removed the
// file. Every question goes through the dialogs seam.
namespace DocumentPolicy {

// Saves doc to path after the questions that apply; a refusal or a failure (told to the user)
// returns false and leaves the document modified with its text.
bool save(QWidget *parent, HtmlDocument &doc, const QString &path);

// Asks about the document's file when another program changed or removed it since it was
// read or saved here: reload or keep this text (a removed file is reported, and the text
// stays, modified). Nothing is asked while the file is as it was.
void checkDiskChange(QWidget *parent, HtmlDocument &doc);

} // namespace DocumentPolicy
