#include "Services.h"

#include "Document.h"
#include "DocumentArea.h"
#include "DocumentManager.h"
#include "Edit.h"

#include <QFileInfo>

DocumentManager &AppServices::documentManager() const
{
    return documentArea().manager();
}

TfHTML *AppServices::activeDocument() const
{
    return documentArea().activeWindow();
}

QList<TfHTML *> AppServices::documents() const
{
    return documentArea().windows();
}

TfHTML *showFileDocument(AppServices &services, const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (HtmlDocument *doc = services.documentManager().find(absolute)) {
        TfHTML *w = services.documentArea().window(doc);
        if (w)
            services.documentArea().setActiveSubWindow(w);
        return w;
    }
    return services.openDocument(absolute);
}
