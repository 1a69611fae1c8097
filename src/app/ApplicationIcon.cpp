#include "app/ApplicationIcon.h"

#include <QDir>

QIcon ApplicationIcon::Load() {
    // One folder per size, named as the icon theme names them ("16x16").
    QIcon icon;
    const QDir theme(QStringLiteral(":/hicolor"));
    for (const QString& size : theme.entryList(QDir::Dirs))
        icon.addFile(theme.filePath(size + QStringLiteral("/apps/plenova.png")));
    return icon;
}
