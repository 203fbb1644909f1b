#include "app/SettingsTable.h"
#include "support/FrameFixture.h"
#include "support/TestHost.h"
#include "wizards/FormsWizard.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>

namespace {

// ---- the element texts, without a window ----

TEST(FormHtmlTexts, TheEdgeCasesOfTheElements)
{
    EXPECT_EQ(FormHtml::submit("SUBMIT", "go"), "<INPUT TYPE=SUBMIT VALUE=\"SUBMIT\" NAME=\"go\">");
    EXPECT_EQ(FormHtml::submit("SUBMIT", ""), "<INPUT TYPE=SUBMIT VALUE=\"SUBMIT\">");
    // A blank always stands before the closing bracket of a selection list.
    EXPECT_EQ(FormHtml::select("NAME", 1, true), "<SELECT NAME=\"NAME\" SIZE=1 MULTIPLE >");
    EXPECT_EQ(FormHtml::select("NAME", 240, false), "<SELECT NAME=\"NAME\" SIZE=240 >");
    EXPECT_EQ(FormHtml::option(false, "a", "\"q\"", FormHtml::Align::Centre),
              "<INPUT TYPE=\"RADIO\" NAME=\"a\" VALUE=\"\"q\"\" ALIGN=center>");
    EXPECT_EQ(FormHtml::textArea("t", 1, 240), "<TEXTAREA NAME=\"t\" ROWS=1 COLS=240>");
    EXPECT_EQ(FormHtml::form("\"POST\"", "", ""), "<FORM METHOD=\"POST\" ACTION=\"\" ENCTYPE=\"\">");
}

class FormsWizardTest : public HostTest {
protected:
    TfFormWiz *wiz = nullptr;
    void SetUp() override
    {
        HostTest::SetUp();
        host->toolWindows().add<TfFormWiz>("FormsWizard1Click");
        ASSERT_TRUE(host->commands().trigger("FormsWizard1Click"));
        wiz = host->toolWindows().get<TfFormWiz>();
    }
    // Sends the element of a tab to the document and returns the document's text.
    QString toDocument(int page)
    {
        ed()->loadUtf8("");
        wiz->tabs()->setCurrentIndex(page);
        wiz->btnToDocClick();
        return text();
    }
    static TextFile::Format crlf()
    {
        TextFile::Format f;
        f.eol = TextFile::Eol::CrLf;
        return f;
    }
    QString clipboard() const { return QApplication::clipboard()->text(); }
};

TEST_F(FormsWizardTest, TheInitialElementsAreThePartsTexts)
{
    EXPECT_TRUE(wiz->isVisible());
    EXPECT_FALSE(wiz->isModal());
    EXPECT_EQ(wiz->windowTitle(), "Tolvenra Forms Wizard");
    EXPECT_EQ(wiz->notebook()->currentIndex(), TfFormWiz::FormPage);

    EXPECT_EQ(toDocument(TfFormWiz::FormPage),
              "<FORM METHOD=\"POST\" ACTION=\"http://\" ENCTYPE=\"application/x-www-form-urlencoded\"></FORM>");
    EXPECT_EQ(ed()->caretCol(), 81 + 1); // between the tags (columns count from 1)
    EXPECT_EQ(host->tags().lastCloseTag(), "</FORM>");
    EXPECT_EQ(toDocument(TfFormWiz::SubmitPage), "<INPUT TYPE=SUBMIT VALUE=\"SUBMIT\">");
    EXPECT_EQ(toDocument(TfFormWiz::ResetPage), "<INPUT TYPE=\"RESET\" VALUE=\"RESET\">");
    EXPECT_EQ(toDocument(TfFormWiz::TextLinePage),
              "<INPUT TYPE=TEXT NAME=\"NAME\" VALUE=\"\" SIZE=\"50\" MAXLENGTH=\"50\">");
    EXPECT_EQ(ed()->caretCol(), int(text().size()) + 1); // no closing text: the caret goes after it
    EXPECT_EQ(toDocument(TfFormWiz::OptionPage), "<INPUT TYPE=\"RADIO\" NAME=\"NAME\" VALUE=\"\" ALIGN=left>");
    EXPECT_EQ(toDocument(TfFormWiz::MultiLinePage), "<TEXTAREA NAME=\"NAME\" ROWS=3 COLS=50></TEXTAREA>");
    EXPECT_EQ(toDocument(TfFormWiz::SelectPage), "<SELECT NAME=\"NAME\" SIZE=1 ><OPTION>Option 1</SELECT>");
}

TEST_F(FormsWizardTest, FieldsGoInAsTheyStand)
{
    wiz->tSubName->setText("go");
    EXPECT_EQ(toDocument(TfFormWiz::SubmitPage), "<INPUT TYPE=SUBMIT VALUE=\"SUBMIT\" NAME=\"go\">");

    wiz->tTextName->setText("q");
    wiz->tTextDefault->setText("caf\xc3\xa9 &amp; <b>");
    wiz->sTextSize->setValue(240);
    wiz->sTextMax->setValue(7);
    EXPECT_EQ(toDocument(TfFormWiz::TextLinePage),
              "<INPUT TYPE=TEXT NAME=\"q\" VALUE=\"caf\xc3\xa9 &amp; <b>\" SIZE=\"240\" MAXLENGTH=\"7\">");

    wiz->tMethod->setCurrentIndex(1);
    wiz->tAction->setText("https://example.org/cgi");
    wiz->tMime->setText("multipart/form-data");
    EXPECT_EQ(toDocument(TfFormWiz::FormPage),
              "<FORM METHOD=\"GET\" ACTION=\"https://example.org/cgi\" ENCTYPE=\"multipart/form-data\"></FORM>");
}

TEST_F(FormsWizardTest, CheckBoxAndRadioButtonExcludeEachOther)
{
    wiz->tabs()->setCurrentIndex(TfFormWiz::OptionPage);
    wiz->tOptRetVal->setText("yes");
    QTest::mouseClick(wiz->oOptCB, Qt::LeftButton);
    wiz->btnCentre->setChecked(true);
    EXPECT_EQ(toDocument(TfFormWiz::OptionPage), "<INPUT TYPE=\"CHECKBOX\" NAME=\"NAME\" VALUE=\"yes\" ALIGN=center>");

    QTest::mouseClick(wiz->oOptRB, Qt::LeftButton);
    EXPECT_FALSE(wiz->oOptCB->isChecked());
    wiz->btnRight->setChecked(true);
    EXPECT_EQ(toDocument(TfFormWiz::OptionPage), "<INPUT TYPE=\"RADIO\" NAME=\"NAME\" VALUE=\"yes\" ALIGN=right>");

    QTest::mouseClick(wiz->oOptCB, Qt::LeftButton);
    EXPECT_FALSE(wiz->oOptRB->isChecked());
    QTest::mouseClick(wiz->oOptCB, Qt::LeftButton); // neither set: a radio button
    EXPECT_EQ(toDocument(TfFormWiz::OptionPage), "<INPUT TYPE=\"RADIO\" NAME=\"NAME\" VALUE=\"yes\" ALIGN=right>");
}

TEST_F(FormsWizardTest, ListsGoInAsOneUndoStep)
{
    wiz->oSelMulti->setChecked(true);
    wiz->mSel->setPlainText("Red\nGreen\n");
    ed()->loadUtf8("<P>");
    ed()->setCaret(1, 4);
    wiz->tabs()->setCurrentIndex(TfFormWiz::SelectPage);
    wiz->btnToDocClick();
    EXPECT_EQ(text(), "<P><SELECT NAME=\"NAME\" SIZE=1 MULTIPLE ><OPTION>Red<OPTION>Green<OPTION></SELECT>");
    ed()->undo();
    EXPECT_EQ(text(), "<P>");

    // A text area's default text keeps its line breaks, in the document's own.
    host->activeDocument()->document().setFormat(crlf());
    wiz->mMultiText->setPlainText("Dear Sir,\nyours");
    wiz->oMultiLines->setValue(5);
    wiz->oMultiSize->setValue(40);
    EXPECT_EQ(toDocument(TfFormWiz::MultiLinePage),
              "<TEXTAREA NAME=\"NAME\" ROWS=5 COLS=40>Dear Sir,\r\nyours</TEXTAREA>");
}

TEST_F(FormsWizardTest, ToClipboardCopiesTheElementAndSaysSo)
{
    ed()->loadUtf8("kept");
    wiz->btnToClipClick();
    EXPECT_EQ(clipboard(), "<FORM METHOD=\"POST\" ACTION=\"http://\" ENCTYPE=\"application/x-www-form-urlencoded\">\n</FORM>");
    EXPECT_EQ(host->status, "   Form Element copied to Clipboard.");
    EXPECT_EQ(wiz->destination(), TfFormWiz::Destination::Clipboard);
    wiz->tabs()->setCurrentIndex(TfFormWiz::ResetPage);
    wiz->btnToClipClick();
    EXPECT_EQ(clipboard(), "<INPUT TYPE=\"RESET\" VALUE=\"RESET\">");

    // A list goes to the clipboard whole, as the document would get it; the document is left
    // alone.
    wiz->tabs()->setCurrentIndex(TfFormWiz::SelectPage);
    ed()->setCaret(1, 5);
    wiz->btnToClipClick();
    EXPECT_EQ(text(), "kept");
    EXPECT_EQ(clipboard(), "<SELECT NAME=\"NAME\" SIZE=1 ><OPTION>Option 1</SELECT>");
    wiz->tabs()->setCurrentIndex(TfFormWiz::MultiLinePage);
    wiz->mMultiText->setPlainText("Dear Sir,\nyours");
    wiz->btnToClipClick();
    EXPECT_EQ(text(), "kept");
    EXPECT_EQ(clipboard(), "<TEXTAREA NAME=\"NAME\" ROWS=3 COLS=50>Dear Sir,\nyours</TEXTAREA>");

    // The predefined form goes to the document only.
    wiz->tabs()->setCurrentIndex(TfFormWiz::PredefinedPage);
    wiz->btnToClipClick();
    EXPECT_EQ(text(), "kept");
    EXPECT_EQ(clipboard(), "<TEXTAREA NAME=\"NAME\" ROWS=3 COLS=50>Dear Sir,\nyours</TEXTAREA>");
    EXPECT_EQ(host->toolWindows().get<TfFormWiz>()->isVisible(), true); // the wizard stays open
}

TEST_F(FormsWizardTest, WithoutADocument)
{
    host->activeDocument()->close();
    ASSERT_EQ(host->activeDocument(), nullptr);
    for (int page = TfFormWiz::FormPage; page <= TfFormWiz::PredefinedPage; ++page) {
        wiz->tabs()->setCurrentIndex(page);
        host->status.clear();
        QApplication::clipboard()->setText("before");
        wiz->btnToDocClick();
        // The single elements still reach the tag engine, which finds no document.
        const bool single = page != TfFormWiz::MultiLinePage && page != TfFormWiz::SelectPage &&
                            page != TfFormWiz::PredefinedPage;
        EXPECT_EQ(host->status, single ? "   Adding Command ..." : "") << page;
        wiz->btnToClipClick();
        EXPECT_EQ(clipboard() != "before", page != TfFormWiz::PredefinedPage) << page;
    }
}

TEST_F(FormsWizardTest, TheActionAddressIsRememberedForTheNextStart)
{
    EXPECT_EQ(wiz->tAction->text(), "http://");
    wiz->tAction->setText("http://example.com/form");
    wiz->btnToClipClick();
    EXPECT_EQ(host->settings().read(Settings::FormActionUrl), "http://example.com/form");
    host->toolWindows().destroyAll();
    host->toolWindows().add<TfFormWiz>();
    EXPECT_EQ(host->toolWindows().get<TfFormWiz>()->tAction->text(), "http://example.com/form");
}

TEST_F(FormsWizardTest, PredefinedFormsAndFormDefinitionFiles)
{
    const QStringList sample = wiz->mSample->toPlainText().split('\n');
    ASSERT_EQ(sample.size(), 7);
    EXPECT_EQ(sample[0], "<H1>My Questionnaire</H1>");
    EXPECT_TRUE(sample[1].startsWith("<FORM METHOD=\"POST\" ACTION=\"http://"));
    EXPECT_EQ(sample[3], "  Your Address:<BR><TEXTAREA NAME=\"addr\" cols=50 rows=5></TEXTAREA><P><BR>");
    EXPECT_EQ(sample[6], "</FORM><P>");

    dialogs.openNames = {{home.write("contact.tfd", "<FORM>\r\n  caf\xe9\r\n</FORM>\r\n")}};
    wiz->tabs()->setCurrentIndex(TfFormWiz::PredefinedPage);
    wiz->btnLoadFormClick();
    EXPECT_EQ(wiz->mSample->toPlainText(), "<FORM>\n  caf\xc3\xa9\n</FORM>");
    // Each line goes in with the document's own line break after it.
    host->activeDocument()->document().setFormat(crlf());
    EXPECT_EQ(toDocument(TfFormWiz::PredefinedPage), "<FORM>\r\n  caf\xc3\xa9\r\n</FORM>\r\n");

    // A cancelled dialog and a file that is not text leave the sample as it is.
    dialogs.openNames = {{}, {home.write("picture.tfd", QByteArray("GIF89a\0\0\x01", 9))}};
    wiz->btnLoadFormClick();
    wiz->btnLoadFormClick();
    EXPECT_EQ(wiz->mSample->toPlainText(), "<FORM>\n  caf\xc3\xa9\n</FORM>");
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith("Unable to read the form definition picture.tfd:"));

