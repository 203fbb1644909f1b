#include "app/ToolWindows.h"
#include "support/FrameFixture.h"
#include "platform/LineFile.h"
#include "support/TestHost.h"
#include "wizards/HtmlGrid.h"
#include "wizards/HtmlTable.h"
#include "wizards/TableWizard.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

namespace {

// ---- the table and its HTML, without a window ----

TEST(HtmlTableWriter, TheWizardsFirstTableIsThePartsExample)
{
    HtmlTable t;
    t.Caption1 = "My Title";
    EXPECT_EQ(t.html(), QStringList({"<table border=1>", "<tr><th nowrap colspan=2>My Title</th></tr>", "<tr>",
                                     "<TH nowrap><br></TH>", "<TH nowrap><br></TH>", "</tr>", "<tr>",
                                     "<td nowrap><br></td>", "<td nowrap><br></td>", "</tr>", "</table><p>"}));
}

TEST(HtmlTableWriter, HeadingsTitlesAndCells)
{
    HtmlTable t(3, 1);
    t.gridLineWidth = 4;
    t.setCell(0, 0, "Name");
    t.setCell(0, 1, "<b>Ann</b>"); // cell text is markup as it stands
    t.Caption1 = "One";
    t.Caption2 = "Two";
    t.Caption2Placement = cpTop;
    EXPECT_EQ(t.html(), QStringList({"<table border=4>", "<tr><th nowrap colspan=1>One</th></tr>",
                                     "<tr><th nowrap colspan=1>Two</th></tr>", "<tr>", "<TH nowrap>Name</TH>", "</tr>",
                                     "<tr>", "<td nowrap><b>Ann</b></td>", "</tr>", "<tr>", "<td nowrap><br></td>",
                                     "</tr>", "</table><p>"}));
    t.HeaderOn = false;
    t.Caption1.clear();
    t.Caption2Placement = cpBottom;
    const QStringList out = t.html();
    EXPECT_EQ(out[2], "<TD nowrap>Name</TD>"); // an ordinary first row keeps capitals
    EXPECT_EQ(out[out.size() - 2], "<tr><th nowrap colspan=1>Two</th></tr>");
}

TEST(HtmlTableFile, ThePartsSavedExampleAndARoundTrip)
{
    HtmlTable t;
    t.setCell(0, 0, "a");
    t.setCell(1, 1, "b");
    EXPECT_EQ(t.fileLines(), QStringList({"|", "2|2", "16", "", "", "Top", "0|0|a", "1|1|b", ""}));

    HtmlTable u(3, 4);
    u.setCell(3, 2, "x|y|z");
    u.setRowHeight(1, 30);
    u.setColWidth(2, 90);
    u.Caption1 = "T1";
    u.Caption2 = "T2";
    u.Caption2Placement = cpBottom;
    HtmlTable back(1, 1);
    QString error;
    ASSERT_TRUE(back.readLines(u.fileLines(), &error)) << error.toStdString();
    EXPECT_EQ(back.fileLines(), u.fileLines());
    EXPECT_EQ(back.cell(3, 2), "x|y|z");
    EXPECT_EQ(back.rowHeight(1), 30);
    EXPECT_EQ(back.colWidth(2), 90);
    EXPECT_EQ(back.Caption2Placement, cpBottom);
}

TEST(HtmlTableFile, AMalformedFileLoadsWhatItCanAndSaysWhy)
{
    HtmlTable t;
    QString error;
    EXPECT_FALSE(t.readLines({"|", "3|2", "16", "", "", "Top", "0|0|kept", "x|1|bad", "1|1|never"}, &error));
    EXPECT_EQ(error, "'x' is not a valid integer value");
    EXPECT_EQ(t.rowCount(), 3);
    EXPECT_EQ(t.cell(0, 0), "kept");
    EXPECT_EQ(t.cell(1, 1), "");
    // Sizes beyond the grid's limits are held to them.
    ASSERT_TRUE(t.readLines({"", "99999|0", "16"}, &error));
    EXPECT_EQ(t.rowCount(), HtmlTable::MaxRows);
    EXPECT_EQ(t.colCount(), 1);
    EXPECT_EQ(t.CellDelimiter, u'|');
}

TEST(HtmlTableRows, InsertDeleteAndMove)
{
    HtmlTable t(3, 2);
    for (int r = 0; r < 3; ++r)
        t.setCell(0, r, QString::number(r));
    t.InsertRow(1);
    EXPECT_EQ(t.rowCount(), 4);
    EXPECT_EQ(t.cell(0, 1), "");
    EXPECT_EQ(t.cell(0, 2), "1");
    t.DeleteRow(1);
    EXPECT_EQ(t.cell(0, 1), "1");
    t.moveRow(0, 2);
    EXPECT_EQ(QStringList({t.cell(0, 0), t.cell(0, 1), t.cell(0, 2)}), QStringList({"1", "2", "0"}));
    t.setCell(1, 0, "right");
    t.moveCol(1, 0);
    EXPECT_EQ(t.cell(0, 0), "right");
}

// ---- the wizard window ----

class TableWizardTest : public HostTest {
protected:
    TfTableWiz *wiz = nullptr;
    void SetUp() override
    {
        HostTest::SetUp();
        host->toolWindows().add<TfTableWiz>("TableWizard1Click");
        ASSERT_TRUE(host->commands().trigger("TableWizard1Click"));
        wiz = host->toolWindows().get<TfTableWiz>();
    }
    void TearDown() override
    {
        wiz->grid()->setFileNameOnly(QString()); // no save at the end of the test
        HostTest::TearDown();
    }
};

TEST_F(TableWizardTest, OkPastesTheTableAtTheCaretAndCloses)
{
    EXPECT_TRUE(wiz->isVisible());
    EXPECT_EQ(wiz->windowTitle(), "Tolvenra Table Wizard");
    ed()->loadUtf8("before\n");
    ed()->setCaret(2, 1);
    wiz->grid()->tableModel()->setData(wiz->grid()->tableModel()->index(1, 0), "cell", Qt::EditRole);
    wiz->SaveHTMLClick();
    EXPECT_FALSE(wiz->isVisible());
    EXPECT_TRUE(text().startsWith("before\n<table border=1>\n<tr><th nowrap colspan=2>My Title</th></tr>\n"));
    EXPECT_TRUE(text().contains("<td nowrap>cell</td>"));
    EXPECT_TRUE(text().endsWith("</table><p>"));
    EXPECT_TRUE(host->tags().lastOpenTag().isEmpty()); // not a tag pair
}

TEST_F(TableWizardTest, WithoutADocumentTheTableStaysOnTheClipboard)
{
    host->activeDocument()->setModified(false);
    host->activeDocument()->close();
    wiz->SaveHTMLClick();
    EXPECT_EQ(dialogs.messages, QStringList({"No current document : Table definition copied to Clipboard instead"}));
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith("<table border=1>\n"));
    EXPECT_FALSE(wiz->isVisible());
}

