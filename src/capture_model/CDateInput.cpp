#include "capture_model/CDateInput.h"

#include "model/ControlType.h"
#include "platform/Archive.h"

CDateInput::CDateInput() : CCaptureControl(ControlTypeCode::DateInput) {}

std::unique_ptr<CDateInput> CDateInput::Create(int x, int y) {
    auto control = std::make_unique<CDateInput>();
    control->text = QStringLiteral("Fecha");
    control->pageRect = PageRect(x, y - control->font.height + 5, x + 400, y);
    control->UpdateHandles();
    return control;
}

void CDateInput::WriteRecord(Archive& ar) const {
    WriteBase(ar);
    ar.WriteInt32(static_cast<std::int32_t>(dateLayout));
}

void CDateInput::ReadRecord(Archive& ar) {
    ReadBase(ar);
    dateLayout = static_cast<DateText::Layout>(ar.ReadInt32());
    UpdateHandles();
}

std::optional<QDateTime> CDateInput::Date() const {
    if (m_empty || m_status != AutomationDate::Status::Valid)
        return std::nullopt;
    return AutomationDate::ToDateTime(m_dayNumber);
}

void CDateInput::SetDate(AutomationDate::Status status, double dayNumber) {
    m_empty = false;
    m_status = status;
    m_dayNumber = dayNumber;
    if (!IsCapturing())
        return;
    const std::optional<QDateTime> date = Date();
    HoldShownDate(date ? *date : m_shown);
}

void CDateInput::SetDate(const QDateTime& date) {
    SetDate(AutomationDate::Status::Valid, AutomationDate::FromDateTime(date));
}

void CDateInput::PickDate(const QDate& date) {
    if (!IsCapturing()) {
        const std::optional<QDateTime> held = Date();
        SetDate(QDateTime(date, held ? held->time() : QTime(0, 0)));
        return;
    }
    HoldShownDate(QDateTime(date, m_shown.time()));
}

void CDateInput::HoldShownDate(const QDateTime& shown) {
    // The days the picker goes to: the first from midnight, the last to its final millisecond.
    if (shown.date() < FirstDate())
        m_shown = QDateTime(FirstDate(), QTime(0, 0));
    else if (shown.date() > LastDate())
        m_shown = QDateTime(LastDate(), QTime(23, 59, 59, 999));
    else
        m_shown = shown;
    m_empty = false;
    m_status = AutomationDate::Status::Valid;
    m_dayNumber = AutomationDate::FromDateTime(m_shown);
}

void CDateInput::LoadValue(Archive& ar) {
    const auto status = static_cast<AutomationDate::Status>(ar.ReadInt32());
    const double dayNumber = ar.ReadDouble();
    SetDate(status, dayNumber);
}

void CDateInput::SaveValue(Archive& ar) {
    ar.WriteInt32(captureOrder);
    ar.WriteInt32(static_cast<std::int32_t>(m_status));
    ar.WriteDouble(m_dayNumber);
}

void CDateInput::StartCapture() {
    CCaptureControl::StartCapture();
    const std::optional<QDateTime> date = Date();
    HoldShownDate(date ? *date : QDateTime::currentDateTime());
}

void CDateInput::UpdateHandles() {
    SetCaptureHandles(false);
}

void CDateInput::Draw(DrawingSurface& dc) const {
    DrawNameLine(dc);
}

void CDateInput::DrawOnScreenLayout(DrawingSurface& dc, bool showOrder) const {
    DrawScreenField(dc, showOrder);
}

void CDateInput::ClearValue() {
    m_empty = true;
    m_status = AutomationDate::Status::Valid;
    m_dayNumber = 0;
    // The picker cannot be empty: it goes back to today, which the field then holds.
    if (IsCapturing())
        HoldShownDate(QDateTime::currentDateTime());
}

QString CDateInput::PrintedText() const {
    const std::optional<QDateTime> date = Date();
    if (!date)
        return QString();
    const QString printed = DateText::Format(*date, dateLayout);
    return IsUpperCase() ? printed.toUpper() : printed;
}

void CDateInput::Print(DrawingSurface& dc) const {
    // Every layout writes something for a date, so an empty text means there is none.
    const QString printed = PrintedText();
    if (printed.isEmpty())
        return;
    PrintLine(dc, printed);
}

void CDateInput::DescribeOwnFields(ControlFields& fields) const {
    fields.emplace_back(QStringLiteral("dateLayout"), static_cast<int>(dateLayout));
}
