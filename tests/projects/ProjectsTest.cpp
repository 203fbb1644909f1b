#include "app/Files.h"
#include "app/SettingsTable.h"
#include "projects/FileTools.h"
#include "projects/ProjectTree.h"
#include "projects/ProjectWindow.h"
#include "projects/TemplateWindow.h"
#include "support/FrameFixture.h"
#include "support/TestHost.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

namespace {

// ---- the project tree and its file, without a window ----

// A tree written as "text:level" entries.
ProjectTree treeOf(const QStringList &entries)
{
    ProjectTree t;
    for (const QString &s : entries)
        t.append(s.section(':', 0, 0), s.section(':', 1).toInt());
    return t;
}

QStringList shape(const ProjectTree &t)
{
    QStringList out;
    for (const ProjectTree::Entry &e : t.entries())
        out << e.text + ':' + QString::number(e.level);
    return out;
}

TEST(ProjectMoves, EachMoveKeepsTheSubtreeTogether)
{
    const QStringList start = {"a:1", "b:2", "c:2", "d:1", "e:1"};
    ProjectTree t = treeOf(start);
    EXPECT_EQ(t.moveUp(2), 1); // before its previous sibling
    EXPECT_EQ(shape(t), QStringList({"a:1", "c:2", "b:2", "d:1", "e:1"}));
    EXPECT_EQ(t.moveUp(1), 0); // a first child goes before its parent, at its level
    EXPECT_EQ(shape(t), QStringList({"c:1", "a:1", "b:2", "d:1", "e:1"}));

    t = treeOf(start);
    EXPECT_EQ(t.moveDown(0), 1); // after the next sibling, children along
    EXPECT_EQ(shape(t), QStringList({"d:1", "a:1", "b:2", "c:2", "e:1"}));
    EXPECT_EQ(t.moveDown(0), 3); // past a sibling's own sub-entries
    EXPECT_EQ(shape(t), QStringList({"a:1", "b:2", "c:2", "d:1", "e:1"}));
    t = treeOf(start);
    EXPECT_EQ(t.moveDown(1), 2);
    EXPECT_EQ(shape(t), QStringList({"a:1", "c:2", "b:2", "d:1", "e:1"}));
    t = treeOf({"A:1", "b:1", "C:1", "d:1"});
    EXPECT_EQ(t.moveDown(0), 1); // a flat list: one place down, not to its end
    EXPECT_EQ(shape(t), QStringList({"b:1", "A:1", "C:1", "d:1"}));

    t = treeOf({"a:1", "b:2", "f:3", "c:2", "d:1"});
    EXPECT_EQ(t.moveLeft(1), 0); // before its parent, at the parent's level
    EXPECT_EQ(shape(t), QStringList({"b:1", "f:2", "a:1", "c:2", "d:1"}));
    EXPECT_EQ(t.moveRight(2), 2); // the last sub-entry of its previous sibling
    EXPECT_EQ(shape(t), QStringList({"b:1", "f:2", "a:2", "c:3", "d:1"}));
}

TEST(ProjectMoves, MovesThatDoNotApplyChangeNothing)
{
    ProjectTree t = treeOf({"a:1", "b:2", "c:1"});
    EXPECT_EQ(t.moveUp(0), -1);
    EXPECT_EQ(t.moveDown(2), -1);
    EXPECT_EQ(t.moveLeft(0), -1);  // already at the top
    EXPECT_EQ(t.moveRight(1), -1); // the first of its level
    EXPECT_EQ(t.moveRight(0), -1);
    EXPECT_EQ(t.moveDown(1), -1); // the last of its group stays in it
    EXPECT_EQ(shape(t), QStringList({"a:1", "b:2", "c:1"}));
    t.remove(0);
    EXPECT_EQ(shape(t), QStringList({"c:1"}));
}

TEST(ProjectFile, LinesAndTheRulesOfReading)
{
    ProjectTree t = treeOf({"/site/a.htm:1", "/site/Sub/B.htm:2", "/site/c.htm:3"});
    t.title = "Site";
    EXPECT_EQ(t.fileLines(), QStringList({"Site", "/site/a.htm", "\t/site/Sub/B.htm", "\t\t/site/c.htm"}));
    ProjectTree back;
    QString error;
    ASSERT_TRUE(ProjectTree::fromLines(t.fileLines(), &back, &error));
    EXPECT_EQ(back.title, "Site");
    EXPECT_EQ(shape(back), shape(t));

    EXPECT_FALSE(ProjectTree::fromLines({"Site", "a", "\t\tb"}, &back, &error));
    EXPECT_EQ(error, "File load error\n\nLine 3 is nested more than one level below the line before it.");
    EXPECT_FALSE(ProjectTree::fromLines({"\tSite"}, &back, &error));
    EXPECT_FALSE(ProjectTree::fromLines({"Site", "\ta"}, &back, &error));
    EXPECT_FALSE(ProjectTree::fromLines({}, &back, &error));
    EXPECT_EQ(back.title, "Site"); // a failed read leaves the target alone
    ASSERT_TRUE(ProjectTree::fromLines({"Empty"}, &back, &error));
    EXPECT_EQ(back.count(), 0);
}

// ---- the project window ----

class ProjectTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        host->toolWindows().add<TfProj>("OpenWorkspace1Click", ToolWindows::Show::Modal);
        proj = host->toolWindows().get<TfProj>();
    }
    void TearDown() override
    {
        while (TfHTML *d = host->activeDocument()) {
            d->setModified(false);
            d->close();
            delete d;
        }
        HostTest::TearDown();
    }
    void openProject(const QString &path)
    {
        dialogs.openNames = {{path}};
        proj->btnOpenProjClick();
    }
    QStringList visibleTree() const
    {
        QStringList out;
        for (QTreeWidgetItemIterator it(proj->outline()); *it; ++it) {
            int depth = 0;
            for (QTreeWidgetItem *p = (*it)->parent(); p; p = p->parent())
                ++depth;
            out << QString(depth, '>') + (*it)->text(0) + ((*it)->isExpanded() ? "" : "+");
        }
        return out;
    }
    TfProj *proj = nullptr;
};

