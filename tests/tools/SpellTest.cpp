#include "support/TestHost.h"
#include "tools/HtmlWords.h"
#include "platform/Dialogs.h"
#include "tools/Spell.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace {

QStringList wordsOf(const QByteArray &html)
{
    HtmlWords walk;
    HtmlWords::Word w;
    QStringList out;
    while (walk.next(html.constData(), html.size(), &w))
        out << w.text;
    return out;
}

// ---- the words of a page, without a window ----

TEST(HtmlWordsWalk, OnlyTheWordsAReaderSees)
{
    EXPECT_EQ(wordsOf("<p class=\"intro\">Hello <b>world</b>!</p>"), QStringList({"Hello", "world"}));
    // Attribute names and values are markup, except a picture's alternative text and titles.
    EXPECT_EQ(wordsOf("<img src=\"pic.png\" alt=\"A red barn\" width=3><a href=x title='Go home'>here</a>"),
              QStringList({"A", "red", "barn", "Go", "home", "here"}));
    // Scripts, styles and comments are skipped, whatever their case and contents.
    EXPECT_EQ(wordsOf("one<SCRIPT type=x>var wrods = \"<p>nope</p>\";</script>two<style>p{colr:red}</STYLE>"
                      "<!-- a commment <p> -->three"),
              QStringList({"one", "two", "three"}));
    // References are read as their letters; words with digits are no words.
    EXPECT_EQ(wordsOf("caf&eacute; na&#239;ve r&#xE9;sum&eacute; &amp; h2o don't &lt;tag&gt;"),
              QStringList({"caf\xc3\xa9", "na\xc3\xafve", "r\xc3\xa9sum\xc3\xa9", "don't", "tag"}));
    EXPECT_EQ(wordsOf("\xc3\x9c" "ber stra\xc3\x9f" "e \xe6\x97\xa5\xe6\x9c\xac"),
              QStringList({"\xc3\x9c" "ber", "stra\xc3\x9f" "e", "\xe6\x97\xa5\xe6\x9c\xac"}));
    // Broken markup does not stop the walk or read past the text.
    EXPECT_EQ(wordsOf("a < b <p unterminated=\"x"), QStringList({"a", "b"}));
    EXPECT_EQ(wordsOf("x<script>never closed"), QStringList({"x"}));
    EXPECT_TRUE(wordsOf("").isEmpty());
}

TEST(HtmlWordsWalk, TheWalkGoesOnAfterTheTextChanged)
{
    QByteArray html = "<p>frist word <img alt=\"secnd\"> thrid</p>";
    HtmlWords walk;
    HtmlWords::Word w;
    ASSERT_TRUE(walk.next(html.constData(), html.size(), &w));
    EXPECT_EQ(w.text, "frist");
    html.replace(w.start, w.end - w.start, "first and");
    walk.shift(w.start, w.end - w.start, 9);
    QStringList rest;
    while (walk.next(html.constData(), html.size(), &w))
        rest << QString::fromUtf8(html.mid(w.start, w.end - w.start));
    EXPECT_EQ(rest, QStringList({"word", "secnd", "thrid"}));
}

// ---- where the window stands ----

TEST(PlaceClearOf, AWindowMovesOffTheWordAndItsNeighbourLines)
{
    const QRect screen(0, 0, 1000, 800);
    const QRect window(100, 100, 300, 200);
    // Not covering the word: left where it is.
    EXPECT_EQ(placeClearOf(window, QRect(600, 150, 50, 16), screen), QPoint(100, 100));
    // Covering it: just below the line after it.
    EXPECT_EQ(placeClearOf(window, QRect(150, 150, 50, 16), screen), QPoint(100, 182));
    // The line just above the window's top counts as covered, the word's neighbours stay readable.
    EXPECT_EQ(placeClearOf(window, QRect(150, 86, 50, 16), screen), QPoint(100, 118));
    // No room below: above the line before it.
    EXPECT_EQ(placeClearOf(QRect(100, 500, 300, 200), QRect(150, 700, 50, 16), screen), QPoint(100, 484));
    // Kept inside the screen sideways.
    EXPECT_EQ(placeClearOf(QRect(900, 100, 300, 200), QRect(950, 150, 20, 16), screen), QPoint(700, 182));
    // Neither above nor below fits: beside the word, where there is more room.
    EXPECT_EQ(placeClearOf(QRect(100, 0, 300, 700), QRect(200, 390, 40, 16), screen), QPoint(240, 0));
}

