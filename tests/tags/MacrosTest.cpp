#include "app/LineListStore.h"
#include "support/TestHost.h"
#include "tags/MacroWindows.h"
#include "tags/Macros.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

namespace {

struct ExpandCase {
    const char *name, *in, *out;
    int count;
};

class Expand : public ::testing::TestWithParam<ExpandCase> {};

TEST_P(Expand, OnePassOverTheText)
{
    const QStringList lookup = {"[X]\tsee [X]", "[HURL]\tmine"};
    const Macros::Expansion r = Macros::expand(GetParam().in, lookup + Macros::builtInSystemMacros());
    EXPECT_EQ(r.text, QByteArray(GetParam().out));
    EXPECT_EQ(r.count, GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Expand,
    ::testing::Values(ExpandCase{"UserHidesSystem", "<p>[hurl]</p>", "<p>mine</p>", 1},
                      ExpandCase{"UnknownNamesCounted", "a[i] = b[j]", "a[i] = b[j]", 2},
                      ExpandCase{"ExpansionNotScannedAgain", "[x] [X]", "see [X] see [X]", 2},
                      ExpandCase{"OpenBracketAtEnd", "text [", "text [", 0},
                      ExpandCase{"SystemMacro", "[credit]", "<!-- This page was created by Tolvenra Pro-->", 1},
                      ExpandCase{"NestedOpen", "[a [tolv]", "[a [tolv]", 1}),
    [](const ::testing::TestParamInfo<ExpandCase> &info) { return std::string(info.param.name); });

class MacrosTest : public HostTest {
protected:
    void expandNow() { ExpandMacrosNow(*host); }
    TfMacros *dialog() { return host->toolWindows().get<TfMacros>(); }
    void SetUp() override
    {
        HostTest::SetUp();
        host->toolWindows().add<TfMacros>();
        host->toolWindows().add<TfAddMac>();
    }
};

TEST_F(MacrosTest, ExpandNowReplacesCountsAndLeavesTheClipboard)
{
    ed()->loadUtf8("<p>[hurl] and [nothing]</p>");
    expandNow();
    EXPECT_EQ(text(), "<p><A HREF=\"index.html\"></A> and [nothing]</p>");
    EXPECT_EQ(dialogs.messages, QStringList({"2 Macros found !"}));
    EXPECT_EQ(QApplication::clipboard()->text(), "[nothing]");
    EXPECT_EQ(host->statusText(), "   Ready ...");
    ed()->undo(); // one undo step
    EXPECT_EQ(text(), "<p>[hurl] and [nothing]</p>");
}

TEST_F(MacrosTest, NoMacrosFound)
{
    ed()->loadUtf8("plain [");
    expandNow();
    EXPECT_EQ(dialogs.messages, QStringList({"No Macros found !"}));
    EXPECT_EQ(text(), "plain [");
}

TEST_F(MacrosTest, SavingWritesTheUserFileAndExpansionUsesIt)
{
    TfMacros *dlg = dialog();
    dlg->userStore()->setLines({});
    dlg->nameEdit()->setText("date");
    EXPECT_EQ(dlg->nameEdit()->text(), "DATE");
    dlg->expansionEdit()->setText("today");
    dlg->btnAddClick();
    dlg->btnSaveClick();
    EXPECT_EQ(home.read("user.mcr"), "[DATE]\ttoday\r\n");
    ed()->loadUtf8("[Date]");
    expandNow();
    EXPECT_EQ(text(), "today");
}

TEST_F(MacrosTest, SystemFileReplacesTheBuiltInsOnActivation)
{
    home.write("system.mcr", "[SITE]\texample.org\r\n");
    TfMacros *dlg = dialog();
    EXPECT_EQ(dlg->systemList().size(), 3);
    dlg->FormActivate();
    EXPECT_EQ(dlg->systemList(), QStringList({"[SITE]\texample.org"}));
}

TEST_F(MacrosTest, PickerListsUserThenSystemAndInsertsTheKey)
{
    home.write("user.mcr", "[MINE]\tmy text\r\n");
    TfAddMac *picker = host->toolWindows().get<TfAddMac>();
    picker->LoadMacros();
    ASSERT_EQ(picker->list()->count(), 4);
    EXPECT_EQ(picker->list()->item(0)->text(), "[MINE]\tmy text");
    ed()->loadUtf8("");
    picker->list()->setCurrentRow(1);
    picker->lstMacrosDblClick();
    EXPECT_EQ(text(), "[HURL]");
}

TEST_F(MacrosTest, AFailedSaveKeepsTheDialogAndSaysWhy)
{
    QDir().mkpath(home.path("user.mcr")); // a folder in the file's place
    dialog()->btnSaveClick();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith("Unable to save the macros to"));
}

} // namespace
