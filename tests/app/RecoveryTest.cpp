#include "app/Document.h"
#include "app/DocumentManager.h"
#include "app/Recovery.h"
#include "app/RecoveryWindow.h"
#include "support/FrameFixture.h"
#include "support/SmallDisk.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLockFile>
#include <QMdiArea>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <map>

namespace {

// ---- the file format ----

TEST(RecoveryFormat, ACopyReadsBackAsWrittenAndADamagedOneSaysSo)
{
    RecoveryCopy c;
    c.caption = "/web/odd=name%\nline.html";
    c.path = c.caption;
    c.format.encoding = TextFile::Encoding::Windows1252;
    c.format.eol = TextFile::Eol::CrLf;
    c.format.bom = true;
    c.changed = QDateTime::fromMSecsSinceEpoch(1765000000123);
    c.diskModified = QDateTime::fromMSecsSinceEpoch(1765000000000);
    c.diskSize = 42;
    c.text = QByteArray("<p>caf\xc3\xa9</p>\r\n\n\nlength=1\n", 26);
    const QByteArray bytes = RecoveryFormat::encode(c);

    const RecoveryCopy back = RecoveryFormat::decode(bytes);
    EXPECT_TRUE(back.complete) << back.problem.toStdString();
    EXPECT_EQ(back.caption, c.caption);
    EXPECT_EQ(back.path, c.path);
    EXPECT_EQ(back.format.encoding, TextFile::Encoding::Windows1252);
    EXPECT_EQ(back.format.eol, TextFile::Eol::CrLf);
    EXPECT_TRUE(back.format.bom);
    EXPECT_EQ(back.changed, c.changed);
    EXPECT_EQ(back.diskModified, c.diskModified);
    EXPECT_EQ(back.diskSize, 42);
    EXPECT_EQ(back.text, c.text);

    const RecoveryCopy cut = RecoveryFormat::decode(bytes.left(bytes.size() - 5));
    EXPECT_FALSE(cut.complete);
    EXPECT_EQ(cut.problem, "The copy is cut short: 21 of 26 bytes.");
    EXPECT_EQ(cut.text, c.text.left(21));

    EXPECT_FALSE(RecoveryFormat::decode("\x00\x01 not a copy").complete);
    EXPECT_FALSE(RecoveryFormat::decode(QByteArray()).complete);
}

// ---- copies kept by a running frame ----

class RecoveryTest : public FrameTest {
protected:
    RecoverySession &session() { return recovery(); }
    void SetUp() override
    {
        FrameTest::SetUp();
        startWithEmptyDocument();
        session().setDelays(50, 400);
    }
    // Waits for the next copy of a document to reach the disk.
    bool copied(TfHTML *d)
    {
        QSignalSpy spy(&session(), &RecoverySession::written);
        return QTest::qWaitFor([&] {
            for (const QList<QVariant> &args : spy)
                if (args.at(0).value<HtmlDocument *>() == &d->document())
                    return true;
            return false;
        }, 5000);
    }
    QStringList copyFiles() const
    {
        return QDir(home.path("recovery")).entryList({"*.trec"}, QDir::Files);
    }
    // A copy left by a run that is gone: its lock names a process that does not exist.
    QString leaveCopy(const QString &run, int n, const RecoveryCopy &c)
    {
        QDir().mkpath(home.path("recovery"));
        home.write("recovery/" + run + ".lock", "999999999\ntolvenra\n\n");
        return home.write(QString("recovery/%1-%2.trec").arg(run).arg(n), RecoveryFormat::encode(c));
    }
};

TEST_F(RecoveryTest, TypingLeavesACopyThatSavingAndClosingRemove)
{
    QTest::keyClicks(ed(), "<p>typed</p>");
    ASSERT_TRUE(copied(doc()));
    const QString file = session().fileOf(&doc()->document());
    RecoveryCopy c = RecoveryFormat::read(file);
    EXPECT_TRUE(c.complete);
    EXPECT_EQ(c.caption, "New HTML Document 1");
    EXPECT_EQ(c.path, "");
    EXPECT_EQ(c.text, "<p>typed</p>");

    // Undo back to the unmodified text: the copy goes.
    while (doc()->modified())
        ed()->undo();
    session().waitForWrites();
    EXPECT_FALSE(QFile::exists(file));

    // Saved: the copy goes; typed again: it comes back; closed unsaved: it goes.
    QTest::keyClicks(ed(), "x");
    ASSERT_TRUE(copied(doc()));
    dialogs.saveNames.push_back(home.path("page.html"));
    trigger("FileSaveAs");
    session().waitForWrites();
    EXPECT_FALSE(QFile::exists(session().fileOf(&doc()->document())));
    QTest::keyClicks(ed(), "y");
    ASSERT_TRUE(copied(doc()));
    c = RecoveryFormat::read(session().fileOf(&doc()->document()));
    EXPECT_EQ(c.path, home.path("page.html"));
    EXPECT_EQ(c.diskState(), RecoveryCopy::Disk::Same);
    EXPECT_EQ(c.text, "xy");
    dialogs.answers.push_back(Dialogs::Answer::No); // do not save
    doc()->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return copyFiles().isEmpty(); }, 5000));
}