// ---- the check of a document ----

class SpellTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        if (!Speller::dictionaries().contains("en_US"))
            GTEST_SKIP() << "the en_US dictionary is not installed";
        host->toolWindows().add<TfrmSpell>();
        spell = host->toolWindows().get<TfrmSpell>();
    }
    void check(const QByteArray &html)
    {
        ed()->loadUtf8(html);
        TfrmSpell::CheckSpelling1Click(*host);
    }
    TfrmSpell *spell = nullptr;
};

TEST_F(SpellTest, UnknownWordsAreShownChangedAndCounted)
{
    check("<html><head><style>p { colr: red }</style></head><body>\n"
          "<p class=\"wrng\">This is a tset of the speling.</p>\n"
          "<script>var qqzx = 1;</script><img src=\"x.png\" alt=\"a beutiful speling\">\n"
          "<p>These are fine.</p></body></html>");
    ASSERT_TRUE(spell->checking());
    EXPECT_EQ(spell->currentWord(), "tset");
    EXPECT_EQ(ed()->selectedText(), "tset");
    EXPECT_EQ(spell->changeTo()->text(), spell->suggestions()->item(0)->text());
    spell->changeTo()->setText("test");
    spell->btnChangeClick();
    EXPECT_EQ(spell->currentWord(), "speling");
    spell->changeTo()->setText("spelling");
    spell->btnChangeAllClick(); // the one in the ALT text too
    EXPECT_EQ(spell->currentWord(), "beutiful");
    spell->btnIgnoreClick();
    EXPECT_FALSE(spell->checking()) << spell->currentWord().toStdString();
    EXPECT_EQ(dialogs.messages.last(), "Spelling check complete.\n\n3 words changed.");
    EXPECT_TRUE(text().contains("This is a test of the spelling."));
    EXPECT_TRUE(text().contains("alt=\"a beutiful spelling\""));
    EXPECT_TRUE(text().contains("class=\"wrng\"")); // markup untouched
    // Each change is one undo step.
    ed()->undo();
    EXPECT_TRUE(text().contains("test of the speling.") && text().contains("beutiful speling"));
    ed()->undo();
    EXPECT_TRUE(text().contains("a tset of"));
}

TEST_F(SpellTest, TheWindowStandsClearOfTheFlaggedWord)
{
    host->resize(760, 560);
    host->show();
    ed()->loadUtf8("<p>Some words.</p>\n<p>A tset here.</p>\n<p>More words.</p>\n");
    spell->show();
    spell->move(ed()->viewport()->mapToGlobal(QPoint(0, 0))); // over the text
    TfrmSpell::CheckSpelling1Click(*host);
    ASSERT_EQ(spell->currentWord(), "tset");
    const QRect word = ed()->screenRectOf(ed()->selectionStart(), ed()->selectionEnd());
    EXPECT_GT(word.width(), 10);
    EXPECT_FALSE(spell->frameGeometry().intersects(word));
}

TEST_F(SpellTest, IgnoreAllAndThePersonalWordList)
{
    check("<p>Tolvenrax zorblat Tolvenrax zorblat caf&eacute; caf\xc3\xa9</p>");
    EXPECT_EQ(spell->currentWord(), "Tolvenrax");
    spell->btnIgnoreAllClick();
    EXPECT_EQ(spell->currentWord(), "zorblat");
    spell->btnAddClick();
    EXPECT_EQ(spell->currentWord(), "caf\xc3\xa9"); // the second of each is known now
    EXPECT_EQ(ed()->selectedText(), "caf&eacute;");
    spell->btnAddClick(); // the same word written in its own letters is known too
    EXPECT_FALSE(spell->checking());
    EXPECT_EQ(dialogs.messages.last(), "Spelling check complete.\n\n0 words changed.");
    EXPECT_EQ(home.read("personal.dic"), "zorblat\r\ncaf\xc3\xa9\r\n");

    // The personal list is read by the next engine; ignored words were for that run only.
    Speller fresh;
    QString error;
    ASSERT_TRUE(fresh.load("en_US", &error));
    EXPECT_TRUE(fresh.check("zorblat"));
    EXPECT_FALSE(fresh.check("Tolvenrax"));
    EXPECT_TRUE(fresh.check("caf\xc3\xa9")); // letters beyond ASCII reach the engine and the list
}

