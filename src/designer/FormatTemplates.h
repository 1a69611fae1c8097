#pragma once

#include "model/Format.h"
#include "model/Paper.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// The formats a user may start a new one from: the examples that come with Plenova and every
// format the user keeps in a folder of templates. Each is read whole when the list is made, so
// that a damaged one shows its problem instead of a preview, and a good one can be drawn.
class FormatTemplates {
public:
    struct Entry {
        QString path;
        // The format's description (its first line), or its file name when it has none.
        QString title;
        bool example = false;
        // Why the file cannot be used; empty for a format that was read.
        QString problem;
        // The format as read, for its preview; null when it could not be read.
        std::shared_ptr<const Format> format;
        Paper paper;
    };

    // "plantillas" in Plenova's folder of the user's data (~/.local/share/plenova/plantillas).
    static QString UserFolder();
    // The folder of the examples: beside an installed program, where the installation put them,
    // or in the sources a program run from its build tree was built from. Empty when none of
    // them holds an example.
    static QString ExamplesFolder();

    // The examples of examplesFolder, then the formats of userFolder, each group by file name.
    // A folder that is empty or absent gives nothing.
    static std::vector<Entry> List(const QString& examplesFolder, const QString& userFolder);
    // The same for the usual folders.
    static std::vector<Entry> List();

private:
    static void AddFolder(std::vector<Entry>& entries, const QString& folder, bool examples);
};