TEST_F(TableWizardTest, ControlsShapeTheTable)
{
    wiz->rowsBox()->setValue(4);
    wiz->colsBox()->setValue(3);
    wiz->borderBox()->setValue(7);
    EXPECT_EQ(wiz->grid()->model()->rowCount(), 4);
    EXPECT_EQ(wiz->grid()->model()->columnCount(), 3);
    wiz->grid()->setCurrentIndex(wiz->grid()->model()->index(2, 1));
    wiz->headEdit()->setText("Price");
    wiz->SetHeading();
    EXPECT_EQ(wiz->grid()->table().cell(1, 0), "Price");
    wiz->useTitle2()->setChecked(true); // checked with an empty title: no row
    wiz->title2Edit()->clear();
    wiz->asFooter()->setChecked(false);
    wiz->SetTitles();
    QStringList out;
    wiz->grid()->WriteHTML(out);
    EXPECT_EQ(out[0], "<table border=7>");
    EXPECT_EQ(out[1], "<tr><th nowrap colspan=3>My Title</th></tr>");
    EXPECT_EQ(out[2], "<tr>");
    wiz->headerBox()->click(); // unticked: row 0 is an ordinary row, headings are not set
    wiz->headEdit()->setText("ignored");
    wiz->SetHeading();
    EXPECT_EQ(wiz->grid()->table().cell(1, 0), "Price");
    out.clear();
    wiz->grid()->WriteHTML(out);
    EXPECT_EQ(out[3], "<TD nowrap><br></TD>");
    wiz->FormActivate();
    EXPECT_TRUE(wiz->hint()->text().startsWith("Set the number of Rows and Columns.  Then enter your text into the Cells.\n\nWhen ready, click on the \"OK\" button"));
}