TEST_F(SpellTest, WithoutADictionaryOrADocument)
{
    const QStringList saved = Speller::searchPath();
    Speller::searchPath() = {home.path("no-dictionaries")};
    host->toolWindows().destroyAll();
    host->toolWindows().add<TfrmSpell>();
    check("<p>tset</p>");
    Speller::searchPath() = saved;
    EXPECT_EQ(dialogs.messages, QStringList({"Tolvenra was unable to load the Spell checker !"}));

    host->activeDocument()->close();
    TfrmSpell::CheckSpelling1Click(*host); // no document: nothing at all
    EXPECT_EQ(dialogs.messages.size(), 1);
}

TEST_F(SpellTest, AnEditMadeDuringTheCheckDoesNotMisplaceTheNextWord)
{
    check("<p>frist and secnd</p>");
    EXPECT_EQ(spell->currentWord(), "frist");
    ed()->setCaret(1, 1);
    ed()->insertAtCaret("<h1>Title</h1>");
    spell->btnIgnoreClick();
    EXPECT_EQ(spell->currentWord(), "secnd");
    EXPECT_EQ(ed()->selectedText(), "secnd");
}

// A personal word list that cannot be read is said at loading and never replaced by the words
// of this session unless the user says so; a readable one keeps the bytes of its lines.
struct UnreadableList {
    const char *name;
    QByteArray bytes;
    const char *reason;
};

class UnreadablePersonalList : public SpellTest, public ::testing::WithParamInterface<UnreadableList> {};

QByteArray fiftyWords()
{
    QByteArray words;
    for (int i = 0; i < 50; ++i)
        words += "myword" + QByteArray::number(i) + "\r\n";
    return words;
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadablePersonalList,
    ::testing::Values(UnreadableList{"ALineWithANulByte", fiftyWords() + QByteArray("bad\0line\r\n", 11), "binary data"},
                      UnreadableList{"Utf16", QByteArray("\xFF\xFEz\0o\0r\0b\0\r\0\n\0", 16), "UTF-16"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_P(UnreadablePersonalList, IsNeverReplacedWithoutAsking)
{
    const QByteArray original = GetParam().bytes;
    home.write("personal.dic", original);
    check("<p>zorblatt and zorblatt</p>");
    ASSERT_TRUE(spell->checking());
    ASSERT_FALSE(dialogs.errors.isEmpty());
    EXPECT_TRUE(dialogs.errors[0].startsWith("Unable to read the personal word list")) << dialogs.errors[0].toStdString();
    EXPECT_TRUE(dialogs.errors[0].contains(GetParam().reason)) << dialogs.errors[0].toStdString();

    // Add, answered Cancel: known for this run, the file untouched.
    dialogs.answers = {Dialogs::Answer::Cancel};
    spell->btnAddClick();
    EXPECT_EQ(home.read("personal.dic"), original);
    EXPECT_TRUE(spell->speller().check("zorblatt"));
    EXPECT_FALSE(spell->checking()); // the second one is known too

    // Add again, answered OK: the file holds this session's words.
    check("<p>frobnicatex</p>");
    dialogs.answers = {Dialogs::Answer::Ok};
    spell->btnAddClick();
    EXPECT_EQ(home.read("personal.dic"), "zorblatt\r\nfrobnicatex\r\n");
}

TEST_F(SpellTest, AddingAWordKeepsTheBytesOfTheOtherLines)
{
    // A Windows-1252 word written by another program stays as it was written.
    home.write("personal.dic", "caf\xE9\r\nna\xEFve\r\n");
    check("<p>zorblatt</p>");
    spell->btnAddClick();
    EXPECT_EQ(home.read("personal.dic"), "caf\xE9\r\nna\xEFve\r\nzorblatt\r\n");
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

} // namespace
