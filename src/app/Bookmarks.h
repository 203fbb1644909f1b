#pragma once

#include <array>

class LongLines;
class QsciScintilla;

// Bookmarks 1 to 9 of an editor: remembered caret positions, shown as numbered marks in a
// margin, that move with edits on earlier lines. They belong to the editor and are not saved.
class Bookmarks {
public:
    // Sets up the margin and the marks of view.
    Bookmarks(QsciScintilla *view, const LongLines &lines);

    void set(int n);
    bool go(int n);
    bool has(int n) const;
    // A new text: every bookmark is gone.
    void clear() { handles_.fill(-1); }

private:
    QsciScintilla *view_;
    const LongLines &lines_;
    std::array<int, 10> handles_{};
    std::array<int, 10> cols_{};
};
