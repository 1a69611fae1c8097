#include "capture_controls/CDateInput.h"

#include "capture_controls/AutomationDate.h"
#include "capture_controls/DateText.h"
#include "model/ControlType.h"
#include "platform/Archive.h"

#include <QDateEdit>

CDateInput::CDateInput() : CCaptureControl(kTypeDateInput) {}

std::unique_ptr<CDateInput> CDateInput::Create(int x, int y) {
    auto control = std::make_unique<CDateInput>();
    control->text = QStringLiteral("Fecha");
    control->pageRect = PageRect(x, y - control->font.height + 5, x + 400, y);
    control->UpdateHandles();
    return control;
}

void CDateInput::Serialize(Archive& ar) {
    SerializeBase(ar);
    ar.Exchange(dateLayout);
    if (ar.IsLoading())
        UpdateHandles();
}

QDateEdit* CDateInput::Picker() const {
    return static_cast<QDateEdit*>(m_widget.data());
}

void CDateInput::LoadValue(Archive& ar) {
    const std::int32_t status = ar.ReadInt32();
    const double dayNumber = ar.ReadDouble();
    if (!Picker() || status != AutomationDate::Valid)
        return;
    if (const std::optional<QDateTime> date = AutomationDate::ToDateTime(dayNumber))
        Picker()->setDateTime(*date);
}

void CDateInput::SaveValue(Archive& ar) {
    ar.WriteInt32(captureOrder);
    ar.WriteInt32(AutomationDate::Valid);
    const double dayNumber = Picker() ? AutomationDate::FromDateTime(Picker()->dateTime()) : 0.0;
    ar.WriteDouble(dayNumber);
}

int CDateInput::CreateCaptureWindow(DrawingSurface&, QWidget* parent, int firstId, const QFont*) {
    if (m_widget)
        return 0;
    // The picker keeps its own font; the entry font of the capture window is not applied.
    auto* picker = new QDateEdit(parent);
    picker->setCalendarPopup(true);
    picker->setMinimumDate(QDate(100, 1, 1));
    picker->setMaximumDate(QDate(9999, 12, 31));
    picker->setDateTime(QDateTime::currentDateTime());
    AdoptWidget(picker, firstId);
    return 1;
}

void CDateInput::UpdateHandles() {
    SetCaptureHandles(false);
}

void CDateInput::Draw(DrawingSurface& dc) {
    DrawNameLine(dc);
}

void CDateInput::DrawOnScreenLayout(DrawingSurface& dc, bool showOrder) {
    DrawScreenField(dc, showOrder);
}

void CDateInput::ClearValue() {
    if (Picker())
        Picker()->setDateTime(QDateTime::currentDateTime());
}

QString CDateInput::PrintedText() const {
    if (!Picker())
        return QString();
    const QString printed = DateText::Format(Picker()->dateTime(), dateLayout);
    return IsUpperCase() ? printed.toUpper() : printed;
}

void CDateInput::Print(DrawingSurface& dc) {
    if (!Picker())
        return;
    PrintLine(dc, PrintedText());
}

void CDateInput::DescribeOwnFields(ControlFields& fields) const {
    fields.emplace_back(QStringLiteral("dateLayout"), dateLayout);
}
