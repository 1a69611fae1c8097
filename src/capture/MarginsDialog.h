#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;

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

    // Shows the offsets facX and facY, in page units, as centimetres; the check box starts clear.
    MarginsDialog(int facX, int facY, QWidget* parent = nullptr);

    // What OK confirmed; the offsets first shown, unchanged, until then.
    const Choice& Chosen() const { return m_choice; }
    QLineEdit* HorizontalEdit() const { return m_horizontal; }
    QLineEdit* VerticalEdit() const { return m_vertical; }
    QCheckBox* PermanentBox() const { return m_permanent; }
    // Replaces the message box (it has a default).
    void SetMessenger(Messenger messenger) { m_tell = std::move(messenger); }

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
    Choice m_choice;
    Messenger m_tell;
};
