// The captured value lives in each capture control: before a capture starts a control keeps,
// prints and saves what it was given; once it has started, the value is what its entry would
// take.
#include "CaptureTestSupport.h"
#include "capture_model/CCuadrosVar.h"
#include "capture_model/CDateInput.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CParrafoVar.h"
#include "capture_model/CTextlineVar.h"
#include "platform/ArchiveException.h"
#include "platform/RecordingSurface.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

QStringList Printed(CControles& control) {
    RecordingSurface printer(MapMode::LoMetric);
    control.Print(printer);
    QStringList texts;
    for (const SurfaceCall& c : printer.Calls()) {
        if (c.op == QLatin1String("ExtTextOut") || c.op == QLatin1String("DrawText"))
            texts << c.text;
    }
    return texts;
}

// The value record a control writes, without its capture order.
QByteArray SavedValue(CControles& control) {
    return Store([&control](Archive& ar) { control.SaveValue(ar); }).mid(4);
}

QByteArray DateRecord(std::int32_t status, double dayNumber) {
    return Store([&](Archive& ar) {
        ar.WriteInt32(status);
        ar.WriteDouble(dayNumber);
    });
}

TEST(CapturedValueTest, BeforeACaptureAControlPrintsWhatItWasGiven) {
    auto line = CTextlineVar::Create(1000, -2000);
    line->SetValue(QStringLiteral("JUAN PEREZ"));
    RecordingSurface printer(MapMode::LoMetric);
    line->Print(printer);
    const auto printed = printer.CallsNamed(QStringLiteral("ExtTextOut"));
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].text, "JUAN PEREZ");
    EXPECT_EQ(printed[0].args, Args({1002, -2000, static_cast<int>(TextOutOption::Clipped), 1000,
                                     -2000, 1400, -1955}));
    line->ClearValue();
    EXPECT_TRUE(Printed(*line).isEmpty()) << "an emptied field prints nothing";

    auto paragraph = CParrafoVar::Create(1000, -2000);
    paragraph->SetValue(QStringLiteral("Calle 1\nColonia Centro"));
    EXPECT_EQ(Printed(*paragraph), QStringList({"Calle 1\nColonia Centro"}));

    // More characters than boxes: nothing cuts them; they run on past the last box, where the
    // clipping hides them.
    auto boxes = CCuadrosVar::Create(1000, -2000);
    boxes->SetBoxCount(3);
    boxes->SetValue(QStringLiteral("RFCX"));
    EXPECT_EQ(Printed(*boxes), QStringList({"R", "F", "C", "X"}));

    auto mark = CMarcaVar::Create(1000, -2000);
    mark->SetChecked(true);
    EXPECT_EQ(Printed(*mark), QStringList({"X"}));
    mark->SetChecked(false);
    EXPECT_TRUE(Printed(*mark).isEmpty());

    auto date = CDateInput::Create(1000, -2000);
    EXPECT_TRUE(date->IsEmpty());
    EXPECT_TRUE(Printed(*date).isEmpty());
    date->dateLayout = DateText::Layout::Abbreviated;
    date->SetDate(QDateTime(QDate(2003, 9, 5), QTime(18, 0)));
    EXPECT_EQ(Printed(*date), QStringList({"05/Sep/2003"}));
    date->SetDate(AutomationDate::Status::Valid, 0.0);
    EXPECT_EQ(Printed(*date), QStringList({"--/--/--"}));
    date->dateLayout = DateText::Layout::Numeric;
    EXPECT_EQ(Printed(*date), QStringList({"30/12/1899"}));
    // A date that is no calendar date prints nothing but is kept.
    date->SetDate(AutomationDate::Status::Null, 37869.0);
    EXPECT_TRUE(Printed(*date).isEmpty());
    EXPECT_EQ(date->Status(), AutomationDate::Status::Null);
    EXPECT_EQ(date->DayNumber(), 37869.0);
    date->SetDate(AutomationDate::Status::Valid, 1e12);
    EXPECT_TRUE(Printed(*date).isEmpty());
}