TEST_F(RecoveryTest, EveryPauseOfALargeDocumentIsCopiedToo)
{
    // The control of a text over 2 MB sends no notice of each edit.
    QByteArray text;
    while (text.size() < 3 * 1024 * 1024)
        text += "<p>a line of a large page</p>\n";
    ed()->loadUtf8(text + "x");
    ed()->SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
    ASSERT_TRUE(ed()->quietEdits());
    QTest::keyClicks(ed(), "a");
    ASSERT_TRUE(copied(doc()));
    QTest::keyClicks(ed(), "b");
    ASSERT_TRUE(copied(doc()));
    EXPECT_TRUE(RecoveryFormat::read(session().fileOf(&doc()->document())).text.endsWith("xab"));
}

TEST_F(RecoveryTest, ACleanEndLeavesNothingAndALiveRunsCopiesAreNotTaken)
{
    QTest::keyClicks(ed(), "abc");
    ASSERT_TRUE(copied(doc()));
    // Another program starting now does not offer this run's copies.
    {
        RecoverySession other(nullptr);
        EXPECT_TRUE(other.leftBehind().isEmpty());
    }

    doc()->setModified(false);
    trigger("FileNew");
    QTest::keyClicks(ed(), "def");
    ASSERT_TRUE(copied(doc()));
    ed()->setModified(false); // let the frame end without asking
    doc()->setModified(false);
    QTest::keyClicks(ed(), "g");
    ASSERT_TRUE(copied(doc()));
    dialogs.answers.push_back(Dialogs::Answer::No); // the program ends without saving it
    frame->close();
    frame.reset();
    EXPECT_TRUE(copyFiles().isEmpty()) << copyFiles().join(' ').toStdString();
    EXPECT_TRUE(QDir(home.path("recovery")).entryList({"*.lock"}, QDir::Files).isEmpty());
}

