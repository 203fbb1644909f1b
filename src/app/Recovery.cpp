#include "Recovery.h"

#include "Document.h"
#include "platform/AppPaths.h"
#include "platform/SafeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QLocale>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <map>

// ---- the file format ----

namespace RecoveryFormat {

namespace {

const QByteArray Magic = QByteArrayLiteral("Tolvenra recovery copy 1");

QByteArray field(const QString &value)
{
    return QUrl::toPercentEncoding(value);
}

QString unfield(const QByteArray &value)
{
    return QUrl::fromPercentEncoding(value);
}

} // namespace

QByteArray encode(const RecoveryCopy &c)
{
    QByteArray out;
    out.reserve(c.text.size() + 512);
    out += Magic + '\n';
    out += "caption=" + field(c.caption) + '\n';
    out += "path=" + field(c.path) + '\n';
    out += "encoding=" + QByteArray::number(int(c.format.encoding)) + '\n';
    out += "bom=" + QByteArray(c.format.bom ? "1" : "0") + '\n';
    out += "eol=" + QByteArray::number(int(c.format.eol)) + '\n';
    out += "charset=" + c.format.charset.toPercentEncoding() + '\n';
    out += "changed=" + QByteArray::number(c.changed.toMSecsSinceEpoch()) + '\n';
    out += "disk-modified=" +
           (c.diskModified.isValid() ? QByteArray::number(c.diskModified.toMSecsSinceEpoch()) : QByteArray()) + '\n';
    out += "disk-size=" + QByteArray::number(c.diskSize) + '\n';
    out += "length=" + QByteArray::number(c.text.size()) + '\n';
    out += '\n';
    out += c.text;
    return out;
}

RecoveryCopy decode(const QByteArray &bytes)
{
    RecoveryCopy c;
    const qsizetype end = bytes.indexOf("\n\n");
    if (!bytes.startsWith(Magic + '\n') || end < 0) {
        c.problem = QCoreApplication::translate("Recovery", "This is not a recovery copy, or it is too damaged to read.");
        return c;
    }
    std::map<QByteArray, QByteArray> values;
    for (const QByteArray &line : bytes.left(end).split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq > 0)
            values[line.left(eq)] = line.mid(eq + 1);
    }
    c.caption = unfield(values["caption"]);
    c.path = unfield(values["path"]);
    const int encoding = values["encoding"].toInt();
    if (encoding >= 0 && encoding <= int(TextFile::Encoding::Other))
        c.format.encoding = TextFile::Encoding(encoding);
    c.format.bom = values["bom"] == "1";
    const int eol = values["eol"].toInt();
    if (eol >= 0 && eol <= int(TextFile::Eol::Cr))
        c.format.eol = TextFile::Eol(eol);
    c.format.charset = QByteArray::fromPercentEncoding(values["charset"]);
    bool ok = false;
    const qint64 changed = values["changed"].toLongLong(&ok);
    if (ok)
        c.changed = QDateTime::fromMSecsSinceEpoch(changed);
    const qint64 disk = values["disk-modified"].toLongLong(&ok);
    if (ok)
        c.diskModified = QDateTime::fromMSecsSinceEpoch(disk);
    c.diskSize = values["disk-size"].isEmpty() ? -1 : values["disk-size"].toLongLong();
    const qint64 length = values["length"].toLongLong(&ok);
    c.text = bytes.mid(end + 2);
    if (!ok || length < 0) {
        c.problem = QCoreApplication::translate("Recovery", "The copy does not say how long it is.");
    } else if (c.text.size() < length) {
        c.problem = QCoreApplication::translate("Recovery", "The copy is cut short: %1 of %2 bytes.")
                        .arg(c.text.size())
                        .arg(length);
    } else {
        c.text.truncate(length);
        c.complete = true;
    }
    return c;
}

RecoveryCopy read(const QString &file)
{
    QFile f(file);
    RecoveryCopy c;
    if (!f.open(QIODevice::ReadOnly)) {
        c.problem = f.errorString();
    } else {
        c = decode(f.readAll());
        if (f.error() != QFileDevice::NoError) {
            c.complete = false;
            c.problem = f.errorString();
        }
    }
    c.file = file;
    if (!c.changed.isValid())
        c.changed = QFileInfo(file).lastModified();
    return c;
}

} // namespace RecoveryFormat

