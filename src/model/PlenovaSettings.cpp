#include "model/PlenovaSettings.h"

#include "platform/InputFile.h"
#include "platform/PlenovaError.h"
#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonValue>
#include <QStringList>

namespace {

const QString kSuffix = QStringLiteral(".plenova");
const QString kOldBackdropSuffix = QStringLiteral(".fondo");

const QString kPaper = QStringLiteral("paper");
const QString kSize = QStringLiteral("size");
const QString kOrientation = QStringLiteral("orientation");
const QString kWidth = QStringLiteral("width");
const QString kHeight = QStringLiteral("height");
const QString kWording = QStringLiteral("wording");
const QString kBackdrop = QStringLiteral("backdrop");
const QString kPortrait = QStringLiteral("portrait");
const QString kLandscape = QStringLiteral("landscape");

QString NativeName(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Reads one file of a size bound into a JSON object; throws PlenovaError with why it cannot.
QJsonObject ReadObject(const QString& path, qint64 maxBytes) {
    InputFile input(path, maxBytes);
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(input.Device().readAll(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        throw PlenovaError(QStringLiteral("su contenido no es válido"));
    return document.object();
}

// Reads the paper record, leaving paper as it is where the record cannot be used.
void ReadPaper(const QJsonValue& value, Paper& paper, QStringList& problems) {
    if (value.isUndefined())
        return;
    if (!value.isObject()) {
        problems << QStringLiteral("el papel no es válido");
        return;
    }
    const QJsonObject json = value.toObject();
    const auto size = Paper::FromName(json.value(kSize).toString());
    if (!size) {
        problems << QStringLiteral("el tamaño del papel no es válido");
        return;
    }
    Paper read;
    read.size = *size;
    const QJsonValue orientation = json.value(kOrientation);
    if (orientation == kLandscape) {
        read.landscape = true;
    } else if (!orientation.isUndefined() && orientation != kPortrait) {
        problems << QStringLiteral("la orientación del papel no es válida");
        return;
    }
    if (read.size == Paper::Size::Custom) {
        const QJsonValue width = json.value(kWidth);
        const QJsonValue height = json.value(kHeight);
        const QSizeF custom(width.toDouble(-1), height.toDouble(-1));
        if (!width.isDouble() || !height.isDouble() || !Paper::ValidCustom(custom)) {
            problems << QStringLiteral("la medida del papel está fuera de rango");
            return;
        }
        read.custom = custom;
    }
    paper = read;
}

} // namespace

QString PlenovaSettings::PathFor(const QString& formatPath) {
    return formatPath + kSuffix;
}

QString PlenovaSettings::OldBackdropPathFor(const QString& formatPath) {
    return formatPath + kOldBackdropSuffix;
}

QString PlenovaSettings::WordingName(AmountWording wording) {
    return wording == AmountWording::Grammatical ? QStringLiteral("gramatical")
                                                 : QStringLiteral("tradicional");
}

std::optional<AmountWording> PlenovaSettings::WordingFromName(const QString& name) {
    if (name == QLatin1String("tradicional"))
        return AmountWording::Traditional;
    if (name == QLatin1String("gramatical"))
        return AmountWording::Grammatical;
    return std::nullopt;
}

PlenovaSettings PlenovaSettings::FromJson(const QByteArray& json, QString& problem) {
    PlenovaSettings settings;
    QStringList problems;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        problem = QStringLiteral("su contenido no es válido");
        return settings;
    }
    settings.m_read = document.object();
    ReadPaper(settings.m_read.value(kPaper), settings.paper, problems);
    const QJsonValue wording = settings.m_read.value(kWording);
    if (!wording.isUndefined()) {
        if (const auto read = WordingFromName(wording.toString()))
            settings.wording = *read;
        else
            problems << QStringLiteral("la redacción del importe con letra no es válida");
    }
    const QJsonValue backdrop = settings.m_read.value(kBackdrop);
    if (backdrop.isObject())
        settings.m_backdrop = backdrop.toObject();
    else if (!backdrop.isUndefined())
        problems << QStringLiteral("el fondo de referencia no es válido");
    problem = problems.join(QStringLiteral(", "));
    return settings;
}

PlenovaSettings::Loaded PlenovaSettings::LoadFor(const QString& formatPath) {
    Loaded loaded;
    const QString path = PathFor(formatPath);
    const auto damaged = [&path](const QString& why) {
        return QStringLiteral("La configuración de Plenova guardada en %1 no se puede usar del "
                              "todo (%2); se usan los valores predeterminados.")
            .arg(NativeName(path), why);
    };
    if (QFileInfo::exists(path)) {
        QString problem;
        try {
            InputFile input(path, kMaxFileBytes);
            loaded.settings = FromJson(input.Device().readAll(), problem);
        } catch (const PlenovaError& e) {
            problem = e.Message();
        }
        if (!problem.isEmpty())
            loaded.warning = damaged(problem);
        return loaded;
    }
    // A format whose backdrop was kept before the settings were gathered in one file: its
    // record is taken as it is, and moves into the new file at the next save.
    const QString old = OldBackdropPathFor(formatPath);
    if (!QFileInfo::exists(old))
        return loaded;
    try {
        loaded.settings.m_backdrop = ReadObject(old, kMaxFileBytes);
    } catch (const PlenovaError& e) {
        loaded.warning = QStringLiteral("El fondo de referencia guardado en %1 no se puede usar "
                                        "(%2); el formato se abre sin fondo.")
                             .arg(NativeName(old), e.Message());
    }
    return loaded;
}

QByteArray PlenovaSettings::ToJson() const {
    QJsonObject json = m_read;
    QJsonObject paperJson = json.value(kPaper).toObject();
    paperJson.insert(kSize, Paper::Name(paper.size));
    paperJson.insert(kOrientation, paper.landscape ? kLandscape : kPortrait);
    const QSizeF upright = paper.UprightMillimetres();
    paperJson.insert(kWidth, upright.width());
    paperJson.insert(kHeight, upright.height());
    json.insert(kPaper, paperJson);
    json.insert(kWording, WordingName(wording));
    if (m_backdrop.isEmpty())
        json.remove(kBackdrop);
    else
        json.insert(kBackdrop, m_backdrop);
    return QJsonDocument(json).toJson();
}

bool PlenovaSettings::IsDefault() const {
    return SameAs(PlenovaSettings());
}

bool PlenovaSettings::SameAs(const PlenovaSettings& other) const {
    return paper == other.paper && wording == other.wording && m_backdrop == other.m_backdrop;
}

void PlenovaSettings::SaveFor(const QString& formatPath) const {
    const QString path = PathFor(formatPath);
    const QString old = OldBackdropPathFor(formatPath);
    // Defaults need no file, unless one is there to be brought up to date, or an old backdrop
    // file that was removed with the backdrop must not come back.
    if (IsDefault() && m_read.isEmpty() && !QFileInfo::exists(path)) {
        if (QFileInfo::exists(old))
            QFile::remove(old);
        return;
    }
    SafeFile file(path);
    file.Open();
    file.write(ToJson());
    file.Commit();
    // Only now is the old backdrop's record safe in the new file. A file that will not go is
    // harmless: the new one is read first.
    if (QFileInfo::exists(old))
        QFile::remove(old);
}

QString PlenovaSettings::PictureNameFor(const QString& picturePath, const QString& formatPath) {
    const QDir folder = QFileInfo(formatPath).absoluteDir();
    const QString absolute = QFileInfo(picturePath).absoluteFilePath();
    const QString relative = folder.relativeFilePath(absolute);
    return relative.startsWith(QStringLiteral("../")) ? absolute : relative;
}

PlenovaSettings PlenovaSettings::MovedTo(const QString& fromFormat, const QString& toFormat) const {
    PlenovaSettings moved = *this;
    const QString stored = m_backdrop.value(QStringLiteral("picture")).toString();
    if (stored.isEmpty())
        return moved;
    const QString picture = QFileInfo(stored).isAbsolute()
                                ? stored
                                : QFileInfo(fromFormat).absoluteDir().filePath(stored);
    moved.m_backdrop.insert(QStringLiteral("picture"), PictureNameFor(picture, toFormat));
    return moved;
}
