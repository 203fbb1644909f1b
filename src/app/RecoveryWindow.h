#pragma once

#include "Recovery.h"

#include <QDialog>

class AppServices;
class QTreeWidget;

// Offers the copies of unsaved work left by a run that did not end cleanly: each can be
// restored (it opens as a modified document; its file on disk stays as it is until saved),
// discarded, or kept to be offered again at the next start.
class TfRecovery : public QDialog {
    Q_OBJECT
public:
    enum class Choice { Restore, Discard, Keep };

    explicit TfRecovery(const QList<RecoveryCopy> &copies, QWidget *parent = nullptr);

    QTreeWidget *list() const { return lstCopies; }
    Choice choice(int row) const;
    void setChoice(int row, Choice c);

    // The frame's start: offers what the last runs left, then does what the user chose.
    static void offer(RecoverySession &session, AppServices &services);
    // Opens a copy as a modified document; false (and the copy stays) when it cannot be.
    static bool restore(const RecoveryCopy &copy, AppServices &services);

public slots:
    void btnRestoreAllClick();
    void btnDiscardAllClick();

private:
    void setAll(Choice c);
    QList<RecoveryCopy> copies_;
    QTreeWidget *lstCopies;
};
