#include "capture/MarginsDialog.h"

#include "capture/CalibrationDialog.h"
#include "capture_model/CalibrationPage.h"
#include "platform_widgets/UserMessage.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// The offsets are exchanged as the platform writes floating-point numbers: 15 significant digits.
constexpr int kSignificantDigits = 15;

// The edits are wide enough for an offset such as "-12345.67" and a little more.
constexpr int kEditCharacters = 12;

QLineEdit* MakeOffsetEdit(const QString& objectName, const QString& text) {
    auto* edit = new QLineEdit(text);
    edit->setObjectName(objectName);
    const QFontMetrics metrics(edit->font());
    edit->setFixedWidth(metrics.horizontalAdvance(QLatin1Char('0')) * kEditCharacters);
    return edit;
}

} // namespace

MarginsDialog::MarginsDialog(int facX, int facY, QWidget* parent)
    : QDialog(parent),
      m_horizontal(MakeOffsetEdit(QStringLiteral("edit1188"), CentimetresText(facX))),
      m_vertical(MakeOffsetEdit(QStringLiteral("edit1189"), CentimetresText(facY))),
      m_permanent(new QCheckBox(QStringLiteral("Aplicar permanentemente al formato"))),
      m_calibrate(new QPushButton(QStringLiteral("Calcular desde la hoja de calibración..."))),
      m_sheetFacX(facX), m_sheetFacY(facY), m_choice{facX, facY, false} {
    setWindowTitle(QStringLiteral("Configuración de márgenes"));
    m_permanent->setObjectName(QStringLiteral("check1037"));

    auto* frame = new QGroupBox;
    auto* grid = new QGridLayout(frame);
    auto addRow = [grid](int row, const QString& caption, QLineEdit* edit) {
        auto* label = new QLabel(caption);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("cm.")), row, 2);
    };
    addRow(0, QStringLiteral("Desfase horizontal:"), m_horizontal);
    addRow(1, QStringLiteral("Desfase vertical:"), m_vertical);
    grid->setColumnStretch(3, 1);

    // Qt names the buttons in the user's language.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &MarginsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &MarginsDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(m_permanent);
    layout->addWidget(m_calibrate, 0, Qt::AlignLeft);
    layout->addSpacing(layout->spacing());
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_tell = [this](const QString& message) {
        QMessageBox::warning(this, UserMessage::Title(), message, QMessageBox::Ok);
    };
    m_calibrate->setObjectName(QStringLiteral("calibrationButton"));
    m_calibrate->setAutoDefault(false);
    connect(m_calibrate, &QPushButton::clicked, this,
            &MarginsDialog::CalculateFromCalibrationSheet);
    m_runCalibration = [](CalibrationDialog& dialog) { return dialog.exec() == QDialog::Accepted; };
    m_horizontal->setFocus(Qt::OtherFocusReason);
}

bool MarginsDialog::CalculateFromCalibrationSheet() {
    const QString note =
        QStringLiteral("Se toma la hoja como impresa con los desfases actuales: horizontal %1 "
                       "cm y vertical %2 cm, como ella misma dice.")
            .arg(CentimetresText(m_sheetFacX), CentimetresText(m_sheetFacY));
    CalibrationDialog dialog(note, this);
    if (!m_runCalibration || !m_runCalibration(dialog))
        return false;
    const FormatPrinter::Offsets offsets = CalibrationPage::OffsetsFromMeasures(
        dialog.LeftMillimetres(), dialog.TopMillimetres(), {m_sheetFacX, m_sheetFacY});
    m_horizontal->setText(CentimetresText(offsets.facX));
    m_vertical->setText(CentimetresText(offsets.facY));
    return true;
}

QString MarginsDialog::CentimetresText(int pageUnits) {
    return QString::number(pageUnits * 0.01, 'g', kSignificantDigits);
}

std::optional<int> MarginsDialog::PageUnitsOf(const QString& text) {
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double centimetres = c.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(centimetres))
        return std::nullopt;
    // Most hundredths have no exact binary form: 0.29 cm times 100 comes out a hair under 29.
    // Only what the user typed beyond the hundredth is cut off, not that rounding error.
    const double hundredths = centimetres * 100.0;
    const double nearest = std::round(hundredths);
    const double slack = std::max(1.0, std::abs(nearest)) * 1e-12;
    const double units = std::abs(hundredths - nearest) <= slack ? nearest : std::trunc(hundredths);
    if (units < INT32_MIN || units > INT32_MAX)
        return std::nullopt;
    return static_cast<int>(units);
}

std::optional<int> MarginsDialog::ReadOffset(QLineEdit* edit) {
    const std::optional<int> units = PageUnitsOf(edit->text());
    if (!units) {
        if (m_tell)
            m_tell(QStringLiteral("Introduzca un número."));
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
    return units;
}

void MarginsDialog::accept() {
    const std::optional<int> facX = ReadOffset(m_horizontal);
    if (!facX)
        return;
    const std::optional<int> facY = ReadOffset(m_vertical);
    if (!facY)
        return;
    m_choice = Choice{*facX, *facY, m_permanent->isChecked()};
    QDialog::accept();
}
