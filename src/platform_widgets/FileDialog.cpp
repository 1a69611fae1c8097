#include "platform_widgets/FileDialog.h"

#include <QFileDialog>
#include <QFileInfo>

QString FileDialog::Ask(QWidget* parent, const Request& request) {
    QFileDialog box(parent, request.title);
    box.setNameFilters(request.filters);
    box.setDefaultSuffix(request.defaultSuffix);
    if (request.mode == Mode::Save) {
        box.setAcceptMode(QFileDialog::AcceptSave);
        box.setFileMode(QFileDialog::AnyFile);
    } else {
        box.setAcceptMode(QFileDialog::AcceptOpen);
        box.setFileMode(QFileDialog::ExistingFile);
    }
    if (!request.start.isEmpty()) {
        if (QFileInfo(request.start).isDir())
            box.setDirectory(request.start);
        else
            box.selectFile(request.start);
    }
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return QString();
    return box.selectedFiles().constFirst();
}
