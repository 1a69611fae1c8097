#include "common/SheetPixels.h"

#include "capture/CalibrationDialog.h"
#include "capture/MarginsDialog.h"
#include "capture_model/CalibrationPage.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

// At 254 dpi one pixel is one page unit, a tenth of a millimetre.
namespace {

constexpr int kDpi = 254;
const QSizeF kLetter(215.9, 279.4);
constexpr int kReach = 130;

// A printer whose paper runs skewed by a fixed amount: the ink lands (dx, dy) pixels from where
// it was sent, right and down for positive values.
QImage Misfed(const QImage& sheet, int dx, int dy) {
    QImage out(sheet.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.drawImage(QPoint(dx, dy), sheet);
    return out;
}

// Millimetres from the paper's left and top edges to the centre of a cross expected near
// (x, y) page units from the corner.
QPointF MeasureCross(const QImage& sheet, int x, int y) {
    const QPointF centre = FindCross(sheet, QPoint(x, y), kReach);
    return centre / 10.0;
}

} // namespace

TEST(CalibrationPageTest, MeasuresOfASheetGiveTheOffsetsThatCorrectThePrinter) {
    // The printer puts the ink 3.7 mm to the right and 2.2 mm up: a positive FacX moves the
    // printout left and a positive FacY moves it up, so it needs FacX 37 and FacY -22.
    const QImage first = Misfed(CalibrationPage({0, 0}).ToImage(kLetter, kDpi), 37, -22);
    const QPointF a = MeasureCross(first, 300 + 37, 300 - 22);
    EXPECT_NEAR(a.x(), 33.7, 0.1);
    EXPECT_NEAR(a.y(), 27.8, 0.1);
    const FormatPrinter::Offsets found = CalibrationPage::OffsetsFromMeasures(a.x(), a.y(), {0, 0});
    EXPECT_NEAR(found.facX, 37, 1);
    EXPECT_NEAR(found.facY, -22, 1);

    // Printed with FacX 37 and FacY -22 on that printer, the crosses land where the page puts
    // them, and the measures give those same offsets back.
    const QImage second = Misfed(CalibrationPage({37, -22}).ToImage(kLetter, kDpi), 37, -22);
    const QPointF a2 = MeasureCross(second, 300, 300);
    const QPointF b2 = MeasureCross(second, 1800, 300);
    const QPointF c2 = MeasureCross(second, 300, 2400);
    EXPECT_NEAR(a2.x(), 30, 0.1);
    EXPECT_NEAR(a2.y(), 30, 0.1);
    EXPECT_NEAR(b2.x() - a2.x(), 150, 0.1);
    EXPECT_NEAR(b2.y(), a2.y(), 0.1);
    EXPECT_NEAR(c2.y() - a2.y(), 210, 0.1);
    EXPECT_NEAR(c2.x(), a2.x(), 0.1);
    const FormatPrinter::Offsets kept =
        CalibrationPage::OffsetsFromMeasures(a2.x(), a2.y(), {37, -22});
    EXPECT_NEAR(kept.facX, 37, 1);
    EXPECT_NEAR(kept.facY, -22, 1);
}

TEST(CalibrationPageTest, MeasuresRoundToPageUnitsAndStayBounded) {
    EXPECT_EQ(CalibrationPage::OffsetsFromMeasures(30.04, 29.96, {0, 0}).facX, 0);
    EXPECT_EQ(CalibrationPage::OffsetsFromMeasures(30.04, 29.96, {0, 0}).facY, 0);
    // Printed with 0.5 mm each way, cross A was to land at 29.5 mm and 29.5 mm.
    EXPECT_EQ(CalibrationPage::OffsetsFromMeasures(31.06, 28.94, {5, 5}).facX, 16);
    EXPECT_EQ(CalibrationPage::OffsetsFromMeasures(31.06, 28.94, {5, 5}).facY, -6);
    const FormatPrinter::Offsets far = CalibrationPage::OffsetsFromMeasures(1e9, -1e9, {0, 0});
    EXPECT_EQ(far.facX, CalibrationPage::kMaxOffset);
    EXPECT_EQ(far.facY, -CalibrationPage::kMaxOffset);
}

class CalibrationDialogTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

TEST_F(CalibrationDialogTest, MeasuresTypedOnTheSheetFillTheMarginsDialog) {
    // A locale that writes decimals with a comma shows that the measures are read the way the
    // user's locale writes numbers.
    MarginsDialog margins(37, -22);
    QStringList notes;
    int runs = 0;
    margins.SetCalibrationRunner([&](CalibrationDialog& dialog) {
        ++runs;
        notes << dialog.findChild<QLabel*>(QStringLiteral("sheetNote"))->text();
        EXPECT_DOUBLE_EQ(dialog.LeftMillimetres(), 30.0);
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        for (QDoubleSpinBox* edit : {dialog.LeftEdit(), dialog.TopEdit()})
            edit->clear();
        QTest::keyClicks(dialog.LeftEdit(),
                         runs == 1 ? QStringLiteral("26,8") : QStringLiteral("31"));
        QTest::keyClicks(dialog.TopEdit(), QStringLiteral("33,1"));
        EXPECT_DOUBLE_EQ(dialog.LeftMillimetres(), runs == 1 ? 26.8 : 31.0);
        EXPECT_DOUBLE_EQ(dialog.TopMillimetres(), 33.1);
        QPushButton* button = dialog.findChild<QDialogButtonBox*>()->button(
            runs == 1 ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
        QTest::mouseClick(button, Qt::LeftButton);
        return dialog.result() == QDialog::Accepted;
    });

    QTest::mouseClick(margins.CalibrationButton(), Qt::LeftButton);
    ASSERT_EQ(runs, 1);
    EXPECT_EQ(notes.first(), "Se toma la hoja como impresa con los desfases actuales: horizontal "
                             "0.37 cm y vertical -0.22 cm, como ella misma dice.");
    // Cross A was to land 3.7 mm left of and 2.2 mm below its place: at 26.3 mm and 32.2 mm.
    // It landed half a millimetre further right and 0.9 mm lower: that is the printer's own
    // shift, and the offsets that take it away replace the old ones.
    EXPECT_EQ(margins.HorizontalEdit()->text(), "0.05");
    EXPECT_EQ(margins.VerticalEdit()->text(), "0.09");

    // A cancelled measure changes nothing.
    EXPECT_FALSE(margins.CalculateFromCalibrationSheet());
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(margins.HorizontalEdit()->text(), "0.05");

    margins.accept();
    EXPECT_EQ(margins.Chosen().facX, 5);
    EXPECT_EQ(margins.Chosen().facY, 9);
}
