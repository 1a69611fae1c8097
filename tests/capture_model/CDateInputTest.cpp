#include "capture_model/CDateInput.h"
#include "CaptureTestSupport.h"
#include "capture_model/AutomationDate.h"
#include "capture_model/DateText.h"
#include "platform/RecordingSurface.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

namespace {

QByteArray DateValue(std::int32_t status, double dayNumber) {
    return Store([&](Archive& ar) {
        ar.WriteInt32(status);
        const std::uint64_t bits = qToLittleEndian(std::bit_cast<std::uint64_t>(dayNumber));
        ar.WriteRaw(reinterpret_cast<const char*>(&bits), 8);
    });
}

const QDateTime kFifthSeptember(QDate(2003, 9, 5), QTime(0, 0));

TEST(DateTextTest, ThreeLayouts) {
    EXPECT_EQ(DateText::Format(kFifthSeptember, DateText::Layout::Numeric), "5/9/2003");
    EXPECT_EQ(DateText::Format(kFifthSeptember, DateText::Layout::Abbreviated), "05/Sep/2003");
    EXPECT_EQ(DateText::Format(kFifthSeptember, DateText::Layout::FullMonth), "5/Septiembre/2003");
    EXPECT_EQ(DateText::Format(kFifthSeptember, static_cast<DateText::Layout>(5)), "05/Sep/2003");
    EXPECT_EQ(DateText::Format(kFifthSeptember, static_cast<DateText::Layout>(-1)), "05/Sep/2003");
    const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0));
    EXPECT_EQ(DateText::Format(epoch, DateText::Layout::Numeric), "30/12/1899");
    EXPECT_EQ(DateText::Format(epoch, DateText::Layout::Abbreviated), "--/--/--");
    EXPECT_EQ(
        DateText::Format(QDateTime(QDate(1900, 12, 31), QTime()), DateText::Layout::Abbreviated),
        "--/--/--");
    EXPECT_EQ(
        DateText::Format(QDateTime(QDate(1901, 1, 1), QTime()), DateText::Layout::Abbreviated),
        "01/Ene/1901");
    EXPECT_EQ(
        DateText::Format(QDateTime(QDate(2024, 12, 25), QTime()), DateText::Layout::FullMonth),
        "25/Diciembre/2024");
}

TEST(DateTextTest, MonthsAndTheCommonDateText) {
    const QStringList abbreviations = {"Ene", "Feb", "Mar", "Abr", "May", "Jun",
                                       "Jul", "Ago", "Sep", "Oct", "Nov", "Dic"};
    const QStringList names = {"Enero",      "Febrero", "Marzo",     "Abril",
                               "Mayo",       "Junio",   "Julio",     "Agosto",
                               "Septiembre", "Octubre", "Noviembre", "Diciembre"};
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(DateText::MonthAbbreviation(m), abbreviations[m - 1]);
        EXPECT_EQ(DateText::MonthName(m), names[m - 1]);
    }
    EXPECT_EQ(DateText::MonthName(0), "zero");
    EXPECT_EQ(DateText::MonthName(13), "zero");

    const QDateTime morning(QDate(2003, 9, 5), QTime(9, 5, 7));
    EXPECT_EQ(DateText::FormatDate(morning, true, false), "09:05");
    EXPECT_EQ(DateText::FormatDate(morning, false, true), "05/Sep/2003 09:05:07");
    EXPECT_EQ(DateText::FormatDate(morning, false, false), "05/Sep/2003");
    EXPECT_EQ(DateText::ZeroFilled(123, 2), "123");
}