RecoveryCopy::Disk RecoveryCopy::diskState() const
{
    if (path.isEmpty())
        return Disk::NeverSaved;
    const QFileInfo info(path);
    if (!info.exists())
        return Disk::Missing;
    if (!diskModified.isValid())
        return Disk::Changed; // the document never read this file
    return info.lastModified() == diskModified && info.size() == diskSize ? Disk::Same : Disk::Changed;
}

// ---- one document's copy ----

class RecoverySession::Watch : public QObject {
public:
    Watch(RecoverySession *session, HtmlDocument *doc) : QObject(doc), session_(session), doc_(doc)
    {
        pause_.setSingleShot(true);
        longest_.setSingleShot(true);
        connect(&pause_, &QTimer::timeout, this, &Watch::due);
        connect(&longest_, &QTimer::timeout, this, &Watch::due);
        connect(doc, &HtmlDocument::changed, this, &Watch::changed);
        connect(doc, &HtmlDocument::modifiedChanged, this, &Watch::changed);
        session->watches_.insert(doc, this);
        // A document made with a text no file holds is unsaved from the start.
        if (doc->isModified())
            changed();
    }
    ~Watch() override
    {
        // A document closed (saved or not) or a program ending cleanly leaves no copy.
        if (!session_)
            return;
        session_->watches_.remove(doc_);
        if (!file_.isEmpty())
            session_->removeFile(file_);
    }

    HtmlDocument *document() const { return doc_; }
    QString file() const { return file_; }
    QString takeFile()
    {
        if (file_.isEmpty())
            file_ = session_->folder_ + u'/' + session_->id_ + u'-' + QString::number(session_->next_++) +
                    QStringLiteral(".trec");
        return file_;
    }
    QDateTime lastChange() const { return lastChange_; }

    void changed()
    {
        if (!session_)
            return;
        if (!doc_->isModified()) {
            // Saved, or undone back to the saved text: the file holds it.
            pause_.stop();
            longest_.stop();
            if (copied_)
                session_->removeFile(file_);
            copied_ = false;
            return;
        }
        lastChange_ = QDateTime::currentDateTime();
        pause_.start(session_->pauseMs_);
        if (!longest_.isActive())
            longest_.start(session_->longestMs_);
    }

    void due()
    {
        pause_.stop();
        longest_.stop();
        if (session_ && doc_->isModified()) {
            copied_ = true;
            session_->write(this);
        }
    }

private:
    QPointer<RecoverySession> session_;
    HtmlDocument *doc_;
    QTimer pause_, longest_;
    QString file_;
    QDateTime lastChange_ = QDateTime::currentDateTime();
    bool copied_ = false;
};

// ---- the session ----

RecoverySession::RecoverySession(std::function<void(const QString &)> status, QObject *parent)
    : QObject(parent), status_(std::move(status)), folder_(AppPaths::recoveryFolder())
{
    static int runs = 0; // a process that makes several frames (tests) gives each its own name
    id_ = QString::number(QCoreApplication::applicationPid()) + u'.' + QString::number(++runs) + u'.' +
          QString::number(QDateTime::currentMSecsSinceEpoch(), 36);
    pool_.setMaxThreadCount(1); // copies reach the disk in the order they were taken
    QDir().mkpath(folder_);
    lock_ = std::make_unique<QLockFile>(folder_ + u'/' + id_ + QStringLiteral(".lock"));
    lock_->setStaleLockTime(0);
    lock_->tryLock(0);
}

RecoverySession::~RecoverySession()
{
    pool_.waitForDone();
    // A clean end: this run's copies go (its documents were saved or let go on purpose).
    const QDir dir(folder_);
    for (const QString &name : dir.entryList({id_ + QStringLiteral("-*.trec")}, QDir::Files))
        QFile::remove(dir.filePath(name));
    releaseOthers();
    lock_->unlock();
}

void RecoverySession::setDelays(int pauseMs, int longestMs)
{
    pauseMs_ = pauseMs;
    longestMs_ = longestMs;
}

