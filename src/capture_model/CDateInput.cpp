#include "capture_model/CDateInput.h"

#include "model/ControlType.h"
#include "platform/Archive.h"

#include <QDateEdit>
#include <QLocale>

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

QDateEdit* CDateInput::Picker() const {
    return static_cast<QDateEdit*>(m_widget.data());
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
    if (!Picker())
        return;
    if (const std::optional<QDateTime> date = Date())
        Picker()->setDateTime(*date);
    HoldShownDate(Picker()->dateTime());
}

void CDateInput::SetDate(const QDateTime& date) {
    SetDate(AutomationDate::Status::Valid, AutomationDate::FromDateTime(date));
}

void CDateInput::HoldShownDate(const QDateTime& shown) {
    m_empty = false;
    m_status = AutomationDate::Status::Valid;
    m_dayNumber = AutomationDate::FromDateTime(shown);
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

int CDateInput::CreateCaptureWindow(DrawingSurface&, QWidget* parent, int firstId, const QFont*) {
    if (m_widget)
        return 0;
    // The picker keeps its own font; the entry font of the capture window is not applied.
    auto* picker = new QDateEdit(parent);
    picker->setCalendarPopup(true);
    // The locale's short date, with the year in full: on a cheque or an invoice "26" is not a
    // year anybody should have to guess.
    QString shortDate = picker->locale().dateFormat(QLocale::ShortFormat);
    if (!shortDate.contains(QLatin1String("yyyy")))
        shortDate.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    picker->setDisplayFormat(shortDate);
    picker->setMinimumDate(QDate(100, 1, 1));
    picker->setMaximumDate(QDate(9999, 12, 31));
    // A new picker shows today unless the field already holds a date.
    picker->setDateTime(QDateTime::currentDateTime());
    if (const std::optional<QDateTime> date = Date())
        picker->setDateTime(*date);
    HoldShownDate(picker->dateTime());
    BindValue(QObject::connect(picker, &QDateTimeEdit::dateTimeChanged, picker,
                               [this, picker] { HoldShownDate(picker->dateTime()); }));
    AdoptWidget(picker, firstId);
    return 1;
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
    if (Picker()) {
        Picker()->setDateTime(QDateTime::currentDateTime());
        HoldShownDate(Picker()->dateTime());
    }
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
