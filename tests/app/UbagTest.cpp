#include "app/Ubag.h"
#include "support/TestHome.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class UbagTest : public ::testing::Test {
protected:
    TestHome home;
    TBag bag{"tolvopt.ini", "Edit Window"};
    void setFile(const QByteArray &text) { home.write("tolvopt.ini", text); }
};

template <typename F>
QString errorOf(F &&f)
{
    try {
        f();
    } catch (const EAppError &e) {
        return e.message();
    }
    return QString();
}

TEST_F(UbagTest, LoadUpperCasesAndSkipsLinesWithoutAName)
{
    setFile("[Edit Window]\r\nEdit_Color=abc\r\nno equals sign\r\n=value\r\nMixed=Courier New\r\n[Other]\r\nX=1\r\n");
    bag.Load();
    EXPECT_EQ(bag.count(), 2);
    EXPECT_EQ(bag.names(), QStringList({"EDIT_COLOR", "MIXED"}));
    EXPECT_EQ(bag.GetString("edit_color"), "ABC");
    EXPECT_EQ(bag.GetString("Mixed"), "COURIER NEW");
}

TEST_F(UbagTest, LoadCutsValuesTo255Characters)
{
    setFile("[Edit Window]\r\nLong=" + QByteArray(300, 'x') + "\r\n");
    bag.Load();
    EXPECT_EQ(bag.GetString("LONG").size(), 255);
}

TEST_F(UbagTest, LoadMergesIntoWhatTheBagHolds)
{
    bag.PutString("Kept", "1");
    setFile("[Edit Window]\r\nNew=2\r\n");
    bag.Load();
    EXPECT_EQ(bag.GetString("KEPT"), "1");
    EXPECT_EQ(bag.GetString("NEW"), "2");
}

TEST_F(UbagTest, NamesDifferingInCaseAreOneItem)
{
    bag.PutString("Form_Place", "a");
    bag.PutString("FORM_PLACE", "b");
    EXPECT_EQ(bag.count(), 1);
    EXPECT_EQ(bag.GetString("form_place"), "b");
}

TEST_F(UbagTest, SaveWritesEveryItemInOrder)
{
    bag.PutInteger("Edit_Color", 255);
    bag.PutString("Form_Place", "x");
    bag.Save();
    EXPECT_EQ(home.read("tolvopt.ini"), "[Edit Window]\r\nEDIT_COLOR=255\r\nFORM_PLACE=x\r\n");
}

TEST_F(UbagTest, ErrorsCarryTheirFixedMessages)
{
    EXPECT_EQ(errorOf([&] { bag.Save(); }), "No items to write to INI file");
    EXPECT_EQ(errorOf([&] { bag.GetString(""); }), "No item specified");
    EXPECT_EQ(errorOf([&] { bag.PutString("", "v"); }), "No item specified");
    TBag noFile("", "S");
    EXPECT_EQ(errorOf([&] { noFile.Load(); }), "No INI file specified");
    TBag noSection("tolvopt.ini", "");
    EXPECT_EQ(errorOf([&] { noSection.Save(); }), "No INI file section specified");
}

TEST_F(UbagTest, GetStringOnAnEmptyBagIsEmpty)
{
    EXPECT_EQ(bag.GetString("anything"), "");
    EXPECT_EQ(bag.GetInteger("anything", 7), 7);
}

TEST_F(UbagTest, GetIntegerRaisesOnText)
{
    bag.PutString("N", "12x");
    EXPECT_EQ(errorOf([&] { bag.GetInteger("N", 0); }), "'12x' is not a valid integer value");
}

TEST_F(UbagTest, FontDescriptionRoundTripUpperCasesTheFace)
{
    BagFont f;
    f.font = QFont("Courier New");
    f.font.setPointSize(11);
    f.font.setBold(true);
    f.font.setUnderline(true);
    f.font.setFixedPitch(true);
    f.color = 0x0000FF;
    bag.PutFont("Edit_Font", f);
    EXPECT_EQ(bag.GetString("Edit_Font"), "5,2<11>-15;255:Courier New");
    bag.Save();

    TBag next("tolvopt.ini", "Edit Window");
    next.Load();
    const BagFont back = next.GetFont("Edit_Font", BagFont());
    EXPECT_EQ(back.font.family(), "COURIER NEW");
    EXPECT_EQ(back.font.pointSize(), 11);
    EXPECT_TRUE(back.font.bold());
    EXPECT_TRUE(back.font.underline());
    EXPECT_FALSE(back.font.italic());
    EXPECT_EQ(back.color, 255);
}

TEST_F(UbagTest, FontStyleBitsAreTakenApartFromTheTop)
{
    BagFont f;
    TBag::applyFontDescription("15,0<9>-12;-2147483640:Mono", &f);
    EXPECT_TRUE(f.font.strikeOut());
    EXPECT_TRUE(f.font.underline());
    EXPECT_TRUE(f.font.italic());
    EXPECT_TRUE(f.font.bold());
    EXPECT_EQ(f.color, ColorCode::WindowTextColor);
}

TEST_F(UbagTest, InvalidFontDescriptionsAreRefused)
{
    for (const char *bad : {",0<10>-13;0:Mono", "0,0<10>-13;0:", "0<0,10>-13;0:Mono", "0,0<10-13;0:Mono", "garbage"}) {
        bag.PutString("F", bad);
        EXPECT_EQ(errorOf([&] { bag.GetFont("F", BagFont()); }), "Invalid font in INI file") << bad;
    }
    // No stored font: the default comes back unchanged.
    BagFont def;
    def.color = 42;
    EXPECT_EQ(bag.GetFont("Missing", def).color, 42);
}

TEST_F(UbagTest, WindowPlacementRoundTrip)
{
    QWidget w;
    w.setGeometry(40, 50, 300, 200);
    bag.PutWindowPos("FORM_PLACE", &w);
    EXPECT_EQ(bag.GetString("FORM_PLACE"), "0,1,-1,-1,-1,-1,40,50,340,250");
    QWidget other;
    other.setGeometry(0, 0, 10, 10);
    bag.GetWindowPos("FORM_PLACE", &other);
    EXPECT_EQ(other.geometry(), QRect(40, 50, 300, 200));
}

TEST_F(UbagTest, BadOrOffScreenPlacementsAreIgnored)
{
    QWidget w;
    w.setGeometry(5, 6, 70, 80);
    const QRect before = w.geometry();
    for (const char *bad : {"0,1,-1,-1,-1,-1,100,50,100,250", // right not past left
                            "0,1,-1,-1,-1,-1,40,50,340",       // nine fields
                            "0,1,-1,-1,,-1,40,50,340,250",     // an empty field
                            "0,1,-1,-1,-1,-1,90000,90000,90300,90200"}) { // on no screen
        bag.PutString("FORM_PLACE", bad);
        bag.GetWindowPos("FORM_PLACE", &w);
        EXPECT_EQ(w.geometry(), before) << bad;
    }
}

TEST(ColorCode, PlainColoursAreBlueGreenRed)
{
    EXPECT_EQ(ColorCode::fromColor(QColor(0x11, 0x22, 0x33)), 0x332211);
    EXPECT_EQ(ColorCode::toColor(0x332211), QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(ColorCode::toColor(ColorCode::WindowColor), QGuiApplication::palette().color(QPalette::Base));
}

} // namespace