TEST_F(RecoveryTest, LeftCopiesAreRestoredDiscardedOrKeptAsTheUserChooses)
{
    // A saved page changed since, a page never saved, one to throw away and a damaged one.
    const QString page = home.write("site/index.html", "<p>on disk</p>\n");
    RecoveryCopy saved;
    saved.caption = saved.path = page;
    saved.text = "<p>typed before the crash</p>\n";
    saved.changed = QDateTime::currentDateTime().addSecs(-60);
    saved.diskModified = QDateTime::currentDateTime().addDays(-1);
    saved.diskSize = 3;
    RecoveryCopy untitled;
    untitled.caption = "New HTML Document 4";
    untitled.format.eol = TextFile::Eol::CrLf;
    untitled.text = "<h1>draft</h1>\r\n";
    untitled.changed = saved.changed.addSecs(1);
    RecoveryCopy unwanted = untitled;
    unwanted.text = "junk";
    unwanted.changed = saved.changed.addSecs(2);
    const QString savedFile = leaveCopy("111.1.a", 0, saved);
    const QString untitledFile = leaveCopy("111.1.a", 1, untitled);
    const QString unwantedFile = leaveCopy("222.1.b", 0, unwanted);
    RecoveryCopy broken = untitled;
    broken.changed = saved.changed.addSecs(3);
    QByteArray damaged = RecoveryFormat::encode(broken);
    damaged.chop(4);
    const QString damagedFile = home.write("recovery/222.1.b-1.trec", damaged);

    TfRecovery *shown = nullptr;
    dialogs.onExec = [&](QDialog *d) {
        auto *r = qobject_cast<TfRecovery *>(d);
        if (!r)
            return;
        shown = r;
        ASSERT_EQ(r->list()->topLevelItemCount(), 4);
        QTreeWidgetItem *first = r->list()->topLevelItem(0);
        EXPECT_EQ(first->text(0), "index.html");
        EXPECT_EQ(first->text(3), "changed since");
        EXPECT_EQ(r->list()->topLevelItem(1)->text(1), "(never saved)");
        EXPECT_EQ(r->list()->topLevelItem(3)->text(0), "New HTML Document 4 (damaged)");
        EXPECT_EQ(r->choice(3), TfRecovery::Choice::Keep); // not restored unasked
        r->setChoice(2, TfRecovery::Choice::Discard);
    };
    TfRecovery::offer(session(), *frame);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(dialogs.executed.back(), "TfRecovery");

    // The saved page: the copy's text over the file's, the file untouched, Undo shows the file.
    TfHTML *restored = nullptr;
    for (TfHTML *d : frame->documents())
        if (d->caption() == page)
            restored = d;
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->editor()->utf8Text(), saved.text);
    EXPECT_TRUE(restored->modified());
    EXPECT_EQ(home.read("site/index.html"), "<p>on disk</p>\n");
    restored->editor()->undo();
    EXPECT_EQ(restored->editor()->utf8Text(), "<p>on disk</p>\n");
    restored->editor()->redo();

    // The page never saved, with its own line ends.
    TfHTML *draft = frame->activeDocument();
    EXPECT_TRUE(draft->isUntitled());
    EXPECT_EQ(draft->editor()->utf8Text(), untitled.text);
    EXPECT_EQ(draft->document().format().eol, TextFile::Eol::CrLf);
    EXPECT_TRUE(draft->modified());

    EXPECT_FALSE(QFile::exists(savedFile));
    EXPECT_FALSE(QFile::exists(untitledFile));
    EXPECT_FALSE(QFile::exists(unwantedFile));
    EXPECT_TRUE(QFile::exists(damagedFile)); // kept for later

    // Kept copies are offered again at the next start; "Decide Later" keeps them all.
    int offered = 0;
    dialogs.onExec = [&](QDialog *d) {
        if (auto *r = qobject_cast<TfRecovery *>(d))
            offered = r->list()->topLevelItemCount();
    };
    dialogs.execResults.push_back(QDialog::Rejected);
    TfRecovery::offer(session(), *frame);
    EXPECT_EQ(offered, 1);
    EXPECT_TRUE(QFile::exists(damagedFile));
}

TEST(RecoveryFullDisk, AFailedCopyIsToldOnceAndTypingGoesOn)
{
    SmallDisk disk(256 * 1024);
    REQUIRE_SMALL_DISK(disk);
    const QByteArray previous = qgetenv("TOLVENRA_HOME");
    qputenv("TOLVENRA_HOME", disk.path().toUtf8());
    {
        ScriptedDialogs dialogs;
        disk.write("TOLVENRA.INI", "[System]\r\nOpen Template=0\r\n[Start Options]\r\nTips=0\r\n");
        TmdiMain frame{QStringList()};
        frame.show();
        frame.GetCommandLine();
        (*frame.findChild<RecoverySession *>()).setDelays(20, 200);
        frame.commands().trigger("FileNew");
        TEditor *ed = frame.activeDocument()->editor();
        ed->loadUtf8("");
        disk.fillLeaving(0);
        QSignalSpy failed(&(*frame.findChild<RecoverySession *>()), &RecoverySession::failed);
        QSignalSpy written(&(*frame.findChild<RecoverySession *>()), &RecoverySession::written);
        ed->insertAtCaret(QString(100000, u'a'));
        ASSERT_TRUE(failed.wait(5000)) << written.size() << " free " << disk.freeBytes() << " "
                                       << QDir(disk.path("recovery")).entryList().join(' ').toStdString();
        EXPECT_EQ(frame.statusText(),
                  "   Unable to keep a recovery copy of New HTML Document 1: No space left on device");
        frame.SetStatusText("Ready ...");
        QTest::keyClicks(ed, "more");
        ASSERT_TRUE(failed.wait(5000));
        EXPECT_EQ(frame.statusText(), "   Ready ..."); // told once
        EXPECT_EQ(ed->utf8Text(), QByteArray(100000, 'a') + "more");
        EXPECT_TRUE(QDir(disk.path("recovery")).entryList({"*.trec"}, QDir::Files).isEmpty());
        frame.activeDocument()->setModified(false);
    }
    qputenv("TOLVENRA_HOME", previous);
    QDir::setCurrent(QDir::tempPath());
}

