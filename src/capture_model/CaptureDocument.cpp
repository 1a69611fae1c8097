#include "capture_model/CaptureDocument.h"

#include "capture_model/CCuadrosVar.h"
#include "capture_model/CDateInput.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CParrafoVar.h"
#include "capture_model/CTableData.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/CaptureFile.h"
#include "capture_model/CaptureFileError.h"
#include "capture_model/EntryRules.h"
#include "model/FormatFile.h"
#include "platform/Archive.h"
#include "platform/Saturate.h"

#include <QBuffer>
#include <QLocale>

#include <utility>

CaptureDocument::CaptureDocument(QObject* parent) : QObject(parent) {}

// The calculation reads the controls: it goes first.
CaptureDocument::~CaptureDocument() {
    m_calculation.reset();
}

QStringList CaptureDocument::OpenFormat(const QString& path) {
    Format loaded;
    FormatSettings settings = m_settings;
    QStringList warnings = FormatFile::Load(path, loaded, settings);
    PlenovaSettings::Loaded beside = PlenovaSettings::LoadFor(path);
    if (!beside.warning.isEmpty())
        warnings << beside.warning;
    Start(std::move(loaded), settings, std::move(beside.settings), path);
    return warnings;
}

QStringList CaptureDocument::OpenFormat(const QByteArray& formatBytes, const PlenovaSettings& own,
                                        const QString& path) {
    Format loaded;
    FormatSettings settings = m_settings;
    const QStringList warnings = FormatFile::ReadBytes(formatBytes, loaded, settings);
    Start(std::move(loaded), settings, own, path);
    return warnings;
}

void CaptureDocument::Start(Format loaded, const FormatSettings& settings, PlenovaSettings own,
                            const QString& path) {
    m_own = std::move(own);
    m_calculation.reset();
    m_format = std::move(loaded);
    m_settings = settings;
    m_formatPath = path;
    m_formatName = CaptureFile::FormatNameOf(path);
    m_capturedDataPath.clear();
    for (const auto& control : m_format.controls) {
        if (!control->IsCaptureControl())
            continue;
        if (auto* table = dynamic_cast<CFmtGrid*>(control.get()))
            table->UseSettings(m_settings);
        if (auto* field = dynamic_cast<CCaptureControl*>(control.get()))
            field->StartCapture();
    }
    m_calculation = std::make_unique<CalculatedFields>(m_format.controls, m_settings, QLocale());
    m_calculation->SetWording(m_own.wording);
    m_calculation->SetValueShownHandler([this](CTextlineVar& field) { emit fieldChanged(&field); });
    m_saved.Keep(m_format.controls);
    emit formatOpened();
}

void CaptureDocument::FillWithNames() {
    for (const auto& control : m_format.controls) {
        if (auto* line = dynamic_cast<CTextlineVar*>(control.get())) {
            line->SetValue(line->text);
        } else if (auto* paragraph = dynamic_cast<CParrafoVar*>(control.get())) {
            paragraph->SetValue(paragraph->text);
        } else if (auto* boxes = dynamic_cast<CCuadrosVar*>(control.get())) {
            boxes->SetValue(boxes->text);
        } else if (auto* mark = dynamic_cast<CMarcaVar*>(control.get())) {
            mark->SetChecked(true);
        } else if (auto* table = dynamic_cast<CFmtGrid*>(control.get())) {
            table->Cells().ClearAll();
            for (int column = 1; column <= table->ColumnCount(); ++column)
                table->Cells().SetCell(
                    column, 1, table->Columns()[static_cast<std::size_t>(column - 1)].title, true);
        }
    }
    m_saved.Keep(m_format.controls);
    emit valuesLoaded();
}

CCaptureControl* CaptureDocument::FindField(const QString& name) const {
    for (const auto& control : m_format.controls) {
        if (control->IsCaptureControl() && control->text.compare(name, Qt::CaseInsensitive) == 0)
            return dynamic_cast<CCaptureControl*>(control.get());
    }
    return nullptr;
}

void CaptureDocument::TypeText(CCaptureControl& field, const QString& text) {
    if (auto* line = dynamic_cast<CTextlineVar*>(&field)) {
        const QString before = line->Value();
        line->SetValue(text);
        if (line->Value() != before)
            emit fieldChanged(&field);
    } else if (auto* paragraph = dynamic_cast<CParrafoVar*>(&field)) {
        const QString before = paragraph->Value();
        paragraph->TypeValue(text);
        if (paragraph->Value() != before)
            emit fieldChanged(&field);
    } else if (auto* boxes = dynamic_cast<CCuadrosVar*>(&field)) {
        const QString before = boxes->Value();
        boxes->TypeValue(text);
        if (boxes->Value() != before)
            emit fieldChanged(&field);
    }
}

void CaptureDocument::EditText(CCaptureControl& field, const QString& text) {
    // Only a paragraph's box leaves small letters it already held: what else a box shows is
    // what typing over it gives.
    auto* paragraph = dynamic_cast<CParrafoVar*>(&field);
    if (!paragraph) {
        TypeText(field, text);
        return;
    }
    const QString before = paragraph->Value();
    paragraph->SetValue(text);
    if (paragraph->Value() != before)
        emit fieldChanged(&field);
}

