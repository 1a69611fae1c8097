#include "designer/BackdropCalibrationDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

// Ten page units to the millimetre.
constexpr double kUnitsPerMm = 10.0;
// The largest sheet the designer lays out is 410 mm square.
constexpr double kMaxMm = 4100.0;

QDoubleSpinBox* MillimetreBox(double value) {
    auto* box = new QDoubleSpinBox;
    box->setRange(0, kMaxMm);
    box->setDecimals(1);
    box->setSuffix(QStringLiteral(" mm"));
    box->setValue(value);
    return box;
}

} // namespace

std::optional<double> BackdropCalibrationDialog::Answer::DistanceUnits() const {
    const double mm = byPositions
                          ? std::hypot(secondMm.x() - firstMm.x(), secondMm.y() - firstMm.y())
                          : distanceMm;
    if (!(mm > 0))
        return std::nullopt;
    return mm * kUnitsPerMm;
}

QPointF BackdropCalibrationDialog::Answer::FirstTarget(QPointF firstNow) const {
    if (!byPositions)
        return firstNow;
    return QPointF(firstMm.x() * kUnitsPerMm, -firstMm.y() * kUnitsPerMm);
}

BackdropCalibrationDialog::BackdropCalibrationDialog(double shownMm, QWidget* parent)
    : QDialog(parent),
      m_byDistance(new QRadioButton(QStringLiteral("&Distancia real entre los dos puntos:"))),
      m_byPositions(new QRadioButton(QStringLiteral(
          "&Posición real de cada punto en la página (desde la esquina superior izquierda):"))),
      m_distance(MillimetreBox(shownMm)), m_x1(MillimetreBox(0)), m_y1(MillimetreBox(0)),
      m_x2(MillimetreBox(0)), m_y2(MillimetreBox(0)) {
    setWindowTitle(QStringLiteral("Calibrar fondo"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        QStringLiteral("En el fondo, los dos puntos marcados están ahora a %1 mm uno del otro.")
            .arg(QLocale().toString(shownMm, 'f', 1)));
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* group = new QButtonGroup(this);
    group->addButton(m_byDistance);
    group->addButton(m_byPositions);
    auto* distanceRow = new QHBoxLayout;
    distanceRow->addWidget(m_byDistance);
    distanceRow->addWidget(m_distance);
    distanceRow->addStretch();
    layout->addLayout(distanceRow);
    layout->addWidget(m_byPositions);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("X")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Y")), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Primer punto:")), 1, 0);
    grid->addWidget(m_x1, 1, 1);
    grid->addWidget(m_y1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Segundo punto:")), 2, 0);
    grid->addWidget(m_x2, 2, 1);
    grid->addWidget(m_y2, 2, 2);
    layout->addLayout(grid);
    m_byDistance->setChecked(true);
    const auto update = [this] {
        m_distance->setEnabled(m_byDistance->isChecked());
        for (QDoubleSpinBox* box : {m_x1, m_y1, m_x2, m_y2})
            box->setEnabled(m_byPositions->isChecked());
    };
    connect(m_byDistance, &QRadioButton::toggled, this, update);
    update();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

BackdropCalibrationDialog::Answer BackdropCalibrationDialog::Result() const {
    Answer answer;
    answer.byPositions = m_byPositions->isChecked();
    answer.distanceMm = m_distance->value();
    answer.firstMm = QPointF(m_x1->value(), m_y1->value());
    answer.secondMm = QPointF(m_x2->value(), m_y2->value());
    return answer;
}