TEST(CapturedValueTest, BeforeACaptureLoadThenSaveKeepsTheBytes) {
    const auto roundTrip = [](CControles& control, const QByteArray& value) {
        EXPECT_EQ(Load(value, [&control](Archive& ar) { control.LoadValue(ar); }), 0);
        EXPECT_EQ(SavedValue(control), value);
    };
    const QByteArray text = Store([](Archive& ar) { ar.WriteString(QStringLiteral("Año 2003")); });

    CTextlineVar line;
    roundTrip(line, text);
    EXPECT_EQ(line.Value(), "Año 2003");
    CParrafoVar paragraph;
    roundTrip(paragraph, Store([](Archive& ar) { ar.WriteString(QStringLiteral("a\r\nb")); }));
    EXPECT_EQ(paragraph.Value(), "a\r\nb");
    CCuadrosVar boxes;
    roundTrip(boxes, Store([](Archive& ar) { ar.WriteString(QStringLiteral("ABCDEFGHIJ")); }));

    CMarcaVar mark;
    roundTrip(mark, QByteArray::fromHex("01000000"));
    EXPECT_TRUE(mark.IsChecked());
    roundTrip(mark, QByteArray::fromHex("00000000"));
    EXPECT_FALSE(mark.IsChecked());
    // Any other number marks the box too, and is written back as a plain 1.
    Load(QByteArray::fromHex("07000000"), [&mark](Archive& ar) { mark.LoadValue(ar); });
    EXPECT_EQ(SavedValue(mark), QByteArray::fromHex("01000000"));

    CDateInput date;
    EXPECT_EQ(SavedValue(date), DateRecord(0, 0.0)) << "an empty date saves status 0, day 0";
    for (const QByteArray& value :
         {DateRecord(0, 37869.75), DateRecord(0, 0.0), DateRecord(2, 37869.0), DateRecord(1, -3.5),
          DateRecord(0, 1e12), DateRecord(9, 12.0)})
        roundTrip(date, value);
    date.ClearValue();
    EXPECT_TRUE(date.IsEmpty());
    EXPECT_EQ(SavedValue(date), DateRecord(0, 0.0));

    // A value cut short by the end of the file is not taken.
    CTextlineVar cut;
    cut.SetValue(QStringLiteral("antes"));
    EXPECT_THROW(Load(text.left(4), [&cut](Archive& ar) { cut.LoadValue(ar); }), ArchiveException);
    EXPECT_EQ(cut.Value(), "antes");
}

TEST(CapturedValueTest, ACaptureHoldsWhatItsEntriesWouldShow) {
    // The same values set before and after the capture starts: after, each is what the field's
    // entry would take of it.
    auto line = CTextlineVar::Create(0, -100);
    line->ToggleUpperCase();
    line->SetValue(QStringLiteral("juan"));
    auto paragraph = CParrafoVar::Create(0, -100);
    paragraph->SetValue(QStringLiteral("a\r\nb"));
    auto boxes = CCuadrosVar::Create(0, -100);
    boxes->SetBoxCount(3);
    boxes->ToggleUpperCase();
    boxes->SetValue(QStringLiteral("rfcx"));
    auto date = CDateInput::Create(0, -100);
    date->SetDate(AutomationDate::Status::Null, 37869.0);
    for (CCaptureControl* field : std::initializer_list<CCaptureControl*>{
             line.get(), paragraph.get(), boxes.get(), date.get()})
        field->StartCapture();
    EXPECT_EQ(line->Value(), "JUAN");
    EXPECT_EQ(paragraph->Value(), "a\nb");
    EXPECT_EQ(boxes->Value(), "RFCX") << "a text given whole stays whole";
    boxes->TypeValue(QStringLiteral("abcde"));
    EXPECT_EQ(boxes->Value(), "ABCD") << "the keyboard stops at the longer text";
    EXPECT_EQ(date->Status(), AutomationDate::Status::Valid) << "a picker shows a date";
    EXPECT_EQ(date->Date()->date(), QDate::currentDate());

    // An emptied field prints nothing that shows, but it prints: the page gets what the field
    // shows.
    line->ClearValue();
    EXPECT_EQ(Printed(*line), QStringList({QString()}));
}

} // namespace
