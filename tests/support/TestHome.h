#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include "support/QtPrinters.h"

// A fresh TOLVENRA_HOME for one test: the program and settings folders are this empty
// temporary folder, removed afterwards.
class TestHome {
public:
    TestHome();
    ~TestHome();

    QString path(const QString &name = QString()) const;
    // Writes bytes to name inside the folder (creating folders) and returns its path.
    QString write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;
    // Copies the shipped files (template, tips, help) in, as the program does at start.
    void prepare() const;

private:
    QTemporaryDir dir_;
    QByteArray previous_;
};
