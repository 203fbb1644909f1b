#include "support/TestHome.h"
#include "tags/Color.h"
#include "tools/FontForm.h"
#include "tools/PreviewSupport.h"
#include "app/Ubag.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <gtest/gtest.h>

namespace {

class FontFormTest : public ::testing::Test {
protected:
    TestHome home;
};

QString selected(QListWidget *list)
{
    return list->currentItem() ? list->currentItem()->text() : QString();
}

TEST_F(FontFormTest, ValuesShowInTheControlsAndTheSample)
{
    TFontForm form;
    EXPECT_EQ(form.windowTitle(), "Edit Default Font and Colors");
    EXPECT_EQ(form.sizeBox()->minimum(), 6);
    EXPECT_EQ(form.sizeBox()->maximum(), 24);

    form.setFontSize(18);
    EXPECT_EQ(form.sizeBox()->value(), 18);
    EXPECT_EQ(form.sample()->defFontSize(), 18);

    form.setBackground(0x800000);
    EXPECT_EQ(selected(form.backgroundList()), "clNavy");
    EXPECT_EQ(form.sample()->defBackground(), QColor(0, 0, 128));

    form.setFontColor(0x0000FF);
    EXPECT_EQ(form.sample()->defFontColor(), QColor(255, 0, 0));
    EXPECT_EQ(form.fontColorGrid()->foregroundIndex(), -1); // the grid's mark waits for a click
}

TEST_F(FontFormTest, ASystemColourIsAddedToTheListOnceWhenSet)
{
    TFontForm form;
    const int before = form.backgroundList()->count();
    EXPECT_EQ(before, 17); // the plain colours and clNone
    form.setBackground(ColorCode::ButtonFaceColor);
    EXPECT_EQ(selected(form.backgroundList()), "clBtnFace");
    form.setBackground(0xFFFFFF);
    form.setBackground(ColorCode::ButtonFaceColor);
    EXPECT_EQ(form.backgroundList()->count(), before + 1);
    // A colour without a name shows as its value.
    form.setBackground(0x123456);
    EXPECT_EQ(selected(form.backgroundList()), "$00123456");
}

TEST_F(FontFormTest, AMissingFontSelectsSystemButTheSampleKeepsTheName)
{
    TFontForm form;
    form.setFontName("No Such Font 123");
    EXPECT_EQ(selected(form.fontList()), "System");
    EXPECT_EQ(form.fontName(), "No Such Font 123");
    EXPECT_EQ(form.sample()->defFontName(), "No Such Font 123");
}

TEST_F(FontFormTest, UserChoicesSetTheValues)
{
    TFontForm form;
    form.show();
    QListWidgetItem *aqua = form.backgroundList()->findItems("clAqua", Qt::MatchExactly).first();
    form.backgroundList()->setCurrentItem(aqua);
    emit form.backgroundList()->itemClicked(aqua);
    EXPECT_EQ(form.background(), 0xFFFF00);

    form.sizeBox()->setValue(9);
    EXPECT_EQ(form.fontSize(), 9);

    // A click on yellow in the link grid; the right button does nothing in these grids.
    ColorGrid *grid = form.hotSpotColorGrid();
    auto click = [grid](int cell, Qt::MouseButton b) {
        for (int y = 0; y < grid->height(); ++y)
            for (int x = 0; x < grid->width(); ++x)
                if (grid->cellAt({x, y}) == cell) {
                    QMouseEvent e(QEvent::MouseButtonPress, QPointF(x + 2, y + 2), grid->mapToGlobal(QPointF(x + 2, y + 2)), b, b, {});
                    QCoreApplication::sendEvent(grid, &e);
                    return;
                }
    };
    click(11, Qt::LeftButton);
    EXPECT_EQ(form.hotSpotColor(), 0x00FFFF);
    click(4, Qt::RightButton);
    EXPECT_EQ(form.hotSpotColor(), 0x00FFFF);
    click(4, Qt::LeftButton);
    EXPECT_EQ(form.sample()->defHotSpotColor(), QColor(0, 0, 128));
}

TEST_F(FontFormTest, ResetGoesBackToTheValuesAsShown)
{
    TFontForm form;
    form.setFontSize(14);
    form.setBackground(ColorCode::ButtonFaceColor);
    form.show();
    form.sizeBox()->setValue(18);
    form.setBackground(0x000000);
    form.setFontName("Something Else");
    form.resetButton()->click();
    EXPECT_EQ(form.fontSize(), 14);
    EXPECT_EQ(form.sizeBox()->value(), 14);
    EXPECT_EQ(form.background(), ColorCode::ButtonFaceColor);
    EXPECT_EQ(selected(form.backgroundList()), "clBtnFace");
    EXPECT_NE(form.fontName(), "Something Else");
}

TEST_F(FontFormTest, TheSampleShowsTheChosenColoursAtOnce)
{
    TFontForm form;
    form.show();
    HtmlViewer *sample = form.sample();
    ASSERT_TRUE(QTest::qWaitFor([&] { return PreviewSupport::eval(sample, "document.links.length").toInt() == 1; },
                                PreviewSupport::LoadTimeout));
    form.setHotSpotColor(0x0000FF);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return PreviewSupport::eval(sample, "getComputedStyle(document.links[0]).color").toString() == "rgb(255, 0, 0)";
    }, PreviewSupport::LoadTimeout));
}

} // namespace
