#include "platform/TextFile.h"
#include "support/TestHome.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

struct RoundTrip {
    const char *name;
    QByteArray bytes;
    TextFile::Encoding encoding;
    bool bom;
    TextFile::Eol eol;
};

class TextFileRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

// Opening and saving without an edit gives back the same bytes.
TEST_P(TextFileRoundTrip, SaveGivesBackTheSameBytes)
{
    TestHome home;
    const RoundTrip &c = GetParam();
    const QString path = home.write("doc.html", c.bytes);
    const TextFile::Loaded loaded = TextFile::load(path);
    ASSERT_TRUE(loaded.ok) << loaded.error.toStdString();
    EXPECT_EQ(loaded.format.encoding, c.encoding);
    EXPECT_EQ(loaded.format.bom, c.bom);
    EXPECT_EQ(loaded.format.eol, c.eol);
    QString error;
    ASSERT_TRUE(TextFile::save(path, loaded.utf8, loaded.format, false, &error)) << error.toStdString();
    EXPECT_EQ(home.read("doc.html"), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, TextFileRoundTrip,
    ::testing::Values(
        RoundTrip{"Utf8Lf", "<p>caf\xC3\xA9</p>\n", TextFile::Encoding::Utf8, false, TextFile::Eol::Lf},
        RoundTrip{"Utf8BomCrLf", "\xEF\xBB\xBF<p>a</p>\r\n<p>b</p>\r\n", TextFile::Encoding::Utf8, true, TextFile::Eol::CrLf},
        RoundTrip{"NoFinalBreak", "<p>a</p>\r\n<p>b</p>", TextFile::Encoding::Utf8, false, TextFile::Eol::CrLf},
        RoundTrip{"MixedEndings", "a\r\nb\nc\rd", TextFile::Encoding::Utf8, false, TextFile::Eol::CrLf},
        RoundTrip{"OldMacEndings", "a\rb\r", TextFile::Encoding::Utf8, false, TextFile::Eol::Cr},
        RoundTrip{"Windows1252", "<p>caf\xE9 \x80 \x93quoted\x94</p>\r\n", TextFile::Encoding::Windows1252, false, TextFile::Eol::CrLf},
        RoundTrip{"UndefinedCp1252Bytes", "\x81\x8D\x8F\x90\x9D\xFF", TextFile::Encoding::Windows1252, false, TextFile::Eol::Lf},
        RoundTrip{"Utf16LE", QByteArray("\xFF\xFE<\0p\0>\0\xE9\0\n\0", 12), TextFile::Encoding::Utf16LE, true, TextFile::Eol::Lf},
        RoundTrip{"Utf16BE", QByteArray("\xFE\xFF\0<\0p\0>\0\r\0\n", 12), TextFile::Encoding::Utf16BE, true, TextFile::Eol::CrLf},
        RoundTrip{"DeclaredLatin1", "<meta charset=\"iso-8859-1\">\n\xC3\xA9", TextFile::Encoding::Windows1252, false, TextFile::Eol::Lf},
        RoundTrip{"Empty", "", TextFile::Encoding::Utf8, false, TextFile::Eol::Lf}),
    [](const ::testing::TestParamInfo<RoundTrip> &info) { return std::string(info.param.name); });

TEST(TextFile, DecodesWindows1252IntoUtf8)
{
    const TextFile::Loaded r = TextFile::decode("caf\xE9 \x80");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(QString::fromUtf8(r.utf8), QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC"));
}

TEST(TextFile, DeclaredUtf8ThatIsNotValidFallsBackToWindows1252)
{
    const TextFile::Loaded r = TextFile::decode("<meta charset=utf-8>\xE9");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.format.encoding, TextFile::Encoding::Windows1252);
}

TEST(TextFile, Utf8ValidationRejectsOverlongAndSurrogateForms)
{
    EXPECT_TRUE(TextFile::isValidUtf8("plain ascii text, long enough", 29));
    EXPECT_FALSE(TextFile::isValidUtf8("\xC0\xAF", 2));         // overlong "/"
    EXPECT_FALSE(TextFile::isValidUtf8("\xED\xA0\x80", 3));     // surrogate
    EXPECT_FALSE(TextFile::isValidUtf8("abc\xE2\x82", 5));      // cut short
    EXPECT_TRUE(TextFile::isValidUtf8("\xF0\x9F\x98\x80", 4));  // emoji
}

TEST(TextFile, BinaryFilesAreRefused)
{
    TestHome home;
    const TextFile::Loaded r = TextFile::load(home.write("x.png", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains("binary"));
}

TEST(TextFile, MissingFilesAndFoldersAreRefusedWithAReason)
{
    TestHome home;
    EXPECT_FALSE(TextFile::load(home.path("nothing.html")).ok);
    const TextFile::Loaded r = TextFile::load(home.path());
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains("folder"));
}

TEST(TextFile, Windows1252CannotStoreEveryCharacter)
{
    TextFile::Format f;
    f.encoding = TextFile::Encoding::Windows1252;
    QByteArray out;
    EXPECT_TRUE(TextFile::encode("\xE2\x82\xAC", f, &out)); // the euro sign is 0x80
    EXPECT_EQ(out, "\x80");
    EXPECT_FALSE(TextFile::encode("\xE6\xBC\xA2", f, &out)); // a CJK character is not there
}

TEST(TextFile, SaveKeepsTheOldFileAsBackup)
{
    TestHome home;
    const QString path = home.write("page.html", "old");
    QString error;
    ASSERT_TRUE(TextFile::save(path, "new", TextFile::Format(), true, &error));
    EXPECT_EQ(home.read("page.html"), "new");
    EXPECT_EQ(home.read("page.BAK"), "old");
    EXPECT_EQ(TextFile::backupName("/a/b.c.html"), "/a/b.c.BAK");
    EXPECT_EQ(TextFile::backupName("/a/README"), "/a/README.BAK");
}

TEST(TextFile, AFailedSaveSaysWhyAndChangesNothing)
{
    TestHome home;
    home.write("blocker", "keep");
    QString error;
    EXPECT_FALSE(TextFile::save(home.path("blocker/page.html"), "text", TextFile::Format(), true, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(home.read("blocker"), "keep");
}

} // namespace

namespace {

struct DetectCase {
    const char *name;
    QByteArray bytes;
    TextFile::Encoding expected;
};

class Detect : public ::testing::TestWithParam<DetectCase> {};

TEST_P(Detect, FindsTheEncoding)
{
    EXPECT_EQ(TextFile::detect(GetParam().bytes).encoding, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Declarations, Detect,
    ::testing::Values(
        DetectCase{"HttpEquiv", "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\xC3\xA9",
                   TextFile::Encoding::Windows1252},
        DetectCase{"SingleQuotes", "<META CHARSET='ISO-8859-1'>", TextFile::Encoding::Windows1252},
        DetectCase{"DeclaredUtf8", "<meta charset=\"UTF-8\">\xC3\xA9", TextFile::Encoding::Utf8},
        DetectCase{"UnknownCharsetFallsBackToTheBytes", "<meta charset=\"x-made-up\">\xC3\xA9", TextFile::Encoding::Utf8},
        DetectCase{"OtherKnownCharset", "<meta charset=\"koi8-r\">\xF0\xD2\xC9", TextFile::Encoding::Other},
        DetectCase{"Windows1252StartingLikeALittleEndianBom", "\xFF\xFE<html>caf\xE9</html>", TextFile::Encoding::Windows1252},
        DetectCase{"Windows1252StartingLikeABigEndianBom", "\xFE\xFF<html>ok</html>\r\n", TextFile::Encoding::Windows1252},
        DetectCase{"RealUtf16LittleEndian", QByteArray("\xFF\xFE<\0p\0>\0", 8), TextFile::Encoding::Utf16LE},
        DetectCase{"DeclarationTooFarIn", QByteArray(3000, ' ') + "<meta charset=latin1>\xC3\xA9", TextFile::Encoding::Utf8},
        DetectCase{"BomWinsOverDeclaration", "\xEF\xBB\xBF<meta charset=latin1>", TextFile::Encoding::Utf8}),
    [](const ::testing::TestParamInfo<DetectCase> &info) { return std::string(info.param.name); });

} // namespace

namespace {

TEST(OtherCharsets, PagesInCharsetsTheSystemKnowsReadAndSaveByteForByte)
{
    TestHome home;
    struct Case {
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        {"<meta charset=\"koi8-r\"><p>\xF0\xD2\xC9\xD7\xC5\xD4</p>\r\n", QString::fromUtf8("\u041f\u0440\u0438\u0432\u0435\u0442")},
        {"<meta charset=\"Shift_JIS\"><p>\x93\xFA\x96\x7B</p>\n", QString::fromUtf8("\u65e5\u672c")},
    };
    for (const Case &c : cases) {
        const QString path = home.write("page.html", c.bytes);
        const TextFile::Loaded r = TextFile::load(path);
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        EXPECT_EQ(r.format.encoding, TextFile::Encoding::Other);
        EXPECT_TRUE(QString::fromUtf8(r.utf8).contains(c.text));
        EXPECT_TRUE(r.note.isEmpty());
        QString error;
        ASSERT_TRUE(TextFile::save(path, r.utf8, r.format, false, &error)) << error.toStdString();
        EXPECT_EQ(home.read("page.html"), c.bytes);
    }
}

TEST(OtherCharsets, ACharsetThatCannotBeReadIsSaidAndTheBytesSurvive)
{
    TestHome home;
    const QByteArray bytes = "<meta charset=\"x-made-up\"><p>caf\xE9</p>";
    const QString path = home.write("page.html", bytes);
    const TextFile::Loaded r = TextFile::load(path);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.format.encoding, TextFile::Encoding::Windows1252);
    EXPECT_EQ(r.note, "The page declares the charset x-made-up, which cannot be read here: shown as Windows-1252.");
    QString error;
    ASSERT_TRUE(TextFile::save(path, r.utf8, r.format, false, &error));
    EXPECT_EQ(home.read("page.html"), bytes);
}

TEST(OtherCharsets, AWindows1252PageThatStartsLikeAByteOrderMarkOpensAndRoundTrips)
{
    TestHome home;
    for (const QByteArray &bytes : {QByteArray("\xFF\xFE" "caf\xE9 <b>x</b>"), QByteArray("\xFE\xFF<p>hello</p>\r\n")}) {
        const QString path = home.write("odd.html", bytes);
        const TextFile::Loaded r = TextFile::load(path);
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        EXPECT_EQ(r.format.encoding, TextFile::Encoding::Windows1252);
        QString error;
        ASSERT_TRUE(TextFile::save(path, r.utf8, r.format, false, &error));
        EXPECT_EQ(home.read("odd.html"), bytes);
    }
}

} // namespace
