#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;
class QSpinBox;
class ReferenceBackdrop;

// "Fondo de referencia": the scan or photo of the stationery laid under the page, the page of a
// PDF, how it is brought to its true size (its own resolution, a resolution the user knows, or
// two marks clicked in the view), how faint it is and whether it shows. "Quitar fondo" takes it
// away. The dialog only gathers the choice; the design window carries it out.
class ReferenceBackdropDialog : public QDialog {
public:
    enum class Sizing {
        Keep,      // the size and place it has
        Declared,  // the resolution the picture states; two marks when it states none
        Dpi,       // the resolution typed
        TwoPoints, // two marks clicked in the view and their true distance or places
    };

    struct Choice {
        QString path;
        int page = 1;
        Sizing sizing = Sizing::Declared;
        double dpi = 200;
        int opacity = 50;
        bool shown = true;
        bool remove = false;
    };

    explicit ReferenceBackdropDialog(const ReferenceBackdrop& current, QWidget* parent = nullptr);

    Choice Result() const;

    QLineEdit* PathEdit() const { return m_path; }
    QSpinBox* PageBox() const { return m_page; }
    QRadioButton* KeepButton() const { return m_keep; }
    QRadioButton* DeclaredButton() const { return m_declared; }
    QRadioButton* DpiButton() const { return m_dpiButton; }
    QRadioButton* TwoPointsButton() const { return m_twoPoints; }
    QDoubleSpinBox* DpiBox() const { return m_dpi; }
    QSlider* OpacitySlider() const { return m_opacity; }
    QCheckBox* ShownBox() const { return m_shown; }

private:
    void Browse();
    // The page only matters for a PDF; keeping the size only for the picture already laid.
    void UpdateFields();

    QString m_currentPath;
    int m_currentPage = 1;
    bool m_remove = false;
    QLineEdit* m_path;
    QSpinBox* m_page;
    QRadioButton* m_keep;
    QRadioButton* m_declared;
    QRadioButton* m_dpiButton;
    QRadioButton* m_twoPoints;
    QDoubleSpinBox* m_dpi;
    QSlider* m_opacity;
    QLabel* m_opacityText;
    QCheckBox* m_shown;
};
