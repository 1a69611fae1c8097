#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>

class CalibrationDialog;
class QCheckBox;
class QLineEdit;
class QPushButton;

// "Configuración de margenes": the installation's margin offsets in centimetres, as the user
// measures them on a test sheet, and whether to build them into the format for good.
//
// The offsets are shown and read with '.' for decimals whatever the user's locale, with no
// thousands separator: a Mexican user writes 0.35, and "0,35" is refused rather than taken as 35.
class MarginsDialog : public QDialog {
    Q_OBJECT
public:
    // What the dialog was confirmed with: the offsets in page units (hundredths of a
    // centimetre), and whether they are to be moved into the format.
    struct Choice {
        int facX = 0;
        int facY = 0;
        bool permanent = false;
    };
    // Tells the user why a text was refused, with an OK button only.
    using Messenger = std::function<void(const QString&)>;
    // Runs the dialog that asks for the calibration sheet's measures; true when confirmed.
    using CalibrationRunner = std::function<bool(CalibrationDialog&)>;

    // Shows the offsets facX and facY, in page units, as centimetres; the check box starts clear.
    MarginsDialog(int facX, int facY, QWidget* parent = nullptr);

    // What OK confirmed; the offsets first shown, unchanged, until then.
    const Choice& Chosen() const { return m_choice; }
    QLineEdit* HorizontalEdit() const { return m_horizontal; }
    QLineEdit* VerticalEdit() const { return m_vertical; }
    QCheckBox* PermanentBox() const { return m_permanent; }
    QPushButton* CalibrationButton() const { return m_calibrate; }
    // Replace the message box and the run of the measures' dialog (both have defaults).
    void SetMessenger(Messenger messenger) { m_tell = std::move(messenger); }
    void SetCalibrationRunner(CalibrationRunner runner) { m_runCalibration = std::move(runner); }

    // "Calcular desde la hoja de calibración...": asks for the distances measured on a
    // calibration sheet printed with the offsets the dialog opened with, and puts the offsets
    // they give into the edits. False when the user cancelled.
    bool CalculateFromCalibrationSheet();

    // An offset in page units as centimetres, with up to 15 significant digits: 35 is "0.35".
    static QString CentimetresText(int pageUnits);
    // Centimetres as typed (blanks around them allowed) in page units, anything finer than a
    // hundredth of a centimetre cut off toward zero; nothing when the text is not a number or
    // the offset does not fit a setting.
    static std::optional<int> PageUnitsOf(const QString& text);

    // Takes the texts; one that is not a number keeps the dialog open with that text selected.
    void accept() override;

private:
    // The offset in the edit, or nothing once the user has been told and the text selected.
    std::optional<int> ReadOffset(QLineEdit* edit);

    QLineEdit* m_horizontal;
    QLineEdit* m_vertical;
    QCheckBox* m_permanent;
    QPushButton* m_calibrate;
    // The offsets in force when the dialog opened: those a calibration sheet was printed with.
    int m_sheetFacX;
    int m_sheetFacY;
    Choice m_choice;
    Messenger m_tell;
    CalibrationRunner m_runCalibration;
};
