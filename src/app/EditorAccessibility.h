#pragma once

// The editing control's own accessible interface (QScintilla's) gives offsets in characters
// and recounts every character from the top of the text on each caret move and each edit: in
// the middle of a 20 MB page that is ~200 ms a keystroke. Qt creates that interface as soon
// as a widget is shown, whether or not an assistive technology is listening.
//
// So, while accessibility is inactive, editors get a plain interface (an editable text field
// without text access, which nothing reads then). When a screen reader starts, the plain
// interfaces are dropped and the next query for an editor gets QScintilla's full one.
class QObject;

namespace EditorAccessibility {

// Puts the plain interface in front of QScintilla's; called once a first editor exists (the
// control installs its own factory when it is first constructed, and the last installed is
// asked first).
void install();

// True when the interface Qt holds for the editor is the plain one.
bool isPlain(QObject *editor);

} // namespace EditorAccessibility
