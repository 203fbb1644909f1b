#include "platform/PrivateProfile.h"
#include "support/TestHome.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class PrivateProfileTest : public ::testing::Test {
protected:
    TestHome home;
    QString file = home.path("test.ini");
};

TEST_F(PrivateProfileTest, MissingFileSectionOrKeyGivesTheDefault)
{
    PrivateProfile p(file);
    EXPECT_EQ(p.readString("S", "K", "def"), "def");
    home.write("test.ini", "[Other]\r\nK=1\r\n[S]\r\nJ=2\r\n");
    EXPECT_EQ(p.readString("S", "K", "def"), "def");
    EXPECT_EQ(p.readString("Missing", "J", "x"), "x");
}

TEST_F(PrivateProfileTest, SectionsAndKeysMatchWithoutRegardToCase)
{
    home.write("test.ini", "[Application Header]\nEmail=me@example.org\n");
    PrivateProfile p(file);
    EXPECT_EQ(p.readString("application header", "EMail", ""), "me@example.org");
    ASSERT_TRUE(p.writeString("APPLICATION HEADER", "EMAIL", "you@example.org"));
    // The existing line is rewritten in place, keeping its spelling.
    EXPECT_EQ(home.read("test.ini"), "[Application Header]\r\nEmail=you@example.org\r\n");
}

TEST_F(PrivateProfileTest, WritesCreateFileAndSectionsWithCrLfLines)
{
    PrivateProfile p(file);
    ASSERT_TRUE(p.writeString("A", "one", "1"));
    ASSERT_TRUE(p.writeString("B", "two", "2"));
    ASSERT_TRUE(p.writeString("A", "three", "3"));
    EXPECT_EQ(home.read("test.ini"), "[A]\r\none=1\r\nthree=3\r\n\r\n[B]\r\ntwo=2\r\n");
}

TEST_F(PrivateProfileTest, LinesItDoesNotTouchAreKept)
{
    home.write("test.ini", "; my notes\n[A]\nx=1\n\n[B]\ny=2\n");
    PrivateProfile p(file);
    ASSERT_TRUE(p.writeString("B", "y", "3"));
    EXPECT_EQ(home.read("test.ini"), "; my notes\r\n[A]\r\nx=1\r\n\r\n[B]\r\ny=3\r\n");
}

TEST_F(PrivateProfileTest, ValuesComeBackCutTo1023Characters)
{
    PrivateProfile p(file);
    const QString longValue(1500, u'v');
    ASSERT_TRUE(p.writeString("S", "K", longValue));
    EXPECT_EQ(p.readString("S", "K", "").size(), 1023);
    // The file itself keeps the whole value.
    EXPECT_TRUE(home.read("test.ini").contains(longValue.toUtf8()));
}

TEST_F(PrivateProfileTest, ValuesKeepEqualsSignsAndBlanks)
{
    PrivateProfile p(file);
    ASSERT_TRUE(p.writeString("S", "K", " a=b "));
    EXPECT_EQ(p.readString("S", "K", ""), " a=b ");
}

TEST_F(PrivateProfileTest, ReadSectionListsTheEntriesOfOneSection)
{
    home.write("test.ini", "[A]\nx=1\nnoequals\n=lead\n[B]\ny=2\n");
    EXPECT_EQ(PrivateProfile(file).readSection("a"), QStringList({"x=1", "noequals", "=lead"}));
}

TEST_F(PrivateProfileTest, WriteEntriesWritesTheFileOnce)
{
    PrivateProfile p(file);
    ASSERT_TRUE(p.writeEntries("S", {{"a", "1"}, {"b", "2"}, {"A", "3"}}));
    EXPECT_EQ(home.read("test.ini"), "[S]\r\na=3\r\nb=2\r\n");
}

TEST_F(PrivateProfileTest, AnUnwritableFileIsReportedAndLeftAsItWas)
{
    // The "file" sits below a plain file, so no user, root included, can create it.
    home.write("blocker", "x");
    PrivateProfile p(home.path("blocker/test.ini"));
    EXPECT_FALSE(p.writeString("S", "K", "v"));
    EXPECT_EQ(home.read("blocker"), "x");
}

TEST_F(PrivateProfileTest, AReadOnlyFileRefusesTheWrite)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes read-only files";
    home.write("test.ini", "[S]\r\nK=old\r\n");
    QFile::setPermissions(file, QFileDevice::ReadOwner);
    EXPECT_FALSE(PrivateProfile(file).writeString("S", "K", "new"));
    EXPECT_EQ(home.read("test.ini"), "[S]\r\nK=old\r\n");
}

TEST_F(PrivateProfileTest, FileNamesResolveWithoutRegardToCase)
{
    home.write("TolvOpt.ini", "");
    EXPECT_EQ(PrivateProfile::resolveInFolder(home.path(), "tolvopt.ini"), home.path("TolvOpt.ini"));
    EXPECT_EQ(PrivateProfile::resolveInFolder(home.path(), "other.ini"), home.path("other.ini"));
}

} // namespace

namespace {

TEST_F(PrivateProfileTest, BytesThatAreNotUtf8SurviveAnUnrelatedWrite)
{
    // A Windows-1252 user name written by another program, and a stray byte in a comment.
    const QByteArray before = "; caf\xE9 notes\r\n[Application Header]\r\nUser Name=Ren\xE9\r\n[Other]\r\nx=\x80\xFF\r\n";
    home.write("test.ini", before);
    PrivateProfile p(file);
    // Read as Windows-1252.
    EXPECT_EQ(p.readString("Application Header", "User Name", ""), QString::fromUtf8("Ren\u00e9"));
    EXPECT_EQ(p.readString("Other", "x", ""), QString::fromUtf8("\u20ac\u00ff"));
    ASSERT_TRUE(p.writeString("Tags", "Case", "U"));
    EXPECT_EQ(home.read("test.ini"), before + "\r\n[Tags]\r\nCase=U\r\n");
    // A line the write changes becomes UTF-8; its neighbours keep their bytes.
    ASSERT_TRUE(p.writeString("Other", "y", QString::fromUtf8("\u00e9")));
    EXPECT_TRUE(home.read("test.ini").contains("x=\x80\xFF\r\ny=\xC3\xA9\r\n"));
    EXPECT_TRUE(home.read("test.ini").contains("User Name=Ren\xE9\r\n"));
}

TEST_F(PrivateProfileTest, OneWriteOfManySectionsReplacesTheFileOnce)
{
    home.write("test.ini", "[A]\r\nx=1\r\n");
    PrivateProfile p(file);
    ASSERT_TRUE(p.write({{"A", "x", "2"}, {"B", "y", "3"}, {"a", "z", "4"}}));
    EXPECT_EQ(home.read("test.ini"), "[A]\r\nx=2\r\nz=4\r\n\r\n[B]\r\ny=3\r\n");
}

TEST_F(PrivateProfileTest, AFailedWriteSaysWhyAndKeepsTheFile)
{
    QDir().mkpath(file); // a folder in the file's place
    PrivateProfile p(file);
    QString why;
    EXPECT_FALSE(p.write({{"A", "x", "1"}}, &why));
    EXPECT_EQ(why, "A folder stands in the file's place.");
}

} // namespace