TEST_F(ProjectTest, ASavedProjectOpensAsItWasWithPathsAsSpelled)
{
    const QString a = home.write("Site/Index.html", "<p>a"), b = home.write("Site/News.html", "<p>b");
    dialogs.inputs = {QString("Site")};
    proj->btnNewProjClick();
    dialogs.openNames = {{a, b}};
    proj->btnAddFileClick();
    proj->select(1);
    proj->DownBtnClick(); // News under Index
    EXPECT_TRUE(proj->modified());
    dialogs.answers = {Dialogs::Answer::Yes};
    dialogs.saveNames = {home.path("My Site.tpr")};
    proj->btnSaveProjectClick();
    EXPECT_EQ(dialogs.questions.last(), "Save changes to Untitled Project ?");
    EXPECT_EQ(home.read("My Site.tpr"), ("Site\r\n" + a + "\r\n\t" + b + "\r\n").toUtf8());
    EXPECT_FALSE(proj->modified());
    EXPECT_EQ(proj->fileEdit()->text(), home.path("My Site.tpr"));

    // An explicit save of the unchanged project asks again; No writes nothing.
    home.write("My Site.tpr", "kept");
    dialogs.answers = {Dialogs::Answer::No};
    proj->btnSaveProjectClick();
    EXPECT_EQ(dialogs.questions.last(), "Save changes to " + home.path("My Site.tpr") + " ?");
    EXPECT_EQ(home.read("My Site.tpr"), "kept");

    home.write("My Site.tpr", ("Site\r\n" + a + "\r\n\t" + b + "\r\n").toUtf8());
    dialogs.answers = {Dialogs::Answer::No}; // the open asks about the modified project first
    openProject(home.path("My Site.tpr"));
    EXPECT_EQ(proj->titleEdit()->text(), "Site");
    EXPECT_EQ(visibleTree(), QStringList({a, ">" + b}));
    EXPECT_FALSE(proj->modified());

    // Open All opens them as the file system spells them, even from a project in other case.
    proj->btnOpenAllClick();
    EXPECT_EQ(host->activeDocument()->caption(), b);
    home.write("old.tpr", ("Old\r\n" + a.toLower() + "\r\n").toUtf8());
    openProject(home.path("old.tpr"));
    proj->select(0);
    proj->btnOpenFileClick();
    EXPECT_EQ(host->activeDocument()->caption(), a);
}

