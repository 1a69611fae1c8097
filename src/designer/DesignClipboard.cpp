#include "designer/DesignClipboard.h"

#include "designer/ControlTransfer.h"
#include "designer/DesignDocument.h"
#include "model/CControles.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>

DesignClipboard::DesignClipboard(DesignDocument& document, QObject* parent)
    : QObject(parent), m_document(document) {
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &DesignClipboard::pasteAvailabilityChanged);
}

std::vector<const CControles*> DesignClipboard::SelectedInDrawingOrder() const {
    std::vector<int> indexes = m_document.Selection();
    std::sort(indexes.begin(), indexes.end());
    std::vector<const CControles*> controls;
    controls.reserve(indexes.size());
    for (int i : indexes)
        controls.push_back(m_document.ControlAt(i));
    return controls;
}

QMimeData* DesignClipboard::MakeMimeData(const std::vector<const CControles*>& controls) {
    auto* data = new QMimeData;
    data->setData(ControlTransfer::MimeType(), ControlTransfer::Encode(controls));
    data->setText(ControlTransfer::Texts(controls));
    return data;
}

void DesignClipboard::Copy() {
    const std::vector<const CControles*> controls = SelectedInDrawingOrder();
    if (controls.empty())
        return;
    QGuiApplication::clipboard()->setMimeData(MakeMimeData(controls));
}

void DesignClipboard::Cut() {
    if (m_document.Selection().empty())
        return;
    Copy();
    m_document.DeleteSelected(QStringLiteral("Cortar"));
}

void DesignClipboard::Paste(std::optional<Point> topLeft) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(ControlTransfer::MimeType())) {
        Report(QStringLiteral("El portapapeles no contiene controles de Plenova."));
        return;
    }
    PasteBytes(data->data(ControlTransfer::MimeType()), topLeft, QStringLiteral("Pegar"));
}

void DesignClipboard::Duplicate() {
    const std::vector<const CControles*> controls = SelectedInDrawingOrder();
    if (controls.empty())
        return;
    PasteBytes(ControlTransfer::Encode(controls), std::nullopt, QStringLiteral("Duplicar"));
}

bool DesignClipboard::CanPaste() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasFormat(ControlTransfer::MimeType());
}

void DesignClipboard::PasteBytes(const QByteArray& bytes, std::optional<Point> topLeft,
                                 const QString& step) {
    ControlTransfer::Decoded decoded;
    try {
        decoded = ControlTransfer::Decode(bytes);
    } catch (const ControlTransfer::Refused& e) {
        Report(e.Message());
        return;
    }
    ControlTransfer::FitInto(m_document.GetFormat(), decoded.controls, topLeft);
    m_document.AddControls(std::move(decoded.controls), step);
    if (!decoded.warnings.isEmpty())
        Report(decoded.warnings.join(QLatin1Char(' ')));
}

void DesignClipboard::Report(const QString& message) const {
    if (m_report)
        m_report(message);
}