TEST(AutomationDateTest, DayNumbers) {
    EXPECT_EQ(AutomationDate::FromDateTime(kFifthSeptember), 37869.0);
    EXPECT_EQ(AutomationDate::FromDateTime(QDateTime(QDate(1900, 1, 1), QTime())), 2.0);
    EXPECT_EQ(AutomationDate::FromDateTime(QDateTime(QDate(2003, 9, 5), QTime(18, 0))), 37869.75);
    // Before the epoch the days count back and the time of day forward.
    const QDateTime before(QDate(1899, 12, 29), QTime(6, 0));
    EXPECT_EQ(AutomationDate::FromDateTime(before), -1.25);
    EXPECT_EQ(AutomationDate::ToDateTime(-1.25), before);
    EXPECT_EQ(AutomationDate::ToDateTime(37869.75), QDateTime(QDate(2003, 9, 5), QTime(18, 0)));
    EXPECT_EQ(AutomationDate::ToDateTime(0.0), QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
    EXPECT_EQ(AutomationDate::ToDateTime(0.99999999999)->date(), QDate(1899, 12, 31));

    EXPECT_FALSE(AutomationDate::ToDateTime(std::nan("")));
    EXPECT_FALSE(AutomationDate::ToDateTime(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(AutomationDate::ToDateTime(1e300));
    EXPECT_FALSE(AutomationDate::ToDateTime(-657435.0));
    EXPECT_EQ(AutomationDate::ToDateTime(-657434.0)->date(), QDate(100, 1, 1));
    EXPECT_EQ(AutomationDate::ToDateTime(2958465.5)->date(), QDate(9999, 12, 31));
}

TEST(DateInputTest, NewDateField) {
    auto date = CDateInput::Create(1000, -2000);
    EXPECT_EQ(date->Type(), ControlTypeCode::DateInput);
    EXPECT_EQ(date->text, "Fecha");
    EXPECT_EQ(date->dateLayout, DateText::Layout::Numeric);
    EXPECT_EQ(date->pageRect, Rect(1000, -1955, 1400, -2000));
    EXPECT_EQ(HandleCount(*date), 2);
}

TEST(DateInputTest, ACaptureAlwaysHoldsADateWithinThePickersDays) {
    auto date = CDateInput::Create(0, -100);
    EXPECT_TRUE(date->IsEmpty());
    date->StartCapture();
    EXPECT_FALSE(date->IsEmpty());
    EXPECT_EQ(date->Date()->date(), QDate::currentDate());

    // A picked day keeps the time of day held.
    date->SetDate(QDateTime(QDate(2001, 1, 1), QTime(9, 30, 15, 250)));
    date->PickDate(QDate(2003, 9, 5));
    EXPECT_EQ(*date->Date(), QDateTime(QDate(2003, 9, 5), QTime(9, 30, 15, 250)));
    // Days before the first or after the last become the nearest.
    date->PickDate(QDate(99, 12, 31));
    EXPECT_EQ(*date->Date(), QDateTime(CDateInput::FirstDate(), QTime(0, 0)));
    date->SetDate(QDateTime(QDate(10000, 1, 1), QTime(8, 0)));
    EXPECT_EQ(*date->Date(), QDateTime(CDateInput::FirstDate(), QTime(0, 0)))
        << "a day the file's type cannot hold leaves the date as it was";
    date->PickDate(QDate(10000, 1, 1));
    EXPECT_EQ(*date->Date(), QDateTime(CDateInput::LastDate(), QTime(23, 59, 59, 999)));

    date->ClearValue();
    EXPECT_FALSE(date->IsEmpty());
    EXPECT_EQ(date->Date()->date(), QDate::currentDate());
}

TEST(DateInputTest, DateThroughTheArchive) {
    auto date = CDateInput::Create(0, -100);
    date->captureOrder = 7;
    EXPECT_EQ(Store([&](Archive& ar) { date->SaveValue(ar); }),
              QByteArray::fromHex("07000000") + DateValue(0, 0.0));

    date->StartCapture();
    date->PickDate(QDate(2003, 9, 5));
    const QByteArray saved = Store([&](Archive& ar) { date->SaveValue(ar); });
    ASSERT_EQ(saved.size(), 16);
    double dayNumber = 0;
    const std::uint64_t bits = qFromLittleEndian<std::uint64_t>(saved.constData() + 8);
    dayNumber = std::bit_cast<double>(bits);
    EXPECT_EQ(std::floor(dayNumber), 37869.0);

    // Status 0 and day 0: the epoch, which the abbreviated layout cannot show.
    EXPECT_EQ(Load(DateValue(0, 0.0), [&](Archive& ar) { date->LoadValue(ar); }), 0);
    EXPECT_EQ(date->Date()->date(), QDate(1899, 12, 30));
    date->dateLayout = DateText::Layout::Abbreviated;
    EXPECT_EQ(date->PrintedText(), "--/--/--");
    date->dateLayout = DateText::Layout::Numeric;
    EXPECT_EQ(date->PrintedText(), "30/12/1899");

    // An invalid or null status, or a day the type cannot hold, leaves the date alone, and the
    // field holds it as a valid one.
    for (const QByteArray& ignored : {DateValue(1, 37869.0), DateValue(2, 37869.0),
                                      DateValue(0, std::nan("")), DateValue(0, 1e12)}) {
        EXPECT_EQ(Load(ignored, [&](Archive& ar) { date->LoadValue(ar); }), 0);
        EXPECT_EQ(date->Date()->date(), QDate(1899, 12, 30));
        EXPECT_EQ(date->Status(), AutomationDate::Status::Valid);
    }
    Load(saved.mid(4), [&](Archive& ar) { date->LoadValue(ar); });
    EXPECT_EQ(date->Date()->date(), QDate(2003, 9, 5));
}

TEST(DateInputTest, PrintsTheLayoutInCapitalsWhenAsked) {
    auto date = CDateInput::Create(1000, -2000);
    date->dateLayout = DateText::Layout::FullMonth;
    date->alignment = 6;
    RecordingSurface printer(MapMode::LoMetric);
    date->Print(printer);
    EXPECT_TRUE(printer.Calls().empty());

    date->StartCapture();
    date->PickDate(QDate(2003, 9, 5));
    date->ToggleUpperCase();
    date->Print(printer);
    const auto printed = printer.CallsNamed(QStringLiteral("ExtTextOut"));
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].text, "5/SEPTIEMBRE/2003");
    EXPECT_EQ(printed[0].args, Args({1200, -2000, static_cast<int>(TextOutOption::Clipped), 1000,
                                     -2000, 1400, -1955}));
    EXPECT_EQ(printed[0].textAlign, TextAlign::Center | TextAlign::Bottom);
}

TEST(DateInputTest, RecordKeepsTheLayout) {
    auto date = CDateInput::Create(0, -100);
    date->dateLayout = DateText::Layout::FullMonth;
    CDateInput copy;
    RoundTrip(*date, copy);
    EXPECT_EQ(copy.dateLayout, DateText::Layout::FullMonth);
    EXPECT_EQ(copy.handles, date->handles);
    // A layout outside the list is kept as written.
    date->dateLayout = static_cast<DateText::Layout>(-7);
    RoundTrip(*date, copy);
    EXPECT_EQ(static_cast<int>(copy.dateLayout), -7);

    RecordingSurface view(MapMode::LoMetric);
    date->Draw(view);
    ASSERT_EQ(view.CallsNamed(QStringLiteral("ExtTextOut")).size(), 1u);
    EXPECT_EQ(view.CallsNamed(QStringLiteral("ExtTextOut"))[0].text, "Fecha");
}

} // namespace