TEST_F(TableWizardTest, KeysGrowInsertAndDeleteRows)
{
    tHTMLStringGrid *g = wiz->grid();
    g->setFocus();
    g->setCurrentIndex(g->model()->index(1, 0));
    QTest::keyClick(g, Qt::Key_Down); // past the last row
    EXPECT_EQ(g->table().rowCount(), 3);
    g->table().setCell(0, 1, "second");
    g->setCurrentIndex(g->model()->index(1, 0));
    QTest::keyClick(g, Qt::Key_Insert);
    EXPECT_EQ(g->table().rowCount(), 4);
    EXPECT_EQ(g->table().cell(0, 2), "second");
    dialogs.answers = {Dialogs::Answer::Ok, Dialogs::Answer::Ok};
    QTest::keyClick(g, Qt::Key_Delete, Qt::ControlModifier);
    QTest::keyClick(g, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(g->table().rowCount(), 2);
    EXPECT_EQ(dialogs.questions, QStringList(2, "Are you sure you want to delete this row?"));
    QTest::keyClick(g, Qt::Key_Delete, Qt::ControlModifier); // two rows: no question
    EXPECT_EQ(dialogs.questions.size(), 2);
    EXPECT_EQ(g->table().rowCount(), 2);
}

TEST_F(TableWizardTest, SaveLoadAndTheBackupRule)
{
    wiz->grid()->table().setCell(0, 1, "first");
    dialogs.saveNames = {home.path("plan.ttb")};
    wiz->btnSaveTableClick(); // asks for a name
    EXPECT_TRUE(home.read("plan.ttb").contains("0|1|first\r\n"));
    wiz->grid()->table().setCell(0, 1, "second");
    wiz->btnSaveTableClick(); // no question: the grid has its file
    wiz->grid()->table().setCell(0, 1, "third");
    wiz->btnSaveTableClick();
    EXPECT_TRUE(home.read("plan.ttbBAK").contains("0|1|first\r\n")); // the backup keeps the first version
    EXPECT_TRUE(home.read("plan.ttb").contains("0|1|third\r\n"));

    home.write("other.ttb", "|\r\n3|4\r\n16\r\nT\r\n\r\nTop\r\n2|2|loaded\r\n\r\n");
    dialogs.openNames = {{home.path("other.ttb")}};
    wiz->btnLoadTableClick();
    EXPECT_EQ(wiz->rowsBox()->value(), 3);
    EXPECT_EQ(wiz->colsBox()->value(), 4);
    EXPECT_EQ(wiz->borderBox()->value(), 1);
    EXPECT_EQ(wiz->grid()->table().cell(2, 2), "loaded");
    EXPECT_EQ(wiz->grid()->FileName(), home.path("other.ttb"));
}

TEST_F(TableWizardTest, FilesThatAreNotTablesAreSaid)
{
    home.write("picture.ttb", QByteArray("\x89PNG\0\0", 6));
    wiz->grid()->setFileName(home.path("picture.ttb"));
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith("Unable to load the table " + home.path("picture.ttb")));
    home.write("notes.ttb", "just some notes\r\nnot a table\r\n");
    wiz->grid()->setFileName(home.path("notes.ttb"));
    ASSERT_EQ(dialogs.errors.size(), 2);
    EXPECT_TRUE(dialogs.errors[1].startsWith(home.path("notes.ttb") + " is not a whole table definition file"));
    wiz->grid()->setFileNameOnly(home.path("no/such/folder/t.ttb"));
    wiz->btnSaveTableClick();
    EXPECT_EQ(dialogs.errors.last(), home.path("no/such/folder/t.ttb") + " is not a valid file name.");
}

TEST_F(TableWizardTest, TheTableGoesBackToItsFileWhenTheGridGoes)
{
    wiz->grid()->setFileNameOnly(home.path("auto.ttb"));
    wiz->grid()->table().setCell(1, 1, "kept at the end");
    host->toolWindows().destroyAll();
    wiz = nullptr;
    EXPECT_TRUE(home.read("auto.ttb").contains("1|1|kept at the end\r\n"));
    // Nothing left for TearDown to clear.
    host->toolWindows().add<TfTableWiz>();
    wiz = host->toolWindows().get<TfTableWiz>();
}

