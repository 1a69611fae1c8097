#include "designer/FormatTemplates.h"

#include "model/FormatFile.h"
#include "model/FormatSettings.h"
#include "model/PlenovaSettings.h"
#include "platform/PlenovaError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kFormatPattern = QStringLiteral("*.fmt");

bool HoldsFormats(const QString& folder) {
    return !folder.isEmpty() &&
           !QDir(folder).entryList({kFormatPattern}, QDir::Files | QDir::Readable).isEmpty();
}

QString TitleOf(const Format& format, const QString& path) {
    const QString firstLine = format.description.section(QLatin1Char('\n'), 0, 0).trimmed();
    return firstLine.isEmpty() ? QFileInfo(path).fileName() : firstLine;
}

} // namespace

QString FormatTemplates::UserFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/plenova/plantillas");
}

QString FormatTemplates::ExamplesFolder() {
    // A program moved with its folders (bin/ beside share/) finds its own examples first.
    const QStringList candidates = {
        QCoreApplication::applicationDirPath() +
            QStringLiteral("/../" PLENOVA_DATA_FOLDER "/plenova/ejemplos"),
        QStringLiteral(PLENOVA_INSTALLED_EXAMPLES),
        QStringLiteral(PLENOVA_SOURCE_EXAMPLES),
    };
    for (const QString& folder : candidates) {
        if (HoldsFormats(folder))
            return QDir::cleanPath(folder);
    }
    return QString();
}

std::vector<FormatTemplates::Entry> FormatTemplates::List(const QString& examplesFolder,
                                                          const QString& userFolder) {
    std::vector<Entry> entries;
    AddFolder(entries, examplesFolder, true);
    AddFolder(entries, userFolder, false);
    return entries;
}

std::vector<FormatTemplates::Entry> FormatTemplates::List() {
    return List(ExamplesFolder(), UserFolder());
}

void FormatTemplates::AddFolder(std::vector<Entry>& entries, const QString& folder, bool examples) {
    if (folder.isEmpty())
        return;
    const QFileInfoList files =
        QDir(folder).entryInfoList({kFormatPattern}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& file : files) {
        Entry entry;
        entry.path = file.absoluteFilePath();
        entry.example = examples;
        auto format = std::make_shared<Format>();
        FormatSettings settings;
        try {
            FormatFile::Load(entry.path, *format, settings);
            entry.title = TitleOf(*format, entry.path);
            entry.paper = PlenovaSettings::LoadFor(entry.path).settings.paper;
            entry.format = std::move(format);
        } catch (const PlenovaError& e) {
            entry.title = file.fileName();
            entry.problem = e.Message();
        }
        entries.push_back(std::move(entry));
    }
}