    wiz->findChild<QPushButton *>("btnSample")->click();
    EXPECT_EQ(wiz->mSample->toPlainText().split('\n'), sample);
}

TEST_F(FormsWizardTest, TheDrawnFormOpensTheTabOfTheElementClicked)
{
    QTest::mouseClick(wiz->findChild<QLineEdit *>("btnFText"), Qt::LeftButton);
    EXPECT_EQ(wiz->notebook()->currentIndex(), TfFormWiz::TextLinePage);
    QTest::mouseClick(wiz->findChild<QPlainTextEdit *>("btnFMulti")->viewport(), Qt::LeftButton);
    EXPECT_EQ(wiz->notebook()->currentIndex(), TfFormWiz::MultiLinePage);
    QTest::mouseClick(wiz->findChild<QListWidget *>("lstOptions")->viewport(), Qt::LeftButton);
    EXPECT_EQ(wiz->notebook()->currentIndex(), TfFormWiz::SelectPage);
    QTest::mouseClick(wiz->findChild<QRadioButton *>("btnFOpt"), Qt::LeftButton);
    EXPECT_EQ(wiz->notebook()->currentIndex(), TfFormWiz::OptionPage);
    wiz->findChild<QPushButton *>("btnPredefined")->click();
    EXPECT_EQ(wiz->notebook()->currentIndex(), TfFormWiz::PredefinedPage);
    wiz->findChild<QPushButton *>("btnFRefresh")->click();
    EXPECT_EQ(wiz->tabs()->currentIndex(), TfFormWiz::ResetPage);

    wiz->HelpBtnClick();
    EXPECT_EQ(host->helpTopics.last(), "wizards.html#forms");
    wiz->btnCancelClick();
    EXPECT_FALSE(wiz->isVisible());
    wiz->tSubName->setText("kept");
    host->commands().trigger("FormsWizard1Click");
    EXPECT_EQ(wiz->tSubName->text(), "kept");
    EXPECT_EQ(wiz->tabs()->currentIndex(), TfFormWiz::ResetPage);
}


} // namespace
