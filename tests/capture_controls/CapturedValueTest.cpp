// The captured value lives in each capture control: without a capture screen a control keeps,
// prints and saves what it was given; with one, the entry widget and the value follow each other.
#include "CaptureTestSupport.h"
#include "capture_controls/CCaptureEdit.h"
#include "capture_model/CCuadrosVar.h"
#include "capture_model/CDateInput.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CParrafoVar.h"
#include "capture_model/CTextlineVar.h"
#include "platform/ArchiveException.h"
#include "platform/RecordingSurface.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QWidget>

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

TEST(CapturedValueTest, WithoutAnEntryWidgetAControlPrintsWhatItWasGiven) {
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

    // More characters than boxes: without an entry box nothing cuts them; they run on past the
    // last box, where the clipping hides them.
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

TEST(CapturedValueTest, WithoutAnEntryWidgetLoadThenSaveKeepsTheBytes) {
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

TEST(CapturedValueTest, EntryWidgetsAndValuesFollowEachOther) {
    auto screen = std::make_unique<QWidget>();
    RecordingSurface dc;

    // A text line: the box shows the value it is made with, typing changes the value at once,
    // and a value set later is shown; in a capitals-only field the value is what the box took.
    auto line = CTextlineVar::Create(0, -100);
    line->SetValue(QStringLiteral("Calle"));
    line->CreateCaptureWindow(dc, screen.get(), 1174, nullptr);
    EXPECT_EQ(line->Edit()->text(), "Calle");
    QTest::keyClicks(line->Edit(), QStringLiteral(" 5"));
    EXPECT_EQ(line->Value(), "Calle 5");
    line->SetValue(QStringLiteral("$1,234.50"));
    EXPECT_EQ(line->Edit()->text(), "$1,234.50");
    auto upper = CTextlineVar::Create(0, -100);
    upper->ToggleUpperCase();
    upper->CreateCaptureWindow(dc, screen.get(), 1175, nullptr);
    upper->SetValue(QStringLiteral("juan"));
    EXPECT_EQ(upper->Value(), "JUAN");

    auto paragraph = CParrafoVar::Create(0, -100);
    paragraph->CreateCaptureWindow(dc, screen.get(), 1176, nullptr);
    QTest::keyClicks(paragraph->Edit(), QStringLiteral("Centro"));
    EXPECT_EQ(paragraph->Value(), "Centro");
    paragraph->SetValue(QStringLiteral("Calle 1\nColonia"));
    EXPECT_EQ(paragraph->Edit()->toPlainText(), "Calle 1\nColonia");

    // A value set whole stays whole in the entry box, even past the boxes (only the keyboard
    // stops at the last box).
    auto boxes = CCuadrosVar::Create(0, -100);
    boxes->SetValue(QStringLiteral("ABCDEFGHIJ"));
    boxes->CreateCaptureWindow(dc, screen.get(), 1177, nullptr);
    EXPECT_EQ(boxes->Value(), "ABCDEFGHIJ");
    EXPECT_EQ(boxes->Edit()->text(), "ABCDEFGHIJ");
    boxes->SetValue(QStringLiteral("ABCDEFGHXYZ"));
    EXPECT_EQ(boxes->Edit()->text(), "ABCDEFGHXYZ");
    EXPECT_EQ(boxes->Value(), "ABCDEFGHXYZ");
    boxes->Edit()->clear();
    EXPECT_TRUE(boxes->Value().isEmpty());

    auto mark = CMarcaVar::Create(0, -100);
    mark->SetChecked(true);
    mark->CreateCaptureWindow(dc, screen.get(), 1178, nullptr);
    EXPECT_TRUE(mark->CheckBox()->isChecked());
    QTest::mouseClick(mark->CheckBox(), Qt::LeftButton);
    EXPECT_FALSE(mark->IsChecked());
    mark->SetChecked(true);
    EXPECT_TRUE(mark->CheckBox()->isChecked());

    // A date held before the picker is made is shown by it; an empty one becomes today.
    auto date = CDateInput::Create(0, -100);
    date->SetDate(QDateTime(QDate(2003, 9, 5), QTime(0, 0)));
    date->CreateCaptureWindow(dc, screen.get(), 1179, nullptr);
    EXPECT_EQ(date->Picker()->date(), QDate(2003, 9, 5));
    date->Picker()->setDate(QDate(2001, 1, 1));
    EXPECT_EQ(date->Date()->date(), QDate(2001, 1, 1));
    // The picker cannot show a null date: it keeps its own, and so does the field.
    date->SetDate(AutomationDate::Status::Null, 37869.0);
    EXPECT_EQ(date->Picker()->date(), QDate(2001, 1, 1));
    EXPECT_EQ(date->Status(), AutomationDate::Status::Valid);
    date->ClearValue();
    EXPECT_EQ(date->Date()->date(), QDate::currentDate());
    auto today = CDateInput::Create(0, -100);
    today->CreateCaptureWindow(dc, screen.get(), 1180, nullptr);
    EXPECT_FALSE(today->IsEmpty());
    EXPECT_EQ(today->Date()->date(), QDate::currentDate());

    // When the capture screen goes, the values stay with the controls and still print.
    screen.reset();
    EXPECT_EQ(line->EntryWidget(), nullptr);
    EXPECT_EQ(Printed(*line), QStringList({"$1,234.50"}));
    EXPECT_EQ(Printed(*mark), QStringList({"X"}));
    EXPECT_EQ(date->Date()->date(), QDate::currentDate());
}

} // namespace
