#include "capture/CalibrationDialog.h"

#include "capture_model/CalibrationPage.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// A ruler reads to half a millimetre and a good eye to a tenth: one decimal is one page unit.
constexpr int kDecimals = 1;
// Anything up to the width of a large sheet.
constexpr double kLongestMeasure = 500;

QDoubleSpinBox* MakeMeasure(const QString& objectName, int nominal) {
    auto* edit = new QDoubleSpinBox;
    edit->setObjectName(objectName);
    edit->setDecimals(kDecimals);
    edit->setRange(0, kLongestMeasure);
    edit->setSingleStep(0.5);
    edit->setSuffix(QStringLiteral(" mm"));
    edit->setValue(nominal / 10.0);
    return edit;
}

} // namespace

CalibrationDialog::CalibrationDialog(const QString& sheetNote, QWidget* parent)
    : QDialog(parent),
      m_left(MakeMeasure(QStringLiteral("leftMeasure"), CalibrationPage::kCrossAX)),
      m_top(MakeMeasure(QStringLiteral("topMeasure"), CalibrationPage::kCrossAY)) {
    setWindowTitle(QStringLiteral("Calcular desde la hoja de calibración"));

    auto* intro = new QLabel(QStringLiteral("Mida en la hoja impresa, en milímetros, la "
                                            "distancia de los bordes del papel al centro de la "
                                            "cruz A."));
    intro->setWordWrap(true);
    auto* note = new QLabel(sheetNote);
    note->setObjectName(QStringLiteral("sheetNote"));
    note->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Desde el borde &izquierdo:"), m_left);
    form->addRow(QStringLiteral("Desde el borde &superior:"), m_top);

    // Qt names the buttons in the user's language.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CalibrationDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CalibrationDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 50);
    m_left->setFocus(Qt::OtherFocusReason);
    m_left->selectAll();
}

double CalibrationDialog::LeftMillimetres() const {
    return m_left->value();
}

double CalibrationDialog::TopMillimetres() const {
    return m_top->value();
}
