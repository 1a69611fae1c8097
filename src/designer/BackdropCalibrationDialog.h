#pragma once

#include <QDialog>
#include <QPointF>

#include <optional>

class QDoubleSpinBox;
class QRadioButton;

// "Calibrar fondo": what the user knows of the two marks just clicked on the backdrop, either
// the true distance between them or where each one lies on the page, in millimetres from the
// page's top-left corner (rightward and downward, as a ruler is laid on paper).
class BackdropCalibrationDialog : public QDialog {
public:
    struct Answer {
        bool byPositions = false;
        double distanceMm = 0;
        QPointF firstMm;
        QPointF secondMm;

        // The true distance in page units and where the first mark belongs (page units, y
        // upward); firstNow is where it lies now, kept when only the distance is known. Nothing
        // when the answer gives no distance.
        std::optional<double> DistanceUnits() const;
        QPointF FirstTarget(QPointF firstNow) const;
    };

    // shownMm is the distance the marks have on the page as the backdrop lies now.
    explicit BackdropCalibrationDialog(double shownMm, QWidget* parent = nullptr);

    Answer Result() const;

    QRadioButton* DistanceButton() const { return m_byDistance; }
    QRadioButton* PositionsButton() const { return m_byPositions; }
    QDoubleSpinBox* DistanceBox() const { return m_distance; }

private:
    QRadioButton* m_byDistance;
    QRadioButton* m_byPositions;
    QDoubleSpinBox* m_distance;
    QDoubleSpinBox* m_x1;
    QDoubleSpinBox* m_y1;
    QDoubleSpinBox* m_x2;
    QDoubleSpinBox* m_y2;
};
