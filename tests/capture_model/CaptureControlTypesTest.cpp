#include "capture_model/CaptureControlTypes.h"
#include "CaptureSampleFormat.h"
#include "CaptureTestSupport.h"
#include "capture_model/CCuadrosVar.h"
#include "capture_model/CDateInput.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CParrafoVar.h"
#include "capture_model/CTextlineVar.h"
#include "common/ArchiveBytes.h"
#include "model/CConsText.h"
#include "model/ControlFactory.h"
#include "model/FormatError.h"
#include "model/FormatFile.h"
#include "platform/ArchiveException.h"
#include "platform/PainterSurface.h"
#include "platform/RecordingSurface.h"

#include <QImage>
#include <QPainter>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

TEST(CaptureControlTypesTest, FactoryMakesEveryCaptureControl) {
    CaptureControlTypes::RegisterAll();
    const std::pair<ControlTypeCode, const char*> expected[] = {
        {ControlTypeCode::TextlineVar, "CTextlineVar"},
        {ControlTypeCode::ParrafoVar, "CParrafoVar"},
        {ControlTypeCode::CuadrosVar, "CCuadrosVar"},
        {ControlTypeCode::MarcaVar, "CMarcaVar"},
        {ControlTypeCode::FmtGrid, "CFmtGrid"},
        {ControlTypeCode::DateInput, "CDateInput"}};
    for (const auto& [code, className] : expected) {
        ASSERT_TRUE(ControlFactory::IsRegistered(code)) << className;
        const std::unique_ptr<CControles> control = ControlFactory::Create(code);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->Type(), code);
        EXPECT_STREQ(control->GetRuntimeClass(), className);
        EXPECT_TRUE(control->IsCaptureControl());
    }
}

// A format with one control of each kind, saved and read back.
TEST(CaptureControlTypesTest, FormatFileCarriesTheOwnFields) {
    Format format = OneCaptureControlOfEachKind();

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("captura.fmt"));
    FormatFile::Save(path, format, FormatSettings());
    Format read;
    FormatSettings settings;
    FormatFile::Load(path, read, settings);
    ASSERT_EQ(read.controls.size(), 5u);
    EXPECT_EQ(static_cast<CTextlineVar&>(*read.controls[0]).expression, "A+B");
    EXPECT_STREQ(read.controls[1]->GetRuntimeClass(), "CParrafoVar");
    EXPECT_EQ(static_cast<CCuadrosVar&>(*read.controls[2]).boxCount, 5);
    EXPECT_EQ(static_cast<CMarcaVar&>(*read.controls[3]).mark, "V");
    EXPECT_EQ(static_cast<CDateInput&>(*read.controls[4]).dateLayout, DateText::Layout::FullMonth);
}

// Before the capture-screen designer places it, each kind of field lies on the capture screen
// where its page rectangle gives at true scale. Drawing it on a design view zoomed to 200 % and
// scrolled, on the capture-screen designer, or printing it changes nothing of its record.
TEST(CaptureControlTypesTest, UnplacedFieldsLieWhereTheirPageIsWhateverDrawsThem) {
    CaptureControlTypes::RegisterAll();
    auto boxes = CCuadrosVar::Create(1000, -2000);
    auto table = CFmtGrid::Create(1000, -2000);
    table->SetScreenWidthsFromPage();
    std::vector<std::pair<std::unique_ptr<CControles>, ScreenRect>> fields;
    fields.emplace_back(CTextlineVar::Create(1000, -2000), ScreenRect(378, 739, 529, 759));
    fields.emplace_back(CParrafoVar::Create(1000, -2000), ScreenRect(378, 756, 605, 803));
    fields.emplace_back(std::move(boxes), ScreenRect(378, 737, 556, 757));
    fields.emplace_back(CMarcaVar::Create(1000, -2000), ScreenRect(378, 739, 393, 754));
    fields.emplace_back(std::move(table), ScreenRect(358, 736, 983, 858)); // with its headings
    fields.emplace_back(CDateInput::Create(1000, -2000), ScreenRect(378, 739, 529, 759));

    QImage sheet(400, 300, QImage::Format_RGB32);
    QPainter painter(&sheet);
    PainterSurface::DeviceInfo zoomed;
    zoomed.dpiX = zoomed.dpiY = 192;
    PainterSurface view(painter, zoomed);
    view.SetMapMode(MapMode::LoMetric);
    view.SetViewportOrg(Point{-600, -1400});
    PainterSurface screen(painter);
    RecordingSurface printer(MapMode::LoMetric);
    for (const auto& [control, where] : fields) {
        // Named again: clang lets no lambda capture a structured binding.
        const auto& field = control;
        SCOPED_TRACE(field->GetRuntimeClass());
        EXPECT_EQ(field->CaptureScreenRect(), where);
        field->selected = true;
        const QByteArray before = Store([&field](Archive& ar) { field->WriteRecord(ar); });
        field->Draw(view);
        field->DrawOnScreenLayout(screen, true);
        field->Print(printer);
        EXPECT_EQ(Store([&field](Archive& ar) { field->WriteRecord(ar); }), before);

        // Read back, the field is where the capture screen shows it; once placed, it stays put.
        const std::unique_ptr<CControles> read = ControlFactory::Create(field->Type());
        Load(before, [&read](Archive& ar) { read->ReadRecord(ar); });
        EXPECT_EQ(read->screenRect, where);
        field->screenPlaced = true;
        field->screenRect = ScreenRect(8, 12, 108, 32);
        EXPECT_EQ(field->CaptureScreenRect(), Rect(8, 12, 108, 32));
    }
}

// A damaged format is refused or read; whatever is read can be drawn, printed and given its
// capture started without overflowing, crashing or hanging, however extreme its numbers.
TEST(CaptureControlTypesTest, DamagedFormatsStaySafeToDrawPrintAndCapture) {
    CaptureControlTypes::RegisterAll();
    Format format;
    format.controls.push_back(CTextlineVar::Create(100, -200));
    format.controls.push_back(CParrafoVar::Create(100, -300));
    auto boxes = CCuadrosVar::Create(100, -400);
    boxes->SetBoxCount(4);
    format.controls.push_back(std::move(boxes));
    format.controls.push_back(CMarcaVar::Create(100, -600));
    format.controls.push_back(CDateInput::Create(100, -800));
    format.controls.push_back(CConsText::Create(100, -900, QStringLiteral("t")));
    const QByteArray bytes =
        Store([&format](Archive& ar) { FormatFile::Write(ar, format, FormatSettings()); });
    FormatDamage damage(777);
    QImage sheet(120, 120, QImage::Format_RGB32);
    sheet.setDotsPerMeterX(10000);
    sheet.setDotsPerMeterY(10000);
    int drawn = 0;
    for (int round = 0; round < 400; ++round) {
        Format read;
        if (!ReadOrRefuse(damage.Damage(bytes), read))
            continue;
        RecordingSurface recorder(MapMode::LoMetric);
        QPainter painter(&sheet);
        PainterSurface dc(painter);
        dc.SetMapMode(MapMode::LoMetric);
        for (const auto& control : read.controls) {
            control->selected = 1;
            control->Draw(recorder);
            control->Draw(dc);
            control->Print(dc);
            control->DrawOnScreenLayout(recorder, true);
            control->FitHeightToFont();
            if (auto* capture = dynamic_cast<CCaptureControl*>(control.get()))
                capture->StartCapture();
            control->Print(dc);
            control->ClearValue();
        }
        ++drawn;
    }
    // The damage is the same on every run: 12 of the 400 are refused, the rest exercised.
    EXPECT_EQ(drawn, 388);
}

} // namespace
