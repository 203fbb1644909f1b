#pragma once

#include <QString>
#include <QStringList>
#include <QStringListModel>

// One of the program's lists kept in a line file of the program folder (macros, plug-in
// commands, the library, notes): the lines in memory, a list model for views, and reading and
// writing through the line-file format. Windows show a store; they do not hold the data.
class LineListStore : public QStringListModel {
    Q_OBJECT
public:
    // fallback: the lines the store holds while its file does not exist.
    explicit LineListStore(QString path = QString(), QStringList fallback = {}, QObject *parent = nullptr);

    const QString &path() const { return path_; }
    void setPath(const QString &path) { path_ = path; }
    bool fileExists() const;

    QStringList lines() const { return stringList(); }
    void setLines(const QStringList &lines) { setStringList(lines); }

    // Reads the file (the fallback when it does not exist). False with *error when the file
    // exists but cannot be read; the lines in memory are then unchanged.
    bool load(QString *error = nullptr);
    // Writes the lines; false with *error saying why, the file on disk intact.
    bool save(QString *error) const;

private:
    QString path_;
    QStringList fallback_;
};
