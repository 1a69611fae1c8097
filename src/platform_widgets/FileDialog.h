#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The file dialog every window asks for a file with: a file to open (which must exist) or a
// name to save under (an existing file is confirmed before it is overwritten), with the filters
// given, the first one chosen, and the default suffix added to a name typed without one. There
// is no read-only box. The answer is the chosen path, or empty when the user cancelled.
class FileDialog {
public:
    enum class Mode { Open, Save };

    struct Request {
        Mode mode = Mode::Open;
        QStringList filters;
        QString defaultSuffix;
        QString title;
        // The folder to start in, or a file to start on.
        QString start;
    };

    static QString Ask(QWidget* parent, const Request& request);
};