// A full disk after a good copy was written: the good copy stays whole (not an empty or a cut
// file), and the failure is told once, naming the copy that is kept; for a small page and for
// one larger than the disk's last blocks.
class RecoveryFullDiskAfterACopy : public ::testing::TestWithParam<int> {};

INSTANTIATE_TEST_SUITE_P(PageSizes, RecoveryFullDiskAfterACopy, ::testing::Values(400, 54 * 1024));

TEST_P(RecoveryFullDiskAfterACopy, TheLastGoodCopyIsKept)
{
    SmallDisk disk(1024 * 1024);
    REQUIRE_SMALL_DISK(disk);
    const QByteArray previous = qgetenv("TOLVENRA_HOME");
    qputenv("TOLVENRA_HOME", disk.path().toUtf8());
    {
        ScriptedDialogs dialogs;
        DocumentManager manager;
        QStringList said;
        RecoverySession session([&](const QString &m) { said << m; });
        session.setDelays(20, 200);
        QObject::connect(&manager, &DocumentManager::created, &session, &RecoverySession::watch);
        HtmlDocument *doc = manager.newDocument();
        const QByteArray page(GetParam(), 'p');
        doc->insert(0, page);
        QSignalSpy written(&session, &RecoverySession::written);
        QSignalSpy failed(&session, &RecoverySession::failed);
        ASSERT_TRUE(written.wait(5000));
        const QString file = session.fileOf(doc);
        ASSERT_EQ(RecoveryFormat::read(file).text, page);

        disk.fillLeaving(0);
        doc->insert(0, QByteArray(GetParam(), 'q'));
        ASSERT_TRUE(failed.wait(5000));
        ASSERT_EQ(said.size(), 1);
        EXPECT_TRUE(said[0].startsWith("Unable to keep a recovery copy of New HTML Document 1: No space left on device"))
            << said[0].toStdString();
        EXPECT_TRUE(said[0].contains("is kept"));
        const RecoveryCopy kept = RecoveryFormat::read(file);
        EXPECT_TRUE(kept.complete) << kept.problem.toStdString();
        EXPECT_EQ(kept.text, page);
        doc->insert(0, "r");
        ASSERT_TRUE(failed.wait(5000));
        EXPECT_EQ(said.size(), 1); // told once
        EXPECT_EQ(RecoveryFormat::read(file).text, page);
        doc->setModified(false);
        session.waitForWrites();
    }
    qputenv("TOLVENRA_HOME", previous);
}

// ---- killed while typing ----

// Run in a process of its own by the test below: types bursts into two documents, and after
// each burst waits until its copy is on disk and says so; it never ends by itself.
TEST(RecoveryChild, TypesUntilKilled)
{
    if (qEnvironmentVariableIsEmpty("TOLVENRA_TYPIST"))
        GTEST_SKIP() << "only run by KilledWhileTyping";
    ScriptedDialogs dialogs;
    TmdiMain frame{QStringList()};
    frame.show();
    frame.GetCommandLine();
    (*frame.findChild<RecoverySession *>()).setDelays(30, 300);
    TfHTML *docs[2];
    for (TfHTML *&d : docs) {
        frame.commands().trigger("FileNew");
        d = frame.activeDocument();
        d->editor()->loadUtf8("");
        d->setModified(false);
    }
    QTextStream out(stdout);
    QRandomGenerator random(quint32(qEnvironmentVariableIntValue("TOLVENRA_TYPIST")));
    const QString letters = QString::fromUtf8("abcdefghij <p>\u00e9\u00fc\u20ac</p>");
    for (;;) {
        const int i = int(random.bounded(2));
        QString burst;
        const int n = 1 + int(random.bounded(40));
        for (int k = 0; k < n; ++k)
            burst += letters.at(int(random.bounded(letters.size())));
        out << "typing " << i << ' ' << burst.toUtf8().toBase64() << Qt::endl;
        frame.documentArea().setActiveSubWindow(docs[i]);
        QSignalSpy written(&(*frame.findChild<RecoverySession *>()), &RecoverySession::written);
        for (const QChar ch : burst) {
            if (ch.unicode() < 128)
                QTest::keyClick(docs[i]->editor(), char(ch.unicode()));
            else
                docs[i]->editor()->insertAtCaret(QString(ch)); // what an input method would type
        }
        (void)QTest::qWaitFor([&] { return !written.isEmpty() && written.last().at(0).value<HtmlDocument *>() == &docs[i]->document(); }, 10000);
        out << "saved " << i << Qt::endl;
    }
}

