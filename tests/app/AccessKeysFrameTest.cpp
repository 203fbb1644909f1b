// Access keys: no two items a user can reach with the same Alt+letter at the same time, in
// every menu of the frame and of its windows, and in every window's fields and buttons (the
// preview's font dialog is checked with the preview's tests).

#include "app/FindDialogs.h"
#include "app/RecoveryWindow.h"
#include "app/ToolWindows.h"
#include "support/AccessKeys.h"
#include "support/FrameFixture.h"
#include "tools/Totd.h"


namespace {

using namespace AccessKeys;

// Clashes the program's given captions make: these texts are kept exactly as users know them
// (a repeated access key steps through its items in a menu, Enter runs the highlighted one).
const QStringList givenClashes = {
    R"(Menu > File: "Close &All" and "Save &As..." (Alt+A))",
    R"(Menu > Edit: "Repeat &Last Tag" and "C&lear" (Alt+L))",
    R"(Menu > Insert > HTML Structures: "H&TML" and "Document &Title" (Alt+T))",
    R"(Menu > Insert > Paragraph Format: "&Paragraph Marker" and "&Paragraph Marker with End" (Alt+P))",
    R"(Menu > Insert: "&Alignment" and "Headings - &Aligned" (Alt+A))",
    R"(Menu > Insert: "&Font Styles" and "&Forms" (Alt+F))",
    R"(Menu > Insert: "F&rame Sets" and "HTML St&ructures" (Alt+R))",
    R"(Menu > Insert: "&Lists" and "Text Fi&le ..." (Alt+L))",
    R"(Menu > Tools: "HTML &Tags Chooser" and "&Tolvenra Image Tools ..." (Alt+T))",
    R"(Menu > View: "Tab&le Toolbar" and "&List Toolbar" (Alt+L))",
    R"(Tolvenra Macros: "&System Defined" and "&Save" (Alt+S))",
    R"(Project Organiser: "Expand All &>" and "&>" (Alt+>))",
    R"(Project Organiser: "Collapse All &<" and "&<" (Alt+<))",
};

TEST_F(FrameTest, NoTwoItemsShareAnAccessKey)
{
    startWithEmptyDocument();
    QStringList found;
    QList<KeyedItem> titles;
    QSet<QMenu *> seen;
    found << menuBarClashes(frame->menuBar(), "Menu", &titles, seen);
    found << ownMenuClashes(frame.get(), "Menu", seen);
    found << clashes(titles, "Menu bar");

    int made = 0;
    for (const QString &name : frame->toolWindows().names()) {
        // The preview needs the web engine, which these tests do not start.
        if (QWidget *w = frame->toolWindows().window(name)) {
            found << windowClashes(w);
            ++made;
        }
    }
    EXPECT_GT(made, 20);
    FindDialog find(frame.get(), true);
    ReplaceDialog replace(frame.get());
    TfRecovery recovery({}, frame.get());
    TfTipOfTheDay tips(frame.get());
    TAboutBox about(frame.get());
    for (QWidget *w : std::initializer_list<QWidget *>{&find, &replace, &recovery, &tips, &about})
        found << windowClashes(w);
    for (const QString &given : givenClashes)
        found.removeAll(given);
    EXPECT_TRUE(found.isEmpty()) << found.join("\n").toStdString();
}

} // namespace
