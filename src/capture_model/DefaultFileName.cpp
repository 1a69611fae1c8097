#include "capture_model/DefaultFileName.h"

#include "capture_model/CCuadrosVar.h"
#include "capture_model/CParrafoVar.h"
#include "capture_model/CTextlineVar.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace {

// The text the user typed into a field, or nothing for a field whose value is not a typed
// text (a mark, a date, a table) or is calculated.
QString TypedText(const CControles& control) {
    if (const auto* line = dynamic_cast<const CTextlineVar*>(&control))
        return line->IsCalculated() ? QString() : line->Value();
    if (const auto* paragraph = dynamic_cast<const CParrafoVar*>(&control))
        return paragraph->Value();
    if (const auto* boxes = dynamic_cast<const CCuadrosVar*>(&control))
        return boxes->Value();
    return QString();
}

QString Beside(const QString& formatPath, const QString& name, const QString& suffix) {
    const QString file = name + QLatin1Char('.') + suffix;
    if (formatPath.isEmpty())
        return file;
    return QFileInfo(formatPath).dir().filePath(file);
}

QString FormatBaseName(const QString& formatPath) {
    const QString base = QFileInfo(formatPath).completeBaseName();
    return base.isEmpty() ? QStringLiteral("captura") : base;
}

} // namespace

QString DefaultFileName::Cleaned(const QString& text) {
    static const QString kRefused = QStringLiteral("/\\:*?\"<>|");
    QString cleaned;
    cleaned.reserve(text.size());
    for (const QChar c : text) {
        if (c.isSpace())
            cleaned += QLatin1Char(' ');
        else if (c.category() == QChar::Other_Control || kRefused.contains(c))
            cleaned += QLatin1Char('-');
        else
            cleaned += c;
    }
    return cleaned.simplified().left(kMostValueCharacters).trimmed();
}

QString DefaultFileName::Folio(const ControlList& controls) {
    std::vector<const CControles*> fields;
    for (const auto& control : controls) {
        if (!control->IsCaptureControl())
            continue;
        if (control->text.trimmed().compare(QLatin1String("FOLIO"), Qt::CaseInsensitive) == 0) {
            const QString folio = Cleaned(TypedText(*control));
            if (!folio.isEmpty())
                return folio;
        }
        fields.push_back(control.get());
    }
    // Fields that share a capture order keep the order of the list, as the keyboard finds them.
    std::stable_sort(fields.begin(), fields.end(), [](const CControles* a, const CControles* b) {
        return a->captureOrder < b->captureOrder;
    });
    for (const CControles* field : fields) {
        const QString value = Cleaned(TypedText(*field));
        if (!value.isEmpty())
            return value;
    }
    return QString();
}

QString DefaultFileName::ForValues(const QString& formatPath, const ControlList& controls,
                                   const QString& suffix) {
    const QString folio = Folio(controls);
    const QString base = FormatBaseName(formatPath);
    return Beside(formatPath, folio.isEmpty() ? base : base + QLatin1Char('-') + folio, suffix);
}

QString DefaultFileName::ForJob(const QString& formatPath, const QString& job,
                                const QString& suffix) {
    return Beside(formatPath, FormatBaseName(formatPath) + QLatin1Char('-') + Cleaned(job), suffix);
}
