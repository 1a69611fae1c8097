#include "designer/ControlTransfer.h"

#include "model/CControles.h"
#include "model/ControlFactory.h"
#include "model/ControlType.h"
#include "platform/Archive.h"
#include "platform/ArchiveException.h"
#include "platform/Saturate.h"

#include <QBuffer>
#include <QSet>

#include <algorithm>
#include <climits>
#include <new>

namespace {

// The record version this program writes, which every pasted record was written in.
constexpr int kRecordVersion = 2;

// How many earlier pastes lying where a new one would land it steps past, at most.
constexpr int kMostCascades = 1000;

ControlTransfer::Refused Refusal(const QString& why) {
    return ControlTransfer::Refused(
        QStringLiteral("No se pudo pegar: el portapapeles no contiene controles de Plenova "
                       "válidos (%1).")
            .arg(why));
}

QString Why(const ArchiveException& e) {
    switch (e.GetCause()) {
    case ArchiveException::Cause::EndOfFile:
        return QStringLiteral("los datos terminan antes de tiempo");
    case ArchiveException::Cause::BadFormat:
        return e.Detail().isEmpty() ? QStringLiteral("los datos están dañados")
                                    : QStringLiteral("los datos están dañados: %1").arg(e.Detail());
    case ArchiveException::Cause::ReadFailed:
    case ArchiveException::Cause::WriteFailed:
        break;
    }
    return QStringLiteral("no se pudieron leer");
}

bool ShowsNoText(const CControles& control) {
    const ControlTypeCode type = control.Type();
    return type == ControlTypeCode::Linea || type == ControlTypeCode::Rectangulo ||
           type == ControlTypeCode::Imagen;
}

} // namespace

QByteArray ControlTransfer::Encode(const std::vector<const CControles*>& controls) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Archive ar(buffer, Archive::Mode::Store);
    ar.WriteInt32(kMagic);
    ar.WriteInt32(kVersion);
    ar.WriteInt32(static_cast<std::int32_t>(controls.size()));
    for (const CControles* control : controls) {
        ar.WriteInt32(static_cast<std::int32_t>(control->Type()));
        control->WriteRecord(ar);
    }
    ar.Flush();
    return bytes;
}