void CaptureDocument::LeaveField(CCaptureControl& field) {
    if (auto* boxes = dynamic_cast<CCuadrosVar*>(&field)) {
        boxes->Leave();
        return;
    }
    // Fields that share a capture order share an identifier: the first of them answers, as it
    // does for the calculation.
    if (dynamic_cast<CTextlineVar*>(&field) && m_calculation)
        m_calculation->Recalculate(CalculatedFields::Identifier(field));
}

void CaptureDocument::SetChecked(CMarcaVar& mark, bool checked) {
    if (mark.IsChecked() == checked)
        return;
    mark.SetChecked(checked);
    emit fieldChanged(&mark);
}

bool CaptureDocument::PickDate(CDateInput& field, const QDate& date) {
    if (!date.isValid() || date < CDateInput::FirstDate() || date > CDateInput::LastDate())
        return false;
    const double before = field.DayNumber();
    field.PickDate(date);
    if (field.DayNumber() != before)
        emit fieldChanged(&field);
    return true;
}

bool CaptureDocument::ConfirmCell(CFmtGrid& table, int column, int row, const QString& text) {
    if (column < 1 || column > table.Cells().ColumnCount() || row < 1 ||
        row > table.Cells().RowCount() || table.IsColumnReadOnly(column))
        return false;
    // The cell's editor is a one-line box of the usual limit.
    table.Cells().SetCell(column, row, EntryRules::Line(text, EntryRules::kLongestLine, false),
                          false);
    if (m_calculation)
        m_calculation->RecalculateTableTotals(table);
    emit cellsChanged(&table);
    return true;
}

void CaptureDocument::DeleteRows(CFmtGrid& table, int firstRow, int lastRow) {
    // Deleting the first of the range once for each of its rows moves the rows after it up by
    // the whole range.
    for (int row = firstRow; row <= lastRow; ++row)
        table.Cells().DeleteRow(firstRow);
    if (m_calculation)
        m_calculation->RecalculateTableTotals(table);
    emit cellsChanged(&table);
}

void CaptureDocument::ClearValues() {
    for (const auto& control : m_format.controls)
        control->ClearValue();
    m_saved.Keep(m_format.controls);
    emit valuesCleared();
}

void CaptureDocument::SaveCapturedData(const QString& path) {
    m_capturedDataPath = path;
    CaptureFile::Save(path, m_formatName, m_format.controls);
    m_saved.Keep(m_format.controls);
}

void CaptureDocument::LoadCapturedData(const QString& path) {
    try {
        CaptureFile::Load(path, m_formatName, m_format.controls, QLocale());
    } catch (const CaptureFileError& e) {
        // A damaged file was still written for this format: it stays the one a later save
        // overwrites.
        if (e.GetCause() == CaptureFileError::Cause::Damaged)
            m_capturedDataPath = path;
        throw;
    }
    m_capturedDataPath = path;
    m_saved.Keep(m_format.controls);
    emit valuesLoaded();
}

QByteArray CaptureDocument::CapturedDataBytes() const {
    return CaptureFile::Bytes(m_formatName, m_format.controls);
}

void CaptureDocument::RecoverValues(const QByteArray& bytes, const QString& capturedDataPath,
                                    const QString& source) {
    CaptureFile::LoadBytes(bytes, source, m_formatName, m_format.controls, QLocale());
    // The values kept stay those of the file (or of the empty format): what came back is
    // unsaved.
    m_capturedDataPath = capturedDataPath;
    emit valuesLoaded();
}

std::vector<UnreadNumbers::Place> CaptureDocument::FindUnreadNumbers() const {
    return UnreadNumbers::Find(m_format.controls);
}

QStringList CaptureDocument::SaveFormat() {
    return FormatFile::Save(m_formatPath, m_format, m_settings);
}

QStringList CaptureDocument::BuildOffsetsIntoFormat(int facX, int facY) {
    // Printing subtracts the offsets from where each point lands: the controls move the other
    // way on the page, so that they print without the offsets where they printed with them.
    std::vector<PageRect> before;
    before.reserve(m_format.controls.size());
    for (const auto& control : m_format.controls) {
        before.push_back(control->pageRect);
        control->MoveOnPage(Saturate(-std::int64_t{facX}), facY);
    }
    try {
        return SaveFormat();
    } catch (...) {
        // The offsets stay in the settings, so the controls must stay where the file has them:
        // otherwise the next printout would be shifted twice.
        for (std::size_t i = 0; i < m_format.controls.size(); ++i) {
            m_format.controls[i]->pageRect = before[i];
            m_format.controls[i]->UpdateHandles();
        }
        throw;
    }
}

bool CaptureDocument::Print(QPagedPaintDevice& printer, FormatPrinter::Offsets offsets) const {
    return FormatPrinter::PrintToPrinter(printer, m_format.controls, offsets);
}

QImage CaptureDocument::PrintToImage(QSizeF paperMillimetres, int dpi,
                                     FormatPrinter::Offsets offsets) const {
    return FormatPrinter::PrintToImage(m_format.controls, paperMillimetres, dpi, offsets);
}