TEST_F(FrameTest, KilledWhileTypingTheTextOfTheLastPauseComesBack)
{
    for (int round = 0; round < 3; ++round) {
        TestHome child;
        child.write("TOLVENRA.INI", "[System]\r\nOpen Template=0\r\n[Start Options]\r\nTips=0\r\n");
        QProcess typist;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TOLVENRA_HOME", child.path());
        env.insert("TOLVENRA_TYPIST", QString::number(round + 1));
        typist.setProcessEnvironment(env);
        typist.setWorkingDirectory(QDir::tempPath());
        typist.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=RecoveryChild.TypesUntilKilled"});
        ASSERT_TRUE(typist.waitForStarted());
        // Killed at a random moment once it has typed something.
        QByteArray log;
        ASSERT_TRUE(QTest::qWaitFor([&] {
            log += typist.readAllStandardOutput();
            return log.contains("saved");
        }, 20000)) << typist.readAllStandardError().toStdString();
        QTest::qWait(int(QRandomGenerator::global()->bounded(50, 1500)));
        typist.kill(); // SIGKILL
        typist.waitForFinished();
        log += typist.readAllStandardOutput();

        // What each document held at its last confirmed copy, and the burst typed after it.
        QByteArray typed[2], confirmed[2], pending[2];
        for (const QByteArray &line : log.split('\n')) {
            const QList<QByteArray> words = line.split(' ');
            if (words.size() == 3 && words[0] == "typing") {
                const int i = words[1].toInt();
                pending[i] = QByteArray::fromBase64(words[2]);
                typed[i] += pending[i];
            } else if (words.size() == 2 && words[0] == "saved") {
                const int i = words[1].toInt();
                confirmed[i] = typed[i];
                pending[i].clear();
            }
        }
        RecoverySession later(nullptr);
        const QList<RecoveryCopy> copies = later.leftBehind();
        std::map<QString, RecoveryCopy> byCaption;
        for (const RecoveryCopy &c : copies)
            byCaption[c.caption] = c;
        for (int i = 0; i < 2; ++i) {
            if (confirmed[i].isEmpty())
                continue;
            const QString caption = QString("New HTML Document %1").arg(i + 1);
            ASSERT_TRUE(byCaption.count(caption)) << "round " << round << ": no copy of " << caption.toStdString();
            const RecoveryCopy &c = byCaption[caption];
            EXPECT_TRUE(c.complete) << c.problem.toStdString();
            // The copy of the last pause, or of a later one that the typist had no time to tell.
            EXPECT_TRUE(c.text == confirmed[i] || c.text == confirmed[i] + pending[i])
                << "round " << round << " document " << i << ": " << c.text.toStdString() << " / "
                << confirmed[i].toStdString();
        }
        later.releaseOthers();

        // Started again, the program gives them back as modified documents.
        if (round == 0) {
            qputenv("TOLVENRA_HOME", child.path().toUtf8());
            dialogs.onExec = [](QDialog *d) {
                if (auto *r = qobject_cast<TfRecovery *>(d))
                    r->btnRestoreAllClick();
            };
            start();
            int restored = 0;
            for (TfHTML *d : frame->documents())
                for (int k = 0; k < 2; ++k) {
                    const QByteArray text = d->editor()->utf8Text();
                    if (!confirmed[k].isEmpty() && d->modified() &&
                        (text == confirmed[k] || text == confirmed[k] + pending[k]))
                        ++restored;
                }
            EXPECT_EQ(restored, int(!confirmed[0].isEmpty()) + int(!confirmed[1].isEmpty()));
            for (TfHTML *d : frame->documents())
                d->setModified(false);
            frame.reset();
            QDir::setCurrent(QDir::tempPath());
            dialogs.onExec = nullptr;
            qputenv("TOLVENRA_HOME", home.path().toUtf8());
        }
    }
}

} // namespace
