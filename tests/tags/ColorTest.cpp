#include "app/Ubag.h"
#include "app/ToolWindows.h"
#include "support/FrameFixture.h"
#include "support/TestHost.h"
#include "tags/Color.h"

#include <QListWidget>
#include <Qsci/qscilexerhtml.h>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

namespace {

void click(ColorGrid *grid, int index, Qt::MouseButton button)
{
    for (int y = 0; y < grid->height(); y += 2)
        for (int x = 0; x < grid->width(); x += 2)
            if (grid->cellAt({x, y}) == index) {
                QTest::mouseClick(grid, button, {}, {x, y});
                return;
            }
    ADD_FAILURE() << "no cell " << index;
}

// The dialog on the frame's stand-in, with one document.
class ColorTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        host->toolWindows().add<TfColor>(QString(), ToolWindows::Show::Modal);
    }
    TfColor *dialog() { return host->toolWindows().get<TfColor>(); }
    TfHTML *doc() const { return host->activeDocument(); }
};


TEST_F(ColorTest, GridButtonsChooseTextAndBackground)
{
    TfColor *dlg = dialog();
    dlg->resize(700, 300);
    dlg->show();
    click(dlg->grid(), 4, Qt::RightButton);  // navy
    click(dlg->grid(), 11, Qt::LeftButton);  // yellow
    EXPECT_EQ(dlg->sampleBackground(), QColor(0, 0, 128));
    EXPECT_EQ(dlg->sampleText(), QColor(255, 255, 0));
    EXPECT_EQ(dlg->sample()->palette().color(QPalette::Base), QColor(0, 0, 128));
    dlg->findChild<QPushButton *>("OKBtn")->click();
    EXPECT_EQ(ed()->editorColor(), QColor(0, 0, 128));
    EXPECT_EQ(ed()->fontColor(), QColor(255, 255, 0));
    // Apply alone writes no defaults (the dialog's place is all it keeps).
    EXPECT_FALSE(home.read("tolvopt.ini").contains("Edit_Color"));
}


TEST_F(ColorTest, WithoutADocumentNothingIsWritten)
{
    doc()->close();
    TfColor *dlg = dialog();
    dlg->grid()->setBackgroundIndex(4);
    dlg->cmdDefaultClick();
    EXPECT_FALSE(home.read("tolvopt.ini").contains("Edit_Color"));
}

TEST_F(ColorTest, TheDialogStartsFromTheActiveEditor)
{
    ed()->setEditorColor(QColor(1, 2, 3));
    TfColor *dlg = dialog();
    dlg->SetDefC();
    EXPECT_EQ(dlg->sampleBackground(), QColor(1, 2, 3));
    EXPECT_EQ(dlg->sample()->count(), 12);
    EXPECT_EQ(dlg->sample()->item(2)->text(),
              "<!-- Sample Template for a HTML Document created by Korvo for Windows Version 2 -->");
}

} // namespace

namespace {

TEST_F(ColorTest, EveryHighlighterStyleReadsOnTheChosenBackground)
{
    TfColor *dlg = dialog();
    dlg->show();
    dlg->grid()->setBackgroundIndex(4);  // navy
    dlg->grid()->setForegroundIndex(11); // yellow
    dlg->OKBtnClick();
    QsciLexer *lexer = ed()->lexer();
    ASSERT_NE(lexer, nullptr);
    int styles = 0;
    for (int style = 0; style <= QsciScintillaBase::STYLE_MAX; ++style) {
        if (lexer->description(style).isEmpty())
            continue;
        ++styles;
        EXPECT_EQ(lexer->paper(style), QColor(0, 0, 128)) << style;
        EXPECT_GE(TEditor::contrast(lexer->color(style), QColor(0, 0, 128)), TEditor::MinContrast)
            << lexer->description(style).toStdString();
    }
    EXPECT_GT(styles, 20);
    EXPECT_EQ(lexer->color(QsciLexerHTML::Default), QColor(255, 255, 0));
}

TEST(ReadableColours, ColoursThatReadAreKeptOthersKeepTheirHue)
{
    EXPECT_EQ(TEditor::readableOn(QColor(0, 0, 128), Qt::white), QColor(0, 0, 128));
    const QColor onNavy = TEditor::readableOn(QColor(0, 0, 128), QColor(0, 0, 128));
    EXPECT_GE(TEditor::contrast(onNavy, QColor(0, 0, 128)), TEditor::MinContrast);
    EXPECT_EQ(onNavy.hslHue(), QColor(0, 0, 128).hslHue());
    const QColor onWhite = TEditor::readableOn(QColor(255, 255, 0), Qt::white);
    EXPECT_GE(TEditor::contrast(onWhite, Qt::white), TEditor::MinContrast);
}

} // namespace