// Every value the table can hold comes back from its file: texts with the separators and the
// words of the file's own lines in them, and a file that named another delimiter.
TEST(HtmlTableFile, EveryFieldRoundTripsWithSeparatorsInIt)
{
    const QStringList texts = {"|", ";", "a|b;c", " lead and trail ", "Row 1 Height: 20", "Column 2 Width: 9",
                               "Top", "Bottom", "0|0|x", "\xC3\xA9t\xC3\xA9", "<b>bold</b>"};
    for (const QString &text : texts) {
        HtmlTable t(3, 3);
        t.setCell(2, 2, text);
        t.setCell(0, 0, text);
        t.Caption1 = text;
        t.Caption2 = text;
        t.Caption2Placement = cpBottom;
        t.defaultRowHeight = 20;
        t.setRowHeight(2, 33);
        t.setColWidth(1, 77);
        t.CellDelimiter = u';'; // as a file naming another delimiter leaves it
        HtmlTable back(1, 1);
        QString error;
        ASSERT_TRUE(back.readLines(LineFile::parse(LineFile::encode(t.fileLines())), &error))
            << text.toStdString() << ": " << error.toStdString();
        EXPECT_EQ(back.cell(2, 2), text);
        EXPECT_EQ(back.cell(0, 0), text);
        EXPECT_EQ(back.Caption1, text);
        EXPECT_EQ(back.Caption2, text);
        EXPECT_EQ(back.Caption2Placement, cpBottom);
        EXPECT_EQ(back.defaultRowHeight, 20);
        EXPECT_EQ(back.rowHeight(2), 33);
        EXPECT_EQ(back.colWidth(1), 77);
        EXPECT_EQ(back.rowCount(), 3);
        EXPECT_EQ(back.colCount(), 3);
    }
    // A cell is one line: a text given over several lines holds blanks for its breaks.
    HtmlTable t;
    t.setCell(0, 0, "<a href=x>\r\nlink</a>\nend");
    EXPECT_EQ(t.cell(0, 0), "<a href=x> link</a> end");
}

TEST_F(TableWizardTest, ATableFileWithASemicolonDelimiterIsSavedReadable)
{
    home.write("semi.ttb", ";\r\n3|2\r\n16\r\n\r\n\r\nTop\r\n0|0|a\r\n\r\n");
    wiz->grid()->setFileName(home.path("semi.ttb"));
    wiz->btnSaveTableClick();
    wiz->grid()->setFileName(home.path("semi.ttb"));
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    EXPECT_EQ(wiz->grid()->table().rowCount(), 3);
    EXPECT_EQ(wiz->grid()->table().cell(0, 0), "a");
}

TEST_F(TableWizardTest, LoadedTitlesAreTheOnesOkWrites)
{
    home.write("prices.ttb", "|\r\n2|2\r\n16\r\nPrices\r\nSummer 2026\r\nTop\r\n\r\n");
    dialogs.openNames = {{home.path("prices.ttb")}};
    wiz->btnLoadTableClick();
    EXPECT_EQ(wiz->title1Edit()->text(), "Prices");
    EXPECT_EQ(wiz->title2Edit()->text(), "Summer 2026");
    EXPECT_TRUE(wiz->useTitle2()->isChecked());
    EXPECT_FALSE(wiz->asFooter()->isChecked());
    ed()->loadUtf8("");
    wiz->SaveHTMLClick();
    EXPECT_TRUE(text().startsWith("<table border=1>\n<tr><th nowrap colspan=2>Prices</th></tr>\n"
                                  "<tr><th nowrap colspan=2>Summer 2026</th></tr>\n"))
        << text().toStdString();
}

// A table file that was not read whole (a NUL byte, a bad line) is not written back at the end
// without the user's word; the question comes while the program is still open.
class UnreadTableFile : public TableWizardTest, public ::testing::WithParamInterface<QByteArray> {};

INSTANTIATE_TEST_SUITE_P(Files, UnreadTableFile,
                         ::testing::Values(QByteArray("|\r\n2|2\r\n16\r\n\0\r\n", 15),
                                           QByteArray("|\r\n2|2\r\n16\r\n\r\n\r\nTop\r\n0|0|a\r\n1|x|1.20\r\n1|1|b\r\n")));

