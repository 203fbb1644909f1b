#include "LivePreview.h"

#include "PreviewModule.h"
#include "app/DocumentArea.h"
#include "app/DocumentManager.h"
#include "app/Edit.h"
#include "app/Services.h"
#include "app/ToolWindows.h"

LivePreview::LivePreview(AppServices &services, QObject *parent) : QObject(parent), services_(services)
{
    pause_.setSingleShot(true);
    longest_.setSingleShot(true);
    connect(&pause_, &QTimer::timeout, this, &LivePreview::refresh);
    connect(&longest_, &QTimer::timeout, this, &LivePreview::refresh);
    // What the preview follows is the active document.
    connect(&services.documentManager(), &DocumentManager::activated, this,
            [this](HtmlDocument *doc) { documentActivated(doc ? services_.documentArea().window(doc) : nullptr); });
}

void LivePreview::setFollowing(bool on)
{
    following_ = on;
    doc_ = nullptr; // shown afresh when turned on
    documentActivated(services_.activeDocument());
}

void LivePreview::documentActivated(TfHTML *doc)
{
    const bool switched = doc != doc_;
    disconnect(edits_);
    edits_ = {};
    doc_ = doc;
    if (!following_ || !doc)
        return;
    edits_ = connect(&doc->document(), &HtmlDocument::changed, this, &LivePreview::changed);
    if (switched)
        refresh();
}

void LivePreview::changed()
{
    pause_.start(PauseMs);
    if (!longest_.isActive())
        longest_.start(LongestMs);
}

PreviewWindow *LivePreview::shownPreview() const
{
    QWidget *w = services_.toolWindows().existing(QString::fromLatin1(PreviewModule::WindowName));
    return w && w->isVisible() ? qobject_cast<PreviewWindow *>(w) : nullptr;
}

void LivePreview::refresh()
{
    pause_.stop();
    longest_.stop();
    PreviewWindow *preview = shownPreview();
    if (!following_ || !doc_ || !preview)
        return;
    const QString file = PreviewModule::previewFileFor(doc_);
    QString error;
    if (!doc_->writeCopy(file, &error, false)) {
        services_.SetStatusText(tr("Unable to write the preview file %1: %2").arg(file, error));
        return;
    }
    ++refreshes_;
    preview->refreshFile(file);
}