QString ControlTransfer::Texts(const std::vector<const CControles*>& controls) {
    QStringList lines;
    for (const CControles* control : controls) {
        if (!ShowsNoText(*control))
            lines << QString(control->text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    return lines.join(QLatin1Char('\n'));
}

ControlTransfer::Decoded ControlTransfer::Decode(const QByteArray& bytes) {
    if (bytes.size() > kMostBytes)
        throw Refusal(QStringLiteral("son más de %1 MB").arg(kMostBytes / (1024 * 1024)));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    Decoded decoded;
    try {
        Archive ar(buffer, Archive::Mode::Load);
        if (ar.ReadInt32() != kMagic)
            throw Refusal(QStringLiteral("los datos no son de Plenova"));
        if (const std::int32_t version = ar.ReadInt32(); version != kVersion)
            throw Refusal(QStringLiteral("son de una versión %1 que esta no conoce").arg(version));
        const std::int32_t count = ar.ReadInt32();
        // Each control takes at least its type code: a count the bytes cannot hold is a lie.
        if (count < 0 || count > kMostControls || qint64{count} * 4 > ar.BytesLeft())
            throw Refusal(QStringLiteral("anuncian %1 controles").arg(count));
        for (std::int32_t i = 0; i < count; ++i) {
            const std::int32_t code = ar.ReadInt32();
            if (code < ControlType::kFirstCode || code > ControlType::kLastCode ||
                !ControlFactory::IsRegistered(static_cast<ControlTypeCode>(code)))
                throw Refusal(QStringLiteral("un control de tipo desconocido, %1").arg(code));
            std::unique_ptr<CControles> control =
                ControlFactory::Create(static_cast<ControlTypeCode>(code));
            control->recordVersion = kRecordVersion;
            control->Serialize(ar);
            decoded.controls.push_back(std::move(control));
        }
        if (ar.BytesLeft() != 0)
            throw Refusal(QStringLiteral("sobran datos después del último control"));
        decoded.warnings = ar.Warnings();
    } catch (const Refused&) {
        throw;
    } catch (const ArchiveException& e) {
        throw Refusal(Why(e));
    } catch (const PlenovaError& e) {
        throw Refusal(e.Message());
    } catch (const std::bad_alloc&) {
        throw Refusal(QStringLiteral("no hay memoria suficiente para leerlos"));
    }
    return decoded;
}

QString ControlTransfer::FreeName(const QString& name,
                                  const std::function<bool(const QString&)>& taken) {
    if (name.isEmpty() || !taken(name))
        return name;
    qsizetype digits = name.size();
    while (digits > 0 && name.at(digits - 1).isDigit())
        --digits;
    bool counted = false;
    const qlonglong number = digits < name.size() ? name.mid(digits).toLongLong(&counted) : 0;
    // Digits past any count are part of the name, and the counting starts after it.
    counted = counted && number < LLONG_MAX / 2;
    const QString stem = counted ? name.left(digits) : name;
    for (qlonglong next = counted ? number + 1 : 2;; ++next) {
        const QString candidate = stem + QString::number(next);
        if (!taken(candidate))
            return candidate;
    }
}

void ControlTransfer::FitInto(const Format& target, ControlList& pasted,
                              std::optional<Point> topLeft) {
    if (pasted.empty())
        return;
    QSet<QString> names;
    int highest = 0;
    for (const auto& control : target.controls) {
        if (!control->IsCaptureControl())
            continue;
        names.insert(control->text.toCaseFolded());
        highest = std::max(highest, control->captureOrder);
    }
    const auto taken = [&names](const QString& name) {
        return names.contains(name.toCaseFolded());
    };
    std::vector<CControles*> fields;
    for (const auto& control : pasted) {
        if (!control->IsCaptureControl())
            continue;
        control->text = FreeName(control->text, taken);
        names.insert(control->text.toCaseFolded());
        fields.push_back(control.get());
    }
    // The fields are captured after the target's own, in the order they were captured in.
    std::stable_sort(fields.begin(), fields.end(), [](const CControles* a, const CControles* b) {
        return a->captureOrder < b->captureOrder;
    });
    for (CControles* field : fields) {
        if (highest < INT_MAX)
            ++highest;
        field->captureOrder = highest;
    }

    std::int64_t left = INT64_MAX;
    std::int64_t upper = INT64_MIN;
    for (const auto& control : pasted) {
        const Rect r = control->pageRect.Normalized(); // bottom is the upper edge
        left = std::min<std::int64_t>(left, r.left);
        upper = std::max<std::int64_t>(upper, r.bottom);
    }
    std::int64_t dx = kPasteOffset;
    std::int64_t dy = -kPasteOffset;
    if (topLeft) {
        dx = topLeft->x - left;
        dy = topLeft->y - upper;
    } else {
        // Pasting again lands a further step on, rather than over the copy pasted before.
        const CControles& first = *pasted.front();
        const auto occupied = [&target, &first](std::int64_t x, std::int64_t y) {
            const PageRect there = first.pageRect.Offsetted(Saturate(x), Saturate(y));
            return std::any_of(target.controls.begin(), target.controls.end(),
                               [&first, &there](const auto& c) {
                                   return c->Type() == first.Type() && c->pageRect == there;
                               });
        };
        for (int k = 0; k < kMostCascades && occupied(dx, dy); ++k) {
            dx += kPasteOffset;
            dy -= kPasteOffset;
        }
    }
    for (const auto& control : pasted)
        control->MoveOnPage(Saturate(dx), Saturate(dy));
}
