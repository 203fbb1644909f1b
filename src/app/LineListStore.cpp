#include "LineListStore.h"

#include "platform/LineFile.h"

#include <QFileInfo>

LineListStore::LineListStore(QString path, QStringList fallback, QObject *parent)
    : QStringListModel(fallback, parent), path_(std::move(path)), fallback_(std::move(fallback))
{
}

bool LineListStore::fileExists() const
{
    return !path_.isEmpty() && QFileInfo::exists(path_);
}

bool LineListStore::load(QString *error)
{
    if (!fileExists()) {
        setStringList(fallback_);
        return true;
    }
    bool ok = false;
    QString why;
    const QStringList lines = LineFile::read(path_, &ok, &why);
    if (!ok) {
        if (error)
            *error = why;
        return false;
    }
    setStringList(lines);
    return true;
}

bool LineListStore::save(QString *error) const
{
    return LineFile::write(path_, stringList(), error);
}