TEST_F(ProjectTest, RemovingAsksOnlyForSubFilesAndAddingGoesBeforeTheSelection)
{
    dialogs.inputs = {QString("P")};
    proj->btnNewProjClick();
    dialogs.openNames = {{"/w/One.htm", "/w/Two.htm"}};
    proj->btnAddFileClick();
    dialogs.openNames = {{"/w/Zero.htm"}};
    proj->select(0);
    proj->btnAddFileClick();
    EXPECT_EQ(visibleTree(), QStringList({"/w/Zero.htm", "/w/One.htm", "/w/Two.htm"}));
    proj->select(2);
    proj->DownBtnClick();
    proj->select(1);
    dialogs.answers = {Dialogs::Answer::No};
    proj->btnRemoveFileClick();
    EXPECT_EQ(dialogs.questions, QStringList({"This will remove all sub files as well \n\r\n\rContinue ?"}));
    EXPECT_EQ(proj->project().count(), 3);
    dialogs.answers = {Dialogs::Answer::Yes};
    proj->btnRemoveFileClick();
    EXPECT_EQ(visibleTree(), QStringList({"/w/Zero.htm"}));
    proj->select(0);
    proj->btnRemoveFileClick(); // no sub files: no question
    EXPECT_EQ(dialogs.questions.size(), 2);
    EXPECT_EQ(proj->project().count(), 0);

    // Collapse All closes every entry that has sub-entries, not the first one only.
    dialogs.openNames = {{"/w/a", "/w/b", "/w/c", "/w/d"}};
    proj->btnAddFileClick();
    proj->select(1);
    proj->DownBtnClick();
    proj->select(3);
    proj->DownBtnClick();
    proj->CollapseAll();
    EXPECT_EQ(visibleTree(), QStringList({"/w/a+", ">/w/b", "/w/c+", ">/w/d"}));
    proj->ExpandAll();
    EXPECT_EQ(visibleTree(), QStringList({"/w/a", ">/w/b", "/w/c", ">/w/d"}));
}

TEST_F(ProjectTest, ATypedTitleIsAChangeThatCloseAsksAbout)
{
    const QString file = home.write("p.tpr", "Old title\r\n/w/a.htm\r\n");
    openProject(file);
    EXPECT_FALSE(proj->modified());
    proj->show();
    proj->titleEdit()->selectAll();
    QTest::keyClicks(proj->titleEdit(), "New title");
    EXPECT_TRUE(proj->modified());
    dialogs.answers = {Dialogs::Answer::Yes};
    proj->btnCloseClick();
    EXPECT_EQ(dialogs.questions.last(), "Save changes to " + file + " ?");
    EXPECT_EQ(home.read("p.tpr"), "New title\r\n/w/a.htm\r\n");
}

TEST_F(ProjectTest, FailedSavesAndFilesThatAreNotProjects)
{
    dialogs.inputs = {QString("Nothing yet")};
    proj->btnNewProjClick();
    // An empty project is its title line alone.
    dialogs.answers = {Dialogs::Answer::Yes};
    dialogs.saveNames = {home.path("empty.tpr")};
    proj->btnSaveProjectClick();
    EXPECT_EQ(home.read("empty.tpr"), "Nothing yet\r\n");

    // A write that fails says why and keeps the project modified.
    QFile::remove(home.path("empty.tpr"));
    QDir().mkpath(home.path("empty.tpr"));
    dialogs.answers = {Dialogs::Answer::Yes};
    proj->btnSaveProjectClick();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith("Unable to save the project " + home.path("empty.tpr")));
    EXPECT_TRUE(proj->modified());
    // A save that fails at the question before an open stops the open.
    dialogs.answers = {Dialogs::Answer::Yes};
    proj->btnOpenProjClick();
    EXPECT_EQ(dialogs.errors.size(), 2);
    EXPECT_TRUE(proj->modified());

    // Files that are not projects leave the window as it was.
    dialogs.answers = {Dialogs::Answer::No, Dialogs::Answer::No};
    openProject(home.write("deep.tpr", "T\r\na\r\n\t\t\tb\r\n"));
    openProject(home.write("pic.tpr", QByteArray("\x89PNG\r\n\x1a\n\0\0", 10)));
    ASSERT_EQ(dialogs.errors.size(), 4);
    EXPECT_TRUE(dialogs.errors[2].contains("File load error"));
    EXPECT_EQ(proj->titleEdit()->text(), "Nothing yet");
}


// ---- templates ----


// ---- file tools ----

class FileToolsTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        host->toolWindows().add<TfrmFileTools>("TolvenraFileTools1Click");
        tools = host->toolWindows().get<TfrmFileTools>();
    }
    TfrmFileTools *tools = nullptr;
};

TEST_F(FileToolsTest, TheListAddsAndRemovesFiles)
{
    dialogs.openNames = {{"/w/A.htm", "/w/b.htm", "/w/c.htm"}, {"/w/A.htm"}};
    tools->btnSelectClick();
    EXPECT_EQ(host->status, "   Ready ...");
    tools->grid()->selectRow(1);
    tools->btnRemoveClick();
    EXPECT_EQ(tools->files(), QStringList({"/w/A.htm", "/w/c.htm"}));
    tools->btnSelectClick(); // the same file twice is listed twice
    EXPECT_EQ(tools->files(), QStringList({"/w/A.htm", "/w/c.htm", "/w/A.htm"}));
    tools->grid()->setCurrentCell(-1, -1);
    tools->btnRemoveClick();
    EXPECT_EQ(tools->files().size(), 3);
    // A current cell that is not highlighted is no choice either.
    tools->grid()->clearSelection();
    tools->grid()->setCurrentCell(0, 0, QItemSelectionModel::NoUpdate);
    tools->btnRemoveClick();
    EXPECT_EQ(tools->files().size(), 3);
}

