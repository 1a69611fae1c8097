#include "capture_model/CTextlineVar.h"

#include "capture_model/EntryRules.h"
#include "capture_model/ValueText.h"
#include "model/ControlType.h"
#include "platform/Archive.h"

#include <cmath>

CTextlineVar::CTextlineVar() : CCaptureControl(ControlTypeCode::TextlineVar) {}

std::unique_ptr<CTextlineVar> CTextlineVar::Create(int x, int y) {
    auto control = std::make_unique<CTextlineVar>();
    control->text = QStringLiteral("Linea de texto");
    control->pageRect = PageRect(x, y - control->font.height + 5, x + 400, y);
    control->UpdateHandles();
    return control;
}

void CTextlineVar::WriteRecord(Archive& ar) const {
    WriteBase(ar);
    ar.WriteString(expression);
    ar.WriteInt32(static_cast<std::int32_t>(dataType));
}

void CTextlineVar::ReadRecord(Archive& ar) {
    ReadBase(ar);
    expression = ar.ReadString();
    // Files of the first version carry no data type: a field with an expression computed a
    // number, any other held text.
    if (recordVersion == 2)
        dataType = static_cast<DataTypeCode>(ar.ReadInt32());
    else
        dataType = expression.isEmpty() ? DataTypeCode::Texto : DataTypeCode::NumeroCalculado;
    UpdateHandles();
    SetValueCopy(QString(), 0);
}

bool CTextlineVar::TakesNumbers() const {
    return dataType != DataTypeCode::Texto && !expression.startsWith(QLatin1Char('$'));
}

bool CTextlineVar::IsUnreadNumber(const QLocale& locale) const {
    if (!TakesNumbers())
        return false;
    // A computed division by zero says so in words and is no typed text.
    if (!std::isfinite(m_copyNumber) && m_value == m_copyText)
        return false;
    return !ValueText::Reads(m_value, dataType, locale);
}

void CTextlineVar::SetValue(const QString& value) {
    m_value =
        IsCapturing() ? EntryRules::Line(value, EntryRules::kLongestLine, IsUpperCase()) : value;
}

void CTextlineVar::SetValueCopy(const QString& text, double number) {
    m_copyText = text;
    m_copyNumber = number;
}

void CTextlineVar::LoadValue(Archive& ar) {
    SetValue(ar.ReadString());
}

void CTextlineVar::SaveValue(Archive& ar) {
    ar.WriteInt32(captureOrder);
    ar.WriteString(m_value);
}

void CTextlineVar::StartCapture() {
    CCaptureControl::StartCapture();
    SetValue(m_value);
}

void CTextlineVar::UpdateHandles() {
    SetCaptureHandles(false);
}

void CTextlineVar::Draw(DrawingSurface& dc) const {
    DrawNameLine(dc);
}

void CTextlineVar::DrawOnScreenLayout(DrawingSurface& dc, bool showOrder) const {
    DrawScreenField(dc, showOrder);
}

void CTextlineVar::ClearValue() {
    m_value.clear();
    SetValueCopy(QString(), 0);
}

void CTextlineVar::Print(DrawingSurface& dc) const {
    if (!PrintsText(m_value))
        return;
    PrintLine(dc, m_value);
}

void CTextlineVar::DescribeOwnFields(ControlFields& fields) const {
    fields.emplace_back(QStringLiteral("expression"), expression);
    fields.emplace_back(QStringLiteral("dataType"), static_cast<int>(dataType));
}
