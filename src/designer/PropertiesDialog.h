#pragma once

#include "designer/ExpressionValidator.h"

#include <QString>
#include <QWidget>

#include <functional>

class CControles;
class DesignDocument;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The properties of a design window's selected control, in the window's floating properties bar:
// its type, name, position and width, font and colour, and the settings that belong to its type.
// With nothing selected it edits the format's description. With many selected it shows what they
// share: a setting not every one of them has is hidden, a value not all share is left blank, and
// an edit goes to every one of them as one step; a blank field left untouched changes nothing.
// Position and width are shown, never edited, there as for one control. A field is applied when it
// loses the focus, and Enter moves on to the next field, so applying the one it leaves; every edit
// is one step of the document's undo stack. The dialog lays itself out again after every change of
// the document and of its selection.
class PropertiesDialog : public QWidget {
    Q_OBJECT
public:
    // The fields, by the identifiers of the dialog template.
    enum Field : int {
        TypeNameField = 1000,
        PositionField = 1002,
        WidthField = 1003,
        NameField = 1005,
        CountField = 1008,
        SecondNumberField = 1009,
        Row1Caption = 1010,
        MarkField = 1011,
        Row2Caption = 1012,
        CloseButton = 1013,
        NameCaption = 1014,
        TextField = 1015,
        DataTypeField = 1018,
        Row3Caption = 1023,
        ThirdNumberField = 1024,
        ExpressionField = 1025,
        DateFormatField = 1050,
        // Beyond the template: the font and colour buttons.
        FontField = 1100,
        ColorField = 1101,
    };
    using Messenger = std::function<void(const QString&)>;

    explicit PropertiesDialog(DesignDocument& document, QWidget* parent = nullptr);

    // Shows the current selection (or the description) in the fields.
    void Layout();
    // Applies the field being typed into, as leaving it would: a save takes what was typed.
    void ApplyFocusedField();

    // The widget of a field, for the window around it and for tests.
    QWidget* FieldWidget(Field field) const;
    // The text a field shows (the selected entry of a list).
    QString FieldText(Field field) const;
    const ExpressionValidator& Validator() const { return *m_validator; }

    // Where a refused whole number is reported; a message box unless replaced.
    void SetMessenger(Messenger messenger) { m_tell = std::move(messenger); }

signals:
    // "Cerrar".
    void closeRequested();
    // The font and colour buttons: the design window asks for them as its own commands do.
    void fontRequested();
    void colorRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the fields show: every field's text, and whether it is shown.
    struct Shown {
        QString typeName, name, position, width, row1, row2, row3, first, second, third, mark, text,
            expression, font, color;
        int dataType = -1;
        int dateFormat = -1;
        bool showName = false, showDataType = false, showDate = false, showCount = false,
             showMark = false, showSecond = false, showExpression = false, showThird = false,
             showText = false, showFont = false, showColor = false;
        ExpressionValidator::Kind kind = ExpressionValidator::Kind::TextLine;
        // What this and other share.
        void Meet(const Shown& other);
    };
    // What one control shows; a table's picked column only when it is alone selected.
    static Shown ShownOf(const CControles& control, bool alone);

    // Applies the field to the document; false when its text was refused.
    bool Apply(QWidget* field);
    // Reads a whole number from an integer field; refuses anything else, tells the user and
    // puts the focus back.
    bool ReadInteger(QLineEdit* edit, int& value);
    // Tells why what the field holds was refused (once for the same text) and gives the field
    // the keys back with its text selected.
    void Refuse(QLineEdit* edit, const QString& message);
    void ApplyDataType(int index);
    void ApplyDateFormat(int index);
    void Tell(const QString& message);
    // Makes room for everything the selection shows: the floating window around the dialog
    // grows when a caption or field would be cut off.
    void GrowToFit();

    DesignDocument& m_document;
    QLabel* m_typeName;
    QLabel* m_width;
    QLabel* m_position;
    QLabel* m_nameCaption;
    QLineEdit* m_name;
    QLabel* m_row1;
    QComboBox* m_dataType;
    QComboBox* m_dateFormat;
    QLineEdit* m_count;
    QLineEdit* m_mark;
    QLabel* m_row2;
    QLineEdit* m_second;
    QLineEdit* m_expression;
    QLabel* m_row3;
    QLineEdit* m_third;
    QPlainTextEdit* m_text;
    QLabel* m_fontCaption;
    QPushButton* m_font;
    QLabel* m_colorCaption;
    QPushButton* m_color;
    QPushButton* m_close;
    ExpressionValidator* m_validator;
    Messenger m_tell;
    // Set while the fields are filled: the focus moving then applies nothing.
    bool m_laying = false;
    // Set while the user is told of a refused text.
    bool m_telling = false;
    // The integer field whose text was last refused, and that text.
    const QLineEdit* m_refused = nullptr;
    QString m_refusedText;
};
