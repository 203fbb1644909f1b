#include "platform/LineFile.h"
#include "support/TestHome.h"

#include <QDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class LineFileTest : public ::testing::Test {
protected:
    TestHome home;
};

TEST_F(LineFileTest, ReadsAnyLineEndAndNoLastEmptyLine)
{
    home.write("a.txt", "one\r\ntwo\nthree\rfour\r\n");
    bool ok = false;
    EXPECT_EQ(LineFile::read(home.path("a.txt"), &ok), QStringList({"one", "two", "three", "four"}));
    EXPECT_TRUE(ok);
    home.write("b.txt", "last without end");
    EXPECT_EQ(LineFile::read(home.path("b.txt")), QStringList({"last without end"}));
    home.write("c.txt", "\r\n\r\n");
    EXPECT_EQ(LineFile::read(home.path("c.txt")), QStringList({"", ""}));
}

TEST_F(LineFileTest, TheEncodingIsNeverGuessedFromTheContent)
{
    // A macro holding a charset declaration stays UTF-8, and a save gives the same bytes back.
    const QByteArray bytes = "[META]\t<meta charset=iso-8859-1>\r\n[C]\t\xC2\xA9 me\r\n";
    home.write("user.mcr", bytes);
    const QStringList lines = LineFile::read(home.path("user.mcr"));
    EXPECT_EQ(lines[1], QString::fromUtf8("[C]\t\u00a9 me"));
    QString error;
    ASSERT_TRUE(LineFile::write(home.path("user.mcr"), lines, &error));
    EXPECT_EQ(home.read("user.mcr"), bytes);
}

TEST_F(LineFileTest, LinesThatAreNotUtf8ReadAsWindows1252LineByLine)
{
    home.write("mixed.txt", "caf\xE9\r\n\xE2\x82\xAC ok\r\n\x93quoted\x94\r\n");
    EXPECT_EQ(LineFile::read(home.path("mixed.txt")),
              QStringList({QString::fromUtf8("caf\u00e9"), QString::fromUtf8("\u20ac ok"), QString::fromUtf8("\u201cquoted\u201d")}));
}

TEST_F(LineFileTest, ALeadingByteOrderMarkIsDroppedButOneInsideALineIsKept)
{
    home.write("bom.txt", "\xEF\xBB\xBF[A]\t\xEF\xBB\xBFx\r\n\xEF\xBB\xBF\xEF\xBB\xBFy\r\n");
    EXPECT_EQ(LineFile::read(home.path("bom.txt")),
              QStringList({QString::fromUtf8("[A]\t\ufeffx"), QStringLiteral("\uFEFF\uFEFFy")}));
    // Found by fuzzing: a line that starts with U+FEFF keeps it through a write and a read.
    const QStringList lines = {"first", QStringLiteral("\uFEFF[M]\ttext")};
    EXPECT_EQ(LineFile::parse(LineFile::encode(lines)), lines);
}

TEST_F(LineFileTest, WhatCannotBeReadSaysWhy)
{
    bool ok = true;
    QString why;
    EXPECT_TRUE(LineFile::read(home.path("missing.txt"), &ok, &why).isEmpty());
    EXPECT_FALSE(ok);
    EXPECT_TRUE(why.endsWith("does not exist."));
    QDir().mkpath(home.path("folder.txt"));
    LineFile::read(home.path("folder.txt"), &ok, &why);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(why.endsWith("is a folder, not a file."));
    // A pipe is refused at once rather than waited on.
    ASSERT_EQ(mkfifo(home.path("pipe.txt").toLocal8Bit().constData(), 0600), 0);
    LineFile::read(home.path("pipe.txt"), &ok, &why);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(why.contains("not a regular file"));
}

TEST_F(LineFileTest, AFailedWriteKeepsTheOldFile)
{
    home.write("keep.txt", "old\r\n");
    QDir().mkpath(home.path("sub"));
    chmod(home.path("keep.txt").toLocal8Bit().constData(), 0444);
    QString why;
    if (geteuid() != 0) {
        EXPECT_FALSE(LineFile::write(home.path("keep.txt"), {"new"}, &why));
        EXPECT_EQ(why, "The file is read-only.");
        EXPECT_EQ(home.read("keep.txt"), "old\r\n");
    }
    EXPECT_FALSE(LineFile::write(home.path("sub"), {"new"}, &why));
    EXPECT_EQ(why, "A folder stands in the file's place.");
}

} // namespace
