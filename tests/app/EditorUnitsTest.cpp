// The units the editor is made of, each on its own: display breaks of long lines with the
// file's lines and columns, find and replace, and the background layout of large texts.

#include "app/BackgroundLayout.h"
#include "app/Document.h"
#include "app/Editor.h"
#include "app/LongLines.h"
#include "app/TextSearch.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

// ---- where a long line is broken ----

struct BreakCase {
    const char *name;
    QByteArray line;
    // What the text just before each break must end with, and what must never be split.
    QByteArray before;
};

class LongLineBreaks : public ::testing::TestWithParam<BreakCase> {};

QByteArray repeat(const QByteArray &unit, long size)
{
    QByteArray out;
    while (out.size() < size)
        out += unit;
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Cuts, LongLineBreaks,
    ::testing::Values(BreakCase{"BetweenTags", repeat("<td>cell</td>", 80 * 1024), ">"},
                      BreakCase{"AfterABlank", repeat("word ", 80 * 1024), " "},
                      BreakCase{"BetweenCharacters", repeat("\xC3\xA9\xE2\x82\xAC", 80 * 1024), ""},
                      BreakCase{"NeverRightAfterACarriageReturn", repeat("a\r", 80 * 1024), ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_P(LongLineBreaks, BreaksFallWhereTheyDoNoHarmAndTheFileTextIsKept)
{
    const BreakCase &c = GetParam();
    const QByteArray text = "<p>short</p>\n" + c.line + "\n<p>end</p>";
    std::vector<long> breaks;
    const QByteArray shown = LongLines::breakLongLines(text, &breaks);
    ASSERT_GT(breaks.size(), size_t(50));
    QByteArray back = shown;
    for (auto b = breaks.rbegin(); b != breaks.rend(); ++b) {
        const qsizetype at = *b;
        ASSERT_EQ(shown.at(at), '\n');
        if (!c.before.isEmpty()) {
            EXPECT_TRUE(shown.left(at).endsWith(c.before)) << at;
        }
        // Never inside a character, never after a carriage return.
        EXPECT_NE(uchar(shown.at(at + 1)) & 0xC0, 0x80);
        EXPECT_NE(shown.at(at - 1), '\r');
        back.remove(at, 1);
    }
    EXPECT_EQ(back, text);
    // Display lines stay around a kilobyte.
    for (size_t i = 1; i < breaks.size(); ++i)
        EXPECT_LE(breaks[i] - breaks[i - 1], 4 * 1024 + 1);
    // The short lines are left alone.
    EXPECT_GT(breaks.front(), 13);
    EXPECT_TRUE(shown.endsWith("\n<p>end</p>"));
}

TEST(LongLines, OnlyLinesOverTheLimitAreBroken)
{
    EXPECT_FALSE(LongLines::hasLongLine(repeat("x", LongLines::LongLine) + "\n" + repeat("y", LongLines::LongLine)));
    EXPECT_TRUE(LongLines::hasLongLine("a\n" + repeat("x", LongLines::LongLine + 1)));
    std::vector<long> breaks;
    const QByteArray under = repeat("<b>x</b>", LongLines::LongLine - 8);
    EXPECT_EQ(LongLines::breakLongLines(under, &breaks), under);
    EXPECT_TRUE(breaks.empty());
}

TEST(LongLines, LinesAndColumnsOfTheFileMapBothWays)
{
    // Short and long lines mixed, with characters of several bytes; every position maps to a
    // line and column of the file and back.
    QByteArray text;
    QRandomGenerator random(7);
    for (int line = 0; line < 12; ++line) {
        const long size = line % 3 == 1 ? 70 * 1024 + long(random.bounded(5000)) : long(random.bounded(80));
        text += repeat(line % 2 ? "<i>\xC3\xA9</i>" : "ab ", size) + "\n";
    }
    HtmlDocument doc;
    doc.setText(text);
    const LongLines &lines = doc.longLines();
    ASSERT_TRUE(lines.hasBreaks());
    const std::vector<long> breaks = lines.breaks();
    const QByteArrayView shown = doc.characters();
    int checked = 0;
    for (long pos = 0; pos < long(shown.size()); pos += 1 + long(random.bounded(97))) {
        while (pos < long(shown.size()) && (uchar(shown[pos]) & 0xC0) == 0x80)
            ++pos; // a character's start
        // The start of a display line after a break is the same file column as the break.
        if (std::binary_search(breaks.begin(), breaks.end(), pos - 1))
            continue;
        int line = 0, col = 0;
        lines.lineColOf(pos, &line, &col);
        EXPECT_EQ(lines.positionOf(line, col), pos) << line << ":" << col;
        EXPECT_EQ(lines.lineOf(pos), line);
        ++checked;
    }
    EXPECT_GT(checked, 1000);
    // The file's lines are counted as the file holds them.
    EXPECT_EQ(lines.fileLines().size(), 13);
    int line = 0, col = 0;
    lines.lineColOf(long(shown.size()), &line, &col);
    EXPECT_EQ(line, 13);
    EXPECT_EQ(col, 1);
}

// ---- find and replace ----

struct FindCase {
    const char *name;
    QByteArray text, needle;
    bool matchCase, wholeWord;
    QList<long> starts;
};

class Search : public ::testing::TestWithParam<FindCase> {};

INSTANTIATE_TEST_SUITE_P(
    Cases, Search,
    ::testing::Values(FindCase{"IgnoringCase", "Cat cat CAT", "cat", false, false, {0, 4, 8}},
                      FindCase{"MatchingCase", "Cat cat CAT", "cat", true, false, {4}},
                      FindCase{"WholeWords", "cat concat cat.", "cat", false, true, {0, 11}},
                      FindCase{"NoOverlaps", "aaaa", "aa", false, false, {0, 2}},
                      FindCase{"LettersBeyondAscii", "caf\xC3\xA9 CAF\xC3\x89", "caf\xC3\xA9", false, false, {0, 6}},
                      FindCase{"AnEmptyNeedleFindsNothing", "abc", "", false, false, {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_P(Search, MatchesAreFoundAsTheOptionsSay)
{
    const FindCase &c = GetParam();
    HtmlDocument doc;
    doc.setText(c.text);
    QList<long> starts;
    if (!c.needle.isEmpty())
        for (const TextSearch::Match &m : TextSearch::matches(doc, 0, c.needle, c.matchCase, c.wholeWord, true))
            starts << m.start;
    EXPECT_EQ(starts, c.starts);
    long end = 0;
    EXPECT_EQ(TextSearch::find(doc, 0, QString::fromUtf8(c.needle), c.matchCase, c.wholeWord, &end),
              c.starts.isEmpty() ? -1 : c.starts.first());
}

TEST(Replacement, OneMatchOrEveryMatchAsOneSpan)
{
    HtmlDocument doc;
    doc.setText("<b>a</b> <b>b</b> <b>c</b>");
    TextSearch::Replacement first = TextSearch::replacement(doc, "<b>", "<strong>", false, true, false);
    EXPECT_EQ(first.count, 1);
    EXPECT_EQ(first.start, 0);
    EXPECT_EQ(first.end, 3);
    EXPECT_EQ(first.text, "<strong>");
    TextSearch::Replacement all = TextSearch::replacement(doc, "b>", "i>", true, true, false);
    EXPECT_EQ(all.count, 6);
    doc.replaceRange(all.start, all.end, all.text);
    EXPECT_EQ(doc.fileText(), "<i>a</i> <i>b</i> <i>c</i>");
    doc.undo(); // one step
    EXPECT_EQ(doc.fileText(), "<b>a</b> <b>b</b> <b>c</b>");
}

// ---- the layout of large texts ----

TEST(BackgroundLayout, AChangeWithWrappingOffGivesTheWrapBack)
{
    TEditor view;
    view.loadUtf8("<p>text</p>");
    BackgroundLayout layout(&view);
    for (long wrap : {0L, 1L}) {
        layout.setWrap(wrap);
        long during = -1;
        layout.changeUnwrapped([&] { during = view.SendScintilla(QsciScintillaBase::SCI_GETWRAPMODE); });
        EXPECT_EQ(during, 0);
        EXPECT_EQ(view.SendScintilla(QsciScintillaBase::SCI_GETWRAPMODE), wrap);
    }
    // A small insertion leaves the wrap alone; a large one holds it back until the text is
    // styled, and the wrap it will give back is the one in force meanwhile.
    long during = -1;
    layout.insertUnwrapped(false, [&] { during = view.SendScintilla(QsciScintillaBase::SCI_GETWRAPMODE); });
    EXPECT_EQ(during, 1);
    layout.insertUnwrapped(true, [&] { during = view.SendScintilla(QsciScintillaBase::SCI_GETWRAPMODE); });
    EXPECT_EQ(during, 0);
    EXPECT_TRUE(layout.wrapPending());
    EXPECT_EQ(layout.wrapInForce(), 1);
    layout.cancelPendingWrap();
    EXPECT_FALSE(layout.wrapPending());
    EXPECT_EQ(layout.wrapInForce(), 0);
}

} // namespace
