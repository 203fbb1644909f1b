#include "Services.h"

#include "Edit.h"

#include <QFileInfo>
#include <QMdiArea>

TfHTML *showFileDocument(AppServices &services, const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (TfHTML *d : services.documents())
        if (d->caption() == absolute) {
            if (d->mdiArea())
                d->mdiArea()->setActiveSubWindow(d);
            return d;
        }
    return services.openDocument(absolute);
}