TEST_F(FileToolsTest, AFileListedTwiceIsReplacedOnceAndItsBackupIsTheOriginal)
{
    const QString alpha = home.write("Alpha.htm", "one DONE");
    dialogs.openNames = {{alpha}, {home.path("./Alpha.htm")}};
    tools->btnSelectClick();
    tools->btnSelectClick();
    ASSERT_EQ(tools->files().size(), 2);
    dialogs.inputs = {QString("DONE")};
    tools->btnSearchClick();
    EXPECT_EQ(host->status, "   Found 1 matches in 1 of 1 files");
    dialogs.inputs = {QString("DONE"), QString("DONE2")};
    dialogs.answers = {Dialogs::Answer::Ok};
    tools->btnReplaceClick();
    EXPECT_TRUE(dialogs.questions.last().startsWith("Replace 1 occurrences of \"DONE\" with \"DONE2\" in 1 files?"));
    EXPECT_EQ(home.read("Alpha.htm"), "one DONE2");
    EXPECT_EQ(home.read("Alpha.BAK"), "one DONE");
    EXPECT_EQ(tools->result(0), "1 replaced");
    EXPECT_EQ(tools->result(1), "Same file as row 1");
}

TEST_F(FileToolsTest, AReasonInTheResultColumnIsShownWhole)
{
    tools->resize(600, 360);
    dialogs.openNames = {{home.write("bin.htm", QByteArray("\0\1\2", 3))}};
    tools->btnSelectClick();
    dialogs.inputs = {QString("x")};
    tools->btnSearchClick();
    const QString reason = tools->result(0);
    ASSERT_TRUE(reason.startsWith("Error: The file contains NUL bytes"));
    QTableWidget *grid = tools->grid();
    const QRect cell = grid->visualRect(grid->model()->index(0, 1));
    const QRect needed = grid->fontMetrics().boundingRect(QRect(0, 0, cell.width() - 8, 10000), Qt::TextWordWrap, reason);
    EXPECT_GE(cell.height(), needed.height());
}

TEST_F(FileToolsTest, SearchCountsAndReplaceKeepsEncodingLineEndsAndBackups)
{
    const QString utf8 = home.write("a.html", "<a href=x>x</a>\r\n<A HREF=y>href</A>\r\n");
    const QString latin = home.write("b.htm", "<p>caf\xe9 href</p>\n");
    const QString none = home.write("c.htm", "<p>nothing</p>");
    const QString binary = home.write("d.htm", QByteArray("\0\1\2", 3));
    dialogs.openNames = {{utf8, latin, none, binary, home.path("gone.htm")}};
    tools->btnSelectClick();

    dialogs.inputs = {QString("href")};
    tools->btnSearchClick();
    EXPECT_EQ(tools->result(0), "2"); // letter case counts
    EXPECT_EQ(tools->result(1), "1");
    EXPECT_EQ(tools->result(2), "0");
    EXPECT_TRUE(tools->result(3).startsWith("Error: "));
    EXPECT_TRUE(tools->result(4).startsWith("Error: "));
    EXPECT_EQ(host->status, "   Found 3 matches in 2 of 5 files");

    dialogs.inputs = {QString("href"), QString("src")};
    dialogs.answers = {Dialogs::Answer::Ok};
    tools->btnReplaceClick();
    EXPECT_TRUE(dialogs.questions.last().startsWith("Replace 3 occurrences of \"href\" with \"src\" in 2 files?"));
    EXPECT_EQ(home.read("a.html"), "<a src=x>x</a>\r\n<A HREF=y>src</A>\r\n");
    EXPECT_EQ(home.read("a.BAK"), "<a href=x>x</a>\r\n<A HREF=y>href</A>\r\n");
    EXPECT_EQ(home.read("b.BAK"), "<p>caf\xe9 href</p>\n");
    EXPECT_EQ(home.read("b.htm"), "<p>caf\xe9 src</p>\n"); // still Windows-1252, still LF
    EXPECT_EQ(tools->result(0), "2 replaced");
    EXPECT_EQ(tools->result(2), "0 replaced");
    EXPECT_TRUE(tools->result(3).startsWith("Error: "));

    // A double click opens the file at its first match.
    dialogs.inputs = {QString("src")};
    tools->btnSearchClick();
    tools->openRow(1);
    ASSERT_NE(host->activeDocument(), nullptr);
    EXPECT_EQ(host->activeDocument()->caption(), latin);
    EXPECT_EQ(ed()->selectedText(), "src");
}


} // namespace
