#pragma once

#include "model/AmountWording.h"
#include "model/FormatSettings.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;

// "Configuración del formato": the decimals, the currency name and postfix for amounts in words
// and how those amounts are worded, the two flags, the author and the access key of one format.
// The wording shows the words of a sample amount as the user picks it. The author of a format that
// has a key is shown read-only: only whoever can open the format changes it, together with the key.
class FormatSettingsDialog : public QDialog {
public:
    using Messenger = std::function<void(const QString&)>;

    static constexpr int kMinDecimals = 0;
    static constexpr int kMaxDecimals = 6;

    // The amount whose words show what each wording writes: a million with a thousand and a
    // hundred and one in it, where the two wordings part ("UN MIL" or "MIL").
    static constexpr double kSampleAmount = 1'001'101.01;

    explicit FormatSettingsDialog(const FormatSettings& settings,
                                  AmountWording wording = AmountWording::Traditional,
                                  QWidget* parent = nullptr);

    // The settings and the wording as edited; meaningful once the dialog was accepted.
    const FormatSettings& Settings() const { return m_settings; }
    AmountWording Wording() const { return m_wording; }
    // Where the out-of-range message goes; a message box when not set.
    void SetMessenger(Messenger messenger) { m_tell = std::move(messenger); }

    QLineEdit* DecimalsEdit() const { return m_decimals; }
    QToolButton* UpButton() const { return m_up; }
    QToolButton* DownButton() const { return m_down; }
    QLineEdit* CurrencyEdit() const { return m_currency; }
    QLineEdit* PostfixEdit() const { return m_postfix; }
    QCheckBox* CurrencySignBox() const { return m_currencySign; }
    QCheckBox* ReadOnlyBox() const { return m_readOnly; }
    QLineEdit* AuthorEdit() const { return m_author; }
    QLineEdit* KeyEdit() const { return m_key; }
    QRadioButton* TraditionalButton() const { return m_traditional; }
    QRadioButton* GrammaticalButton() const { return m_grammatical; }
    QLabel* SampleLabel() const { return m_sample; }

    // Reads the fields back: a decimals text that is not a whole number 0..6 is refused with a
    // message and the focus goes back to it; otherwise the dialog closes with the new settings.
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The arrows of the decimals: one step up or down, from the highest to the lowest and back.
    void StepDecimals(int step);
    // The sample amount in the words the fields and buttons now choose.
    void ShowSample();

    FormatSettings m_settings;
    AmountWording m_wording;
    Messenger m_tell;
    QLineEdit* m_decimals;
    QToolButton* m_up;
    QToolButton* m_down;
    QLineEdit* m_currency;
    QLineEdit* m_postfix;
    QCheckBox* m_currencySign;
    QCheckBox* m_readOnly;
    QLineEdit* m_author;
    QLineEdit* m_key;
    QRadioButton* m_traditional;
    QRadioButton* m_grammatical;
    QLabel* m_sample;
};
