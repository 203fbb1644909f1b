#pragma once

#include "platform/TextFile.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <functional>
#include <memory>
#include <vector>

class QLockFile;
class HtmlDocument;

// A copy of an unsaved document, as kept in the recovery folder: the text with what is needed
// to give it back (its name, file, encoding and line ends) and to judge it (when it was last
// changed, and the file on disk as the document knew it).
struct RecoveryCopy {
    QString caption;
    QString path; // empty for a document never saved
    TextFile::Format format;
    QDateTime changed;
    QDateTime diskModified; // the file as read or saved here; invalid when never
    qint64 diskSize = -1;
    QByteArray text;

    // Set when read from a file.
    QString file;
    bool complete = false;
    QString problem; // why the copy is not complete, for the user

    enum class Disk { NeverSaved, Same, Changed, Missing };
    // The document's file now, against the one the document knew.
    Disk diskState() const;
};

namespace RecoveryFormat {

QByteArray encode(const RecoveryCopy &copy);
// A copy from a file's bytes; one that is cut short or not a copy at all says so in problem.
RecoveryCopy decode(const QByteArray &bytes);
RecoveryCopy read(const QString &file);

} // namespace RecoveryFormat

// Keeps copies of the unsaved documents of this run in the recovery folder, so that a crash,
// a killed desktop or a power cut loses at most the last moments of typing. A copy is written
// a short pause after the typing stops, and at least every LongestMs while it goes on, from a
// snapshot of the text written on a thread of its own, by atomic replace. Saving a document,
// closing it and ending the program remove its copy. Each run locks its own copies, so two
// programs running at once never take each other's.
class RecoverySession : public QObject {
    Q_OBJECT
public:
    static constexpr int PauseMs = 1500;
    static constexpr int LongestMs = 30000;

    // status is told, once, when copies cannot be written.
    explicit RecoverySession(std::function<void(const QString &)> status, QObject *parent = nullptr);
    ~RecoverySession() override;

    QString folder() const { return folder_; }
    QString id() const { return id_; }
    void setDelays(int pauseMs, int longestMs);

    // Starts keeping copies of a document while it is modified.
    void watch(HtmlDocument *doc);
    // Writes the document's copy now when it is modified (the timers are cut short).
    void copyNow(HtmlDocument *doc);
    // Waits until every copy started has reached the disk.
    void waitForWrites();
    // The copy file of a document ("" before its first copy).
    QString fileOf(HtmlDocument *doc) const;

    // The copies left by runs that did not end cleanly, oldest change first. Their runs are
    // locked for this one until releaseOthers(), so no other program offers them meanwhile.
    QList<RecoveryCopy> leftBehind();
    // Deletes a copy (restored or discarded).
    static void remove(const RecoveryCopy &copy);
    void releaseOthers();

signals:
    void written(HtmlDocument *doc);
    void failed(HtmlDocument *doc, const QString &reason);

private:
    class Watch;
    friend class Watch;
    void write(Watch *w);
    void removeFile(const QString &file);
    void finished(QPointer<HtmlDocument> doc, const QString &file, bool ok, const QString &error);

    QHash<HtmlDocument *, Watch *> watches_;
    std::function<void(const QString &)> status_;
    QString folder_;
    QString id_;
    std::unique_ptr<QLockFile> lock_;
    std::vector<std::unique_ptr<QLockFile>> others_;
    QThreadPool pool_;
    int pauseMs_ = PauseMs;
    int longestMs_ = LongestMs;
    int next_ = 0;
    bool told_ = false;
};
