#include "app/RecentFiles.h"
#include "app/TextOps.h"

#include <gtest/gtest.h>

namespace {

struct StripCase {
    const char *in, *out, *lastTag;
    int removed;
};

class StripTags : public ::testing::TestWithParam<StripCase> {};

TEST_P(StripTags, RemovesEveryCompleteTag)
{
    const StripCase &c = GetParam();
    const TextOps::TagStrip r = TextOps::stripTags(c.in);
    EXPECT_EQ(r.text, QByteArray(c.out));
    EXPECT_EQ(r.lastTag, QByteArray(c.lastTag));
    EXPECT_EQ(r.removed, c.removed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StripTags,
    ::testing::Values(StripCase{"<B>word</B>", "word", "</B>", 2},
                      StripCase{"no tags at all", "no tags at all", "", 0},
                      StripCase{"a < b and <i>c</i>", "a c", "</i>", 2},
                      StripCase{"kept <b>x</b> then < alone", "kept x then < alone", "</b>", 2},
                      StripCase{"<p>x</p> 3 < 4 <b>y</b>", "x 3 y", "</b>", 4},
                      StripCase{"<a\nhref=x>link</a>\n", "link\n", "</a>", 2},
                      StripCase{"<>empty<>", "empty", "<>", 2},
                      StripCase{"<<b>>", ">", "<<b>", 1}),
    [](const ::testing::TestParamInfo<StripCase> &info) { return "case" + std::to_string(info.index); });

TEST(TextOps, StripTagsPutsTheCaretWhereTheLastTagStood)
{
    const TextOps::TagStrip r = TextOps::stripTags("<p>ab</p>cd");
    EXPECT_EQ(r.lastPos, 2);
}

TEST(TextOps, PaletteColours)
{
    EXPECT_EQ(TextOps::PaletteColorToHTML(0), "#000000");
    EXPECT_EQ(TextOps::PaletteColorToHTML(7), "#CCCCCC");
    EXPECT_EQ(TextOps::PaletteColorToHTML(9), "#FF3333");
    EXPECT_EQ(TextOps::PaletteColorToHTML(15), "#FFFFFF");
    EXPECT_EQ(TextOps::PaletteColorToHTML(16), "");
}

TEST(TextOps, SelectionPrintLinesBlankTheStartAndCutTheEnd)
{
    EXPECT_EQ(TextOps::selectionPrintLines({"abcdef", "ghij", "klmnop"}, 3, 3),
              QStringList({"  cdef", "ghij", "kl"}));
    // Both rules on one line: "cd" selected out of "abcdef".
    EXPECT_EQ(TextOps::selectionPrintLines({"abcdef"}, 3, 5), QStringList({"  cd"}));
}

TEST(RecentFiles, NewestFirstWithoutDuplicates)
{
    RecentFiles mru;
    for (const char *f : {"/a", "/b", "/c", "/d", "/e"})
        mru.MRUUpdate(f);
    EXPECT_EQ(mru.entries(), QStringList({"/e", "/d", "/c", "/b"}));
    mru.MRUUpdate("/c");
    EXPECT_EQ(mru.entries(), QStringList({"/c", "/e", "/d", "/b"}));
    mru.MRUUpdate("/c");
    EXPECT_EQ(mru.entries(), QStringList({"/c", "/e", "/d", "/b"}));
}

TEST(RecentFiles, AlwaysFourEntries)
{
    RecentFiles mru;
    mru.MRUUpdate("/only");
    EXPECT_EQ(mru.entries(), QStringList({"/only", "", "", ""}));
    RecentFiles loaded({"/x", "", "", ""});
    loaded.MRUUpdate("/y");
    EXPECT_EQ(loaded.entries(), QStringList({"/y", "/x", "", ""}));
}

TEST(RecentFiles, ComparisonIsExact)
{
    RecentFiles mru({"/Docs/Page.html", "", "", ""});
    mru.MRUUpdate("/docs/page.html");
    EXPECT_EQ(mru.entries(), QStringList({"/docs/page.html", "/Docs/Page.html", "", ""}));
}

} // namespace

namespace {

struct FindCase {
    const char *text, *needle;
    qsizetype from;
    bool matchCase, wholeWord;
    qsizetype expected;
};

class FindText : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindText, FindsLikeTheEditorsSearch)
{
    const FindCase &c = GetParam();
    const QByteArray text(c.text);
    EXPECT_EQ(TextOps::findText(text.constData(), text.size(), c.from, c.needle, c.matchCase, c.wholeWord), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindText,
    ::testing::Values(FindCase{"Hello World", "world", 0, false, false, 6},
                      FindCase{"Hello World", "world", 0, true, false, -1},
                      FindCase{"Hello World", "World", 7, true, false, -1},
                      FindCase{"concat cat", "cat", 0, false, true, 7},
                      FindCase{"cat_x cat", "cat", 0, false, true, 6},
                      FindCase{"caf\xC3\xA9" "cat", "cat", 0, false, true, -1}, // a letter beyond ASCII is a word character
                      FindCase{"aaaa", "aa", 1, false, false, 1},
                      FindCase{"ab", "abc", 0, false, false, -1},
                      FindCase{"", "a", 0, false, false, -1},
                      FindCase{"xAbAB", "ab", 2, false, false, 3},
                      FindCase{"[A-Z] {x}", "-z]", 0, false, false, 2}),
    [](const ::testing::TestParamInfo<FindCase> &info) { return "case" + std::to_string(info.index); });

TEST(FindText, LongNeedles)
{
    const QByteArray needle = QByteArray(300, 'q') + "END";
    const QByteArray text = "start " + QByteArray(300, 'Q') + "end tail";
    EXPECT_EQ(TextOps::findText(text.constData(), text.size(), 0, needle, false, false), 6);
    EXPECT_EQ(TextOps::findText(text.constData(), text.size(), 0, needle, true, false), -1);
}

} // namespace

TEST(FindTextFolded, FoldsEveryLetter)
{
    const QByteArray text = "caf\xC3\xA9 CAF\xC3\x89 \xC3\x9C" "ber";
    qsizetype end = 0;
    EXPECT_EQ(TextOps::findTextFolded(text.constData(), text.size(), 1, QString::fromUtf8("caf\xC3\xA9"), false, &end), 6);
    EXPECT_EQ(end, 11);
    EXPECT_EQ(TextOps::findTextFolded(text.constData(), text.size(), 0, QString::fromUtf8("\xC3\xBC" "BER"), true, &end), 12);
    EXPECT_EQ(TextOps::findTextFolded(text.constData(), text.size(), 0, QString::fromUtf8("\xC3\xA9" "x"), false, &end), -1);
}
