#include "app/Errors.h"
#include "app/Megares.h"
#include "support/TestHome.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

namespace {

class MegaresTest : public ::testing::Test {
protected:
    TestHome home;
    TMegaRegistry ini{"Tolvenra HTML Editor Version 2", "Tolvenra Software", "TOLVENRA.INI"};
    void setFile(const QByteArray &text) { home.write("TOLVENRA.INI", text); }
};

TEST_F(MegaresTest, LivesInTheSettingsFolder)
{
    EXPECT_EQ(ini.filePath(), home.path("TOLVENRA.INI"));
}

TEST_F(MegaresTest, HexadecimalIntegers)
{
    setFile("[Application Options]\r\nMDI Width=0x300\r\nMDI Height=0X1f\r\nMDI Top=0x\r\n");
    EXPECT_EQ(ini.ReadInteger("Application Options", "MDI Width", 640), 768);
    EXPECT_EQ(ini.ReadInteger("Application Options", "MDI Height", 480), 31);
    // "0x" alone is not more than two characters: it is a malformed decimal.
    EXPECT_EQ(ini.ReadInteger("Application Options", "MDI Top", 1), 1);
}

struct BoolCase {
    const char *stored;
    bool def;
    bool expected;
};

std::string boolCaseName(const ::testing::TestParamInfo<BoolCase> &info)
{
    std::string name = std::to_string(info.index) + "_" + info.param.stored;
    for (char &ch : name)
        if (!isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name + (info.param.def ? "_defTrue" : "_defFalse");
}

class MegaresBool : public MegaresTest, public ::testing::WithParamInterface<BoolCase> {};

TEST_P(MegaresBool, AnyNonZeroIsTrueAndMalformedGivesTheDefault)
{
    const BoolCase &c = GetParam();
    setFile(QByteArray("[Editor]\r\nWord Wrap=") + c.stored + "\r\n");
    EXPECT_EQ(ini.ReadBool("Editor", "Word Wrap", c.def), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Values, MegaresBool,
                         ::testing::Values(BoolCase{"yes", true, true}, BoolCase{"yes", false, false},
                                           BoolCase{"2", false, true}, BoolCase{"0", true, false},
                                           BoolCase{"-1", false, true}, BoolCase{"", true, true},
                                           BoolCase{"0x0", true, false}, BoolCase{"0x10", false, true}),
                         boolCaseName);

TEST_F(MegaresTest, TypedWritesUseDecimalAndOneOrZero)
{
    ini.WriteInteger("Application Options", "MDI Left", -12);
    ini.WriteBool("Application Options", "Document Tabs", false);
    ini.WriteBool("Start Options", "Tips", true);
    EXPECT_EQ(home.read("TOLVENRA.INI"),
              "[Application Options]\r\nMDI Left=-12\r\nDocument Tabs=0\r\n\r\n[Start Options]\r\nTips=1\r\n");
}

TEST_F(MegaresTest, EmailAndEMailAreOneSetting)
{
    ini.WriteString("Application Header", "Email", "me@example.org");
    EXPECT_EQ(ini.ReadString("Application Header", "EMail", "none"), "me@example.org");
}

TEST_F(MegaresTest, LongValuesAreCutTo1023Characters)
{
    ini.WriteString("Application Header", "User Name", QString(1500, u'n'));
    EXPECT_EQ(ini.ReadString("Application Header", "User Name", "").size(), 1023);
}

TEST_F(MegaresTest, ARefusedWriteRaisesUnableToWrite)
{
    // A folder in the file's place: no write can go through, whoever runs the test.
    QDir().mkpath(home.path("TOLVENRA.INI"));
    try {
        ini.WriteString("Tags", "Case", "U");
        FAIL() << "no error raised";
    } catch (const EIniError &e) {
        EXPECT_EQ(e.message(), "Unable to write to " + home.path("TOLVENRA.INI") + "\n\nA folder stands in the file's place.");
    }
}

TEST_F(MegaresTest, TableKeysReadTheirDefaultsAndTypes)
{
    EXPECT_EQ(ini.read(Settings::UserName), "Your Name");
    EXPECT_TRUE(ini.readBool(Settings::WordWrap));
    EXPECT_FALSE(ini.readBool(Settings::SmartTabs));
    EXPECT_EQ(ini.readInt(Settings::TabSize), 8);
    home.write("TOLVENRA.INI", "[editor]\r\ntab size=0x10\r\nWord Wrap=0\r\n");
    EXPECT_EQ(ini.readInt(Settings::TabSize), 16);
    EXPECT_FALSE(ini.readBool(Settings::WordWrap));
    ini.writeBool(Settings::SmartTabs, true);
    EXPECT_TRUE(ini.readBool(Settings::SmartTabs));
}

TEST_F(MegaresTest, EveryTableKeyIsUniqueAndItsDefaultFitsItsType)
{
    QSet<QString> seen;
    for (const SettingKey *k : Settings::all) {
        const QString id = QString::fromLatin1(k->section).toLower() + u'/' + QString::fromLatin1(k->key).toLower();
        EXPECT_FALSE(seen.contains(id)) << id.toStdString();
        seen << id;
        if (k->type != SettingKey::String) {
            bool ok = false;
            QString::fromLatin1(k->def).toInt(&ok);
            EXPECT_TRUE(ok) << id.toStdString();
        }
    }
}

TEST_F(MegaresTest, ABatchWritesOnceAndReadsSeeItsValues)
{
    QList<QString> notices;
    QObject::connect(&ini, &TMegaRegistry::changed, [&](const QString &s, const QString &k) { notices << s + u'/' + k; });
    {
        TMegaRegistry::Batch batch(ini);
        ini.writeInt(Settings::MdiLeft, 5);
        ini.writeInt(Settings::MdiTop, 6);
        EXPECT_EQ(ini.readInt(Settings::MdiLeft), 5);
        EXPECT_FALSE(QFile::exists(home.path("TOLVENRA.INI"))); // nothing written yet
        EXPECT_TRUE(notices.isEmpty());
        batch.commit();
    }
    EXPECT_EQ(home.read("TOLVENRA.INI"), "[Application Options]\r\nMDI Left=5\r\nMDI Top=6\r\n");
    EXPECT_EQ(notices, QList<QString>({"Application Options/MDI Left", "Application Options/MDI Top"}));
}

TEST_F(MegaresTest, ABatchLeftByAnErrorWritesNothing)
{
    try {
        TMegaRegistry::Batch batch(ini);
        ini.writeInt(Settings::MdiLeft, 5);
        throw EAppError("interrupted");
    } catch (const EAppError &) {
    }
    EXPECT_FALSE(QFile::exists(home.path("TOLVENRA.INI")));
    EXPECT_EQ(ini.readInt(Settings::MdiLeft), 1);
}

TEST_F(MegaresTest, AFailedBatchRaisesAndSendsNoNotice)
{
    QDir().mkpath(home.path("TOLVENRA.INI"));
    int notices = 0;
    QObject::connect(&ini, &TMegaRegistry::changed, [&] { ++notices; });
    TMegaRegistry::Batch batch(ini);
    ini.writeInt(Settings::MdiLeft, 5);
    EXPECT_THROW(batch.commit(), EIniError);
    EXPECT_EQ(notices, 0);
}

TEST_F(MegaresTest, NoStoreWithoutAllThreeNames)
{
    TMegaRegistry partial;
    partial.setApp("App");
    partial.setIniName("x.ini");
    EXPECT_TRUE(partial.filePath().isEmpty());
    EXPECT_EQ(partial.ReadString("S", "K", "def"), "def");
    partial.WriteString("S", "K", "v"); // nothing to write to, nothing raised
    partial.setCompany("Co");
    EXPECT_EQ(partial.filePath(), home.path("x.ini"));
}

} // namespace