void RecoverySession::watch(HtmlDocument *doc)
{
    new Watch(this, doc);
}

void RecoverySession::copyNow(HtmlDocument *doc)
{
    if (Watch *w = watches_.value(doc))
        w->due();
}

void RecoverySession::waitForWrites()
{
    pool_.waitForDone();
    QCoreApplication::sendPostedEvents(this);
}

QString RecoverySession::fileOf(HtmlDocument *doc) const
{
    const Watch *w = watches_.value(doc);
    return w ? w->file() : QString();
}

void RecoverySession::write(Watch *w)
{
    HtmlDocument *doc = w->document();
    RecoveryCopy c;
    c.caption = doc->caption();
    c.path = doc->path();
    c.format = doc->format();
    c.changed = w->lastChange();
    c.diskModified = doc->stampModified();
    c.diskSize = doc->stampSize();
    // The one copy of the text taken on this thread; the rest happens on the writer's.
    c.text = doc->fileText();
    const QString file = w->takeFile();
    QPointer<HtmlDocument> target(doc);
    pool_.start([this, c = std::move(c), file, target]() {
        // Checked to the end (every write, and the data on the disk before the new copy takes
        // the old one's place): a failure leaves the last good copy as it was.
        QString error;
        const bool ok = SafeFile::replace(file, RecoveryFormat::encode(c), &error);
        QMetaObject::invokeMethod(this, [this, target, file, ok, error] { finished(target, file, ok, error); },
                                  Qt::QueuedConnection);
    });
}

void RecoverySession::removeFile(const QString &file)
{
    pool_.start([file] { QFile::remove(file); });
}

void RecoverySession::finished(QPointer<HtmlDocument> doc, const QString &file, bool ok, const QString &error)
{
    if (ok) {
        told_ = false;
        if (doc)
            emit written(doc);
        return;
    }
    // The copy on disk (if any) is the last one that was written whole: it stays.
    if (!told_ && status_) {
        const QFileInfo kept(file);
        status_(kept.exists() ? tr("Unable to keep a recovery copy of %1: %2 (the copy of %3 is kept)")
                                    .arg(doc ? doc->caption() : file, error,
                                         QLocale().toString(kept.lastModified().time(), QLocale::ShortFormat))
                              : tr("Unable to keep a recovery copy of %1: %2").arg(doc ? doc->caption() : file, error));
    }
    told_ = true;
    if (doc)
        emit failed(doc, error);
}

QList<RecoveryCopy> RecoverySession::leftBehind()
{
    const QDir dir(folder_);
    std::map<QString, QStringList> runs;
    for (const QString &name : dir.entryList({QStringLiteral("*.trec")}, QDir::Files)) {
        const QString run = name.left(name.lastIndexOf(u'-'));
        if (run != id_)
            runs[run] << dir.filePath(name);
    }
    // The locks of runs that ended without leaving copies are cleared away.
    for (const QString &name : dir.entryList({QStringLiteral("*.lock")}, QDir::Files)) {
        const QString run = name.chopped(5);
        if (run == id_ || runs.count(run))
            continue;
        QLockFile gone(dir.filePath(name));
        gone.setStaleLockTime(0);
        if (gone.tryLock(0))
            gone.unlock();
    }
    QList<RecoveryCopy> copies;
    for (const auto &[run, files] : runs) {
        auto lock = std::make_unique<QLockFile>(dir.filePath(run + QStringLiteral(".lock")));
        lock->setStaleLockTime(0); // only a run that is no longer there lets go of its copies
        if (!lock->tryLock(0))
            continue;
        others_.push_back(std::move(lock));
        for (const QString &file : files)
            copies << RecoveryFormat::read(file);
    }
    std::stable_sort(copies.begin(), copies.end(),
                     [](const RecoveryCopy &a, const RecoveryCopy &b) { return a.changed < b.changed; });
    return copies;
}

void RecoverySession::remove(const RecoveryCopy &copy)
{
    QFile::remove(copy.file);
}

void RecoverySession::releaseOthers()
{
    for (auto &l : others_)
        l->unlock();
    others_.clear();
}
