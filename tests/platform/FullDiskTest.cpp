#include "app/Megares.h"
#include "platform/LineFile.h"
#include "platform/PrivateProfile.h"
#include "platform/SafeFile.h"
#include "platform/TextFile.h"
#include "support/SmallDisk.h"

#include <gtest/gtest.h>

namespace {

const QByteArray OldText = "<p>the old page</p>\r\n";

// A 10 KB document, each time onto a disk with less room than it needs.
class FullDisk : public ::testing::TestWithParam<qint64> {};

TEST_P(FullDisk, ASaveThatDoesNotFitFailsWithTheReasonAndKeepsTheOldFile)
{
    SmallDisk disk(64 * 1024);
    REQUIRE_SMALL_DISK(disk);
    const QString page = disk.write("page.html", OldText);
    disk.fillLeaving(GetParam());
    QString error;
    EXPECT_FALSE(TextFile::save(page, QByteArray(10 * 1024, 'x'), TextFile::Format(), false, &error));
    EXPECT_EQ(error, "No space left on device");
    EXPECT_EQ(disk.read("page.html"), OldText);
}

INSTANTIATE_TEST_SUITE_P(FreeBytes, FullDisk, ::testing::Values(0, 4096, 8192),
                         [](const ::testing::TestParamInfo<qint64> &info) { return "free" + std::to_string(info.param); });

TEST(FullDiskFiles, SettingsOptionsAndLineFilesKeepTheirBytes)
{
    SmallDisk disk(64 * 1024);
    REQUIRE_SMALL_DISK(disk);
    const QByteArray ini = "[Application Header]\r\nUser Name=Ann\r\n";
    disk.write("TOLVENRA.INI", ini);
    disk.write("user.mcr", "[A]\ta\r\n");
    disk.fillLeaving(0);
    PrivateProfile settings(disk.path("TOLVENRA.INI"));
    QString why;
    EXPECT_FALSE(settings.write({{"Tags", "Case", QString(5000, u'U')}}, &why));
    EXPECT_EQ(why, "No space left on device");
    EXPECT_EQ(disk.read("TOLVENRA.INI"), ini);
    EXPECT_FALSE(LineFile::write(disk.path("user.mcr"), QStringList(300, "[MACRO]\tsome expansion text"), &why));
    EXPECT_EQ(disk.read("user.mcr"), "[A]\ta\r\n");
}

TEST(FullDiskFiles, AFolderWithNoRoomForATemporaryFileIsWrittenInPlace)
{
    // Room for the folder and one file only: the temporary file of a replace cannot be made.
    SmallDisk disk(64 * 1024, 2);
    REQUIRE_SMALL_DISK(disk);
    const QString page = disk.write("page.html", OldText);
    QString error;
    ASSERT_TRUE(SafeFile::replace(page, "<p>new</p>", &error)) << error.toStdString();
    EXPECT_EQ(disk.read("page.html"), "<p>new</p>");
}

TEST(FullDiskFiles, InPlaceAFullDiskIsFoundBeforeTheFirstByteIsOverwritten)
{
    SmallDisk disk(32 * 1024, 2);
    REQUIRE_SMALL_DISK(disk);
    const QByteArray old(16 * 1024, 'o');
    const QString page = disk.write("page.html", old);
    QString error;
    EXPECT_FALSE(SafeFile::replace(page, QByteArray(40 * 1024, 'n'), &error));
    EXPECT_EQ(error, "No space left on device");
    EXPECT_EQ(disk.read("page.html"), old);
}

} // namespace