TEST_P(UnreadTableFile, IsNotOverwrittenAtTheEndUnasked)
{
    const QByteArray original = GetParam();
    home.write("plan.ttb", original);
    home.write("plan.ttbBAK", "the first version");
    wiz->grid()->setFileName(home.path("plan.ttb"));
    ASSERT_EQ(dialogs.errors.size(), 1);
    dialogs.choices = {2}; // Cancel: the program does not end
    EXPECT_FALSE(host->toolWindows().askToExit());
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions[0].contains("could not be read whole")) << dialogs.questions[0].toStdString();
    dialogs.choices = {1}; // Don't Save
    EXPECT_TRUE(host->toolWindows().askToExit());
    host->toolWindows().destroyAll(); // the grid goes: no save either
    EXPECT_EQ(home.read("plan.ttb"), original);
    EXPECT_EQ(home.read("plan.ttbBAK"), "the first version");
    host->toolWindows().add<TfTableWiz>();
    wiz = host->toolWindows().get<TfTableWiz>();
}

TEST_F(TableWizardTest, TheEndSavesTheTableWhileTheProgramIsOpenAndAFailureIsAsked)
{
    wiz->grid()->setFileNameOnly(home.path("auto.ttb"));
    wiz->grid()->table().setCell(0, 1, "at the end");
    EXPECT_TRUE(host->toolWindows().askToExit());
    EXPECT_TRUE(home.read("auto.ttb").contains("0|1|at the end\r\n"));
    // A file that cannot be written: told, and the user decides.
    QFile::remove(home.path("auto.ttb"));
    QDir().mkpath(home.path("auto.ttb"));
    wiz->grid()->setFileNameOnly(home.path("auto.ttb"));
    EXPECT_FALSE(host->toolWindows().askToExit()); // Cancel
    EXPECT_FALSE(dialogs.errors.isEmpty());
    dialogs.choices = {1};
    EXPECT_TRUE(host->toolWindows().askToExit());
}

TEST_F(TableWizardTest, TheFieldsFollowTheGridAndTextIsNotDroppedUnasked)
{
    tHTMLStringGrid *grid = wiz->grid();
    grid->setFocus();
    grid->setCurrentIndex(grid->tableModel()->index(1, 0));
    QTest::keyClick(grid, Qt::Key_Down); // past the end: a row more
    EXPECT_EQ(grid->table().rowCount(), 3);
    EXPECT_EQ(wiz->rowsBox()->value(), 3);
    QTest::keyClick(grid, Qt::Key_Insert);
    EXPECT_EQ(wiz->rowsBox()->value(), 4);
    grid->table().setCell(0, 3, "r3");
    // Fewer rows than hold text: asked; Cancel keeps the rows and the field.
    dialogs.answers = {Dialogs::Answer::Cancel};
    wiz->rowsBox()->setValue(3);
    EXPECT_EQ(grid->table().rowCount(), 4);
    EXPECT_EQ(wiz->rowsBox()->value(), 4);
    EXPECT_EQ(grid->table().cell(0, 3), "r3");
    ASSERT_EQ(dialogs.questions.size(), 1);
    // Empty rows and columns go without a question; OK drops the text.
    wiz->colsBox()->setValue(1);
    EXPECT_EQ(grid->table().colCount(), 1);
    dialogs.answers = {Dialogs::Answer::Ok};
    wiz->rowsBox()->setValue(3);
    EXPECT_EQ(grid->table().rowCount(), 3);
    EXPECT_EQ(dialogs.questions.size(), 2);
}

TEST_F(TableWizardTest, ADroppedEntryGivesTheTextBeforeItsTab)
{
    tHTMLStringGrid *grid = wiz->grid();
    grid->setCurrentIndex(grid->tableModel()->index(1, 1));
    grid->dropEntry("&copy;\tcopyright \xC2\xA9 ");
    EXPECT_EQ(grid->table().cell(1, 1), "&copy;");
    grid->dropEntry("<a href=x>\nlink</a>");
    EXPECT_EQ(grid->table().cell(1, 1), "<a href=x> link</a>");
}

TEST_F(TableWizardTest, ThePlaceIsKeptHoweverTheWizardGoes)
{
    wiz->move(123, 145);
    wiz->CancelBtnClick();
    EXPECT_TRUE(home.read("tolvopt.ini").contains("[Table Wizard]")) << home.read("tolvopt.ini").toStdString();
    EXPECT_TRUE(home.read("tolvopt.ini").contains("FORM_PLACE="));
}

TEST_F(TableWizardTest, RowsAndColumnsAreNumberedAlikeFromOne)
{
    auto *m = wiz->grid()->tableModel();
    EXPECT_EQ(m->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "1");
    EXPECT_EQ(m->headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), "1");
}

} // namespace
