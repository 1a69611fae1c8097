#include "designer/PropertiesDialog.h"

#include "capture_model/CCuadrosVar.h"
#include "capture_model/CDateInput.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CTextlineVar.h"
#include "designer/DesignDocument.h"
#include "designer/ExpressionValidator.h"
#include "designer/FieldNames.h"
#include "designer/ParagraphLines.h"
#include "model/CControles.h"
#include "platform/ColorRef.h"
#include "platform/LogFont.h"
#include "platform_widgets/UserMessage.h"

#include <QComboBox>
#include <QDockWidget>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

// The window's measures are those of its template, in dialog units of its font: a quarter of the
// average character width across, an eighth of the character height down. The layout lets any
// caption or field grow beyond them when the screen's font needs it.
struct DialogUnits {
    int baseX;
    int baseY;

    explicit DialogUnits(const QFontMetrics& metrics)
        : baseX((metrics.horizontalAdvance(
                     QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                     26 +
                 1) /
                2),
          baseY(metrics.height()) {}

    int Across(int units) const { return units * baseX / 4; }
    int Down(int units) const { return units * baseY / 8; }
    QSize Size(int across, int down) const { return {Across(across), Down(down)}; }
};

QString Centimetres(int pageUnits) {
    return QString::asprintf("%.2f", pageUnits / 100.0);
}

// The table a column of which is picked, and the column; nothing else.
const CFmtGrid* PickingTable(const CControles* control, int& column) {
    const auto* table = dynamic_cast<const CFmtGrid*>(control);
    column = table ? table->SelectedColumn() : -1;
    if (!table || column < 0 || column >= table->ColumnCount())
        return nullptr;
    return table;
}

// "Arial, 4.0 mm, negrita": the face, the character height and the style.
QString FontText(const LogFont& font) {
    QString text = QStringLiteral("%1, %2 mm")
                       .arg(font.Face())
                       .arg(std::abs(static_cast<double>(font.height)) / 10.0, 0, 'f', 1);
    if (font.weight >= 600)
        text += QStringLiteral(", negrita");
    if (font.italic)
        text += QStringLiteral(", cursiva");
    return text;
}

QIcon Swatch(const QColor& color) {
    QPixmap swatch(16, 12);
    swatch.fill(color);
    QPainter painter(&swatch);
    painter.setPen(Qt::gray);
    painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    return QIcon(swatch);
}

int DataTypeIndex(DataTypeCode code) {
    const int index = static_cast<int>(code);
    return index >= 0 && index < DataType::Names().size() ? index : -1;
}

} // namespace

PropertiesDialog::PropertiesDialog(DesignDocument& document, QWidget* parent)
    : QWidget(parent), m_document(document), m_validator(new ExpressionValidator(this)) {
    const DialogUnits units(fontMetrics());
    const auto label = [this](Qt::Alignment alignment = Qt::AlignLeft) {
        auto* l = new QLabel(this);
        l->setAlignment(alignment | Qt::AlignVCenter);
        return l;
    };
    const auto caption = [this](const QString& text) {
        auto* l = new QLabel(text, this);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    // The type, width, position and name, captions before values.
    auto* top = new QGridLayout;
    top->addWidget(caption(QStringLiteral("Control:")), 0, 0);
    top->addWidget(m_typeName = label(), 0, 1);
    top->addWidget(caption(QStringLiteral("Longitud:")), 1, 0);
    top->addWidget(m_width = label(), 1, 1);
    top->addWidget(caption(QStringLiteral("Posición:")), 2, 0);
    top->addWidget(m_position = label(), 2, 1);
    top->addWidget(m_nameCaption = caption(QStringLiteral("Nombre:")), 3, 0);
    top->addWidget(m_name = new QLineEdit(this), 3, 1);
    // Font and colour open the design window's own dialogs, for every selected control at once.
    const auto chooser = [this, &top, &caption](int at, QLabel*& rowCaption, QPushButton*& button,
                                                const QString& text) {
        top->addWidget(rowCaption = caption(text), at, 0);
        button = new QPushButton(this);
        button->setStyleSheet(QStringLiteral("text-align: left; padding: 2px 6px;"));
        top->addWidget(button, at, 1);
    };
    chooser(4, m_fontCaption, m_font, QStringLiteral("Fuente:"));
    chooser(5, m_colorCaption, m_color, QStringLiteral("Color:"));
    connect(m_font, &QPushButton::clicked, this, &PropertiesDialog::fontRequested);
    connect(m_color, &QPushButton::clicked, this, &PropertiesDialog::colorRequested);
    top->setColumnStretch(1, 1);

    // The three rows of the type's own settings: each caption takes the width its text needs,
    // and of the fields that share a row only the type's are shown.
    m_dataType = new QComboBox(this);
    m_dataType->addItems(DataType::Names());
    m_dateFormat = new QComboBox(this);
    m_dateFormat->addItems({QStringLiteral("15/11/2000"), QStringLiteral("15/Sep/2000"),
                            QStringLiteral("15/Septiembre/2000")});
    m_count = new QLineEdit(this);
    m_mark = new QLineEdit(this);
    m_mark->setMaxLength(1);
    m_second = new QLineEdit(this);
    m_expression = new QLineEdit(this);
    m_expression->setValidator(m_validator);
    m_expression->setMinimumWidth(units.Across(123));
    m_third = new QLineEdit(this);
    for (QLineEdit* number : {m_count, m_mark, m_second, m_third})
        number->setFixedWidth(units.Across(40));
    auto* rows = new QGridLayout;
    const auto row = [rows, &label, &units](int at, QLabel*& rowCaption,
                                            std::initializer_list<QWidget*> fields) {
        rowCaption = label(Qt::AlignRight);
        rowCaption->setMinimumWidth(units.Across(79));
        rows->addWidget(rowCaption, at, 0);
        auto* line = new QHBoxLayout;
        for (QWidget* field : fields)
            line->addWidget(field);
        line->addStretch();
        rows->addLayout(line, at, 1);
    };
    row(0, m_row1, {m_dataType, m_dateFormat, m_count, m_mark});
    row(1, m_row2, {m_second, m_expression});
    row(2, m_row3, {m_third});
    rows->setColumnStretch(1, 1);

    m_text = new QPlainTextEdit(this);
    m_text->setMinimumHeight(units.Down(40));
    m_close = new QPushButton(QStringLiteral("Cerrar"), this);
    connect(m_close, &QPushButton::clicked, this, &PropertiesDialog::closeRequested);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(rows);
    // The multi-line text takes what room there is; without it the rows stay at the top and the
    // button at the bottom.
    layout->addWidget(m_text, 1);
    layout->addStretch();
    layout->addLayout(buttons);

    // A field is applied when it loses the focus; Enter moves the focus on, and so applies it.
    for (QLineEdit* edit : {m_name, m_count, m_mark, m_second, m_expression, m_third}) {
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::returnPressed, this, [this, edit] {
            if (Apply(edit))
                focusNextChild();
        });
    }
    m_text->installEventFilter(this);
    m_dataType->installEventFilter(this);
    m_dateFormat->installEventFilter(this);
    connect(m_dataType, &QComboBox::activated, this, &PropertiesDialog::ApplyDataType);
    connect(m_dateFormat, &QComboBox::activated, this, &PropertiesDialog::ApplyDateFormat);

    connect(&m_document, &DesignDocument::changed, this, &PropertiesDialog::Layout);
    connect(&m_document, &DesignDocument::selectionChanged, this, &PropertiesDialog::Layout);
    Layout();
    resize(units.Size(220, 138).expandedTo(minimumSizeHint()));
}

void PropertiesDialog::Layout() {
    m_laying = true;
    const std::vector<CControles*> selected = m_document.SelectedControls();
    Shown shown;
    if (selected.empty()) {
        shown.showText = true;
        shown.text = m_document.Description();
    } else {
        shown = ShownOf(*selected.front(), selected.size() == 1);
        for (std::size_t k = 1; k < selected.size(); ++k)
            shown.Meet(ShownOf(*selected[k], false));
        if (selected.size() > 1) {
            const QString count = QStringLiteral("%1 controles").arg(selected.size());
            shown.typeName =
                shown.typeName.isEmpty() ? count : count + QStringLiteral(": ") + shown.typeName;
        }
    }
    // The names of the fields a capture fills tell them apart: many are never given one name.
    const bool many = selected.size() > 1;
    const bool nameEditable =
        !many || std::none_of(selected.begin(), selected.end(),
                              [](const CControles* c) { return c->IsCaptureControl(); });

    // Only what changes is hidden or shown, so that the field holding the focus keeps it.
    const bool showRows = shown.showName;
    m_nameCaption->setVisible(shown.showName);
    m_name->setVisible(shown.showName);
    m_name->setReadOnly(!nameEditable);
    for (QLabel* caption : {m_row1, m_row2, m_row3})
        caption->setVisible(showRows);
    m_dataType->setVisible(shown.showDataType);
    m_dateFormat->setVisible(shown.showDate);
    m_count->setVisible(shown.showCount);
    m_mark->setVisible(shown.showMark);
    m_second->setVisible(shown.showSecond);
    m_expression->setVisible(shown.showExpression);
    m_third->setVisible(shown.showThird);
    m_text->setVisible(shown.showText);
    m_fontCaption->setVisible(shown.showFont);
    m_font->setVisible(shown.showFont);
    m_colorCaption->setVisible(shown.showColor);
    m_color->setVisible(shown.showColor);

    m_typeName->setText(shown.typeName);
    m_position->setText(shown.position);
    m_width->setText(shown.width);
    m_name->setText(shown.name);
    m_row1->setText(shown.row1);
    m_row2->setText(shown.row2);
    m_row3->setText(shown.row3);
    m_count->setText(shown.first);
    m_second->setText(shown.second);
    m_third->setText(shown.third);
    m_mark->setText(shown.mark);
    m_validator->SetKind(shown.kind);
    m_expression->setText(shown.expression);
    if (m_text->toPlainText() != ParagraphLines::Shown(shown.text))
        m_text->setPlainText(ParagraphLines::Shown(shown.text));
    m_text->document()->setModified(false);
    m_dataType->setCurrentIndex(shown.dataType);
    m_dateFormat->setCurrentIndex(shown.dateFormat);
    m_font->setText(shown.font);
    m_color->setText(shown.color);
    m_color->setIcon(shown.color.isEmpty() ? QIcon() : Swatch(QColor(shown.color)));
    m_laying = false;
    GrowToFit();
}

PropertiesDialog::Shown PropertiesDialog::ShownOf(const CControles& control, bool alone) {
    Shown shown;
    shown.showName = true;
    shown.showFont = control.HasFont();
    if (shown.showFont)
        shown.font = FontText(control.font);
    shown.showColor = DesignDocument::TakesColor(control);
    if (shown.showColor)
        shown.color = ToQColor(control.color).name(QColor::HexRgb).toUpper();

    // A table's picked column is shown for a selection of one only.
    int column = -1;
    if (const CFmtGrid* table = alone ? PickingTable(&control, column) : nullptr) {
        const TableColumn& c = table->Columns()[static_cast<std::size_t>(column)];
        shown.typeName = QStringLiteral("Columna de tabla");
        shown.name = c.title;
        shown.width = Centimetres(c.pageWidth) + QStringLiteral(" cm.");
        shown.row1 = QStringLiteral("Tipo de dato");
        shown.showDataType = true;
        shown.dataType = DataTypeIndex(c.dataType);
        shown.kind = ExpressionValidator::Kind::TableColumn;
        if (DataType::IsComputed(c.dataType)) {
            shown.showExpression = true;
            shown.row2 = QStringLiteral("Cálculo:");
            shown.expression = c.expression;
        }
        return shown;
    }
    shown.typeName = control.TypeName();
    shown.name = control.text;
    const PageRect& r = control.pageRect;
    shown.position =
        QStringLiteral("X=%1 cm., Y=%2 cm.")
            .arg(Centimetres(r.left), Centimetres(control.SingleLineFlag() ? r.bottom : r.top));
    shown.width = Centimetres(r.right - r.left) + QStringLiteral(" cm.");
    switch (control.Type()) {
    case ControlTypeCode::TextlineVar: {
        const auto& line = static_cast<const CTextlineVar&>(control);
        shown.row1 = QStringLiteral("Tipo de dato");
        shown.showDataType = true;
        shown.dataType = DataTypeIndex(line.dataType);
        if (DataType::IsComputed(line.dataType)) {
            shown.showExpression = true;
            shown.row2 = QStringLiteral("Cálculo:");
            shown.expression = line.expression;
        }
        break;
    }
    case ControlTypeCode::CuadrosVar: {
        const auto& boxes = static_cast<const CCuadrosVar&>(control);
        shown.showCount = shown.showSecond = shown.showThird = true;
        shown.row1 = QStringLiteral("Número de cuadros:");
        shown.first = QString::number(boxes.boxCount);
        shown.row2 = QStringLiteral("Ancho del cuadro (mm/10):");
        shown.second = QString::number(boxes.boxWidth);
        shown.row3 = QStringLiteral("Dist. entre cuadros (mm/10):");
        shown.third = QString::number(boxes.boxDistance);
        break;
    }
    case ControlTypeCode::MarcaVar:
        shown.showMark = true;
        shown.row1 = QStringLiteral("Carácter:");
        shown.mark = static_cast<const CMarcaVar&>(control).mark;
        break;
    case ControlTypeCode::FmtGrid: {
        const auto& table = static_cast<const CFmtGrid&>(control);
        shown.showCount = shown.showSecond = true;
        shown.row1 = QStringLiteral("Número de columnas:");
        shown.first = QString::number(table.ColumnCount());
        shown.row2 = QStringLiteral("Número de filas:");
        shown.second = QString::number(table.RowCount());
        break;
    }
    case ControlTypeCode::ConsParrafo:
        shown.showName = false;
        shown.showText = true;
        shown.text = control.text;
        break;
    case ControlTypeCode::DateInput:
        shown.showDate = true;
        shown.row1 = QStringLiteral("Formato de la fecha");
        shown.dateFormat = static_cast<int>(static_cast<const CDateInput&>(control).dateLayout);
        break;
    default:
        break;
    }
    return shown;
}

void PropertiesDialog::Shown::Meet(const Shown& other) {
    // A setting not every control has is hidden; a value not all share is left blank.
    const auto both = [](bool& mine, bool theirs) { mine = mine && theirs; };
    const auto same = [](auto& mine, const auto& theirs, const auto& blank) {
        if (mine != theirs)
            mine = blank;
    };
    for (auto [mine, theirs] :
         {std::pair{&showName, other.showName}, std::pair{&showDataType, other.showDataType},
          std::pair{&showDate, other.showDate}, std::pair{&showCount, other.showCount},
          std::pair{&showMark, other.showMark}, std::pair{&showSecond, other.showSecond},
          std::pair{&showExpression, other.showExpression}, std::pair{&showThird, other.showThird},
          std::pair{&showText, other.showText}, std::pair{&showFont, other.showFont},
          std::pair{&showColor, other.showColor}})
        both(*mine, theirs);
    for (auto [mine, theirs] :
         {std::pair{&typeName, &other.typeName}, std::pair{&name, &other.name},
          std::pair{&position, &other.position}, std::pair{&width, &other.width},
          std::pair{&row1, &other.row1}, std::pair{&row2, &other.row2},
          std::pair{&row3, &other.row3}, std::pair{&first, &other.first},
          std::pair{&second, &other.second}, std::pair{&third, &other.third},
          std::pair{&mark, &other.mark}, std::pair{&text, &other.text},
          std::pair{&expression, &other.expression}, std::pair{&font, &other.font},
          std::pair{&color, &other.color}})
        same(*mine, *theirs, QString());
    same(dataType, other.dataType, -1);
    same(dateFormat, other.dateFormat, -1);
}

void PropertiesDialog::ApplyFocusedField() {
    QWidget* field = focusWidget();
    if (field && field->isVisibleTo(this) && !m_laying)
        Apply(field);
}

void PropertiesDialog::GrowToFit() {
    const QSize needed = size().expandedTo(minimumSizeHint());
    if (needed == size())
        return;
    // Floating, the frame around the dialog grows with it; docked, the dock gives the room.
    if (auto* bar = qobject_cast<QDockWidget*>(window())) {
        if (bar->isFloating())
            bar->resize(bar->size() + needed - size());
    } else if (isWindow()) {
        resize(needed);
    }
}

QWidget* PropertiesDialog::FieldWidget(Field field) const {
    switch (field) {
    case TypeNameField:
        return m_typeName;
    case PositionField:
        return m_position;
    case WidthField:
        return m_width;
    case NameField:
        return m_name;
    case CountField:
        return m_count;
    case SecondNumberField:
        return m_second;
    case Row1Caption:
        return m_row1;
    case MarkField:
        return m_mark;
    case Row2Caption:
        return m_row2;
    case CloseButton:
        return m_close;
    case NameCaption:
        return m_nameCaption;
    case TextField:
        return m_text;
    case DataTypeField:
        return m_dataType;
    case Row3Caption:
        return m_row3;
    case ThirdNumberField:
        return m_third;
    case ExpressionField:
        return m_expression;
    case DateFormatField:
        return m_dateFormat;
    case FontField:
        return m_font;
    case ColorField:
        return m_color;
    }
    return nullptr;
}

QString PropertiesDialog::FieldText(Field field) const {
    QWidget* widget = FieldWidget(field);
    if (auto* l = qobject_cast<QLabel*>(widget))
        return l->text();
    if (auto* e = qobject_cast<QLineEdit*>(widget))
        return e->text();
    if (auto* c = qobject_cast<QComboBox*>(widget))
        return c->currentText();
    if (auto* t = qobject_cast<QPlainTextEdit*>(widget))
        return t->toPlainText();
    if (auto* b = qobject_cast<QPushButton*>(widget))
        return b->text();
    return QString();
}

bool PropertiesDialog::eventFilter(QObject* watched, QEvent* event) {
    auto* field = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::FocusOut && !m_laying && !m_telling &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        Apply(field);
    } else if (event->type() == QEvent::KeyPress &&
               (watched == m_text || watched == m_dataType || watched == m_dateFormat)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const Qt::KeyboardModifiers newLine = Qt::ControlModifier | Qt::ShiftModifier;
        // Enter moves on from the multi-line text and the lists too; Ctrl+Enter (or
        // Shift+Enter) starts a new line of a paragraph or of the description.
        if (enter && watched == m_text && (key->modifiers() & newLine)) {
            m_text->insertPlainText(QStringLiteral("\n"));
            return true;
        }
        if (enter && !(key->modifiers() & Qt::ControlModifier)) {
            if (Apply(field))
                focusNextChild();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool PropertiesDialog::Apply(QWidget* field) {
    CControles* control = m_document.Selected();
    // Of many controls, a field the user left alone keeps each one's own value, blank or not.
    if (m_document.Selection().size() > 1) {
        const auto* edit = qobject_cast<QLineEdit*>(field);
        const bool edited = field == m_text ? m_text->document()->isModified()
                                            : edit && edit->isModified() && !edit->isReadOnly();
        if (!edited)
            return true;
        if (field == m_text) {
            m_document.SetParagraphText(ParagraphLines::Stored(m_text->toPlainText()));
            return true;
        }
    }
    if (field == m_text) {
        // Leaving the text as it was changes nothing, not even how its lines end.
        const QString typed = m_text->toPlainText();
        if (typed == ParagraphLines::Shown(control ? control->text : m_document.Description()))
            return true;
        if (!control)
            m_document.SetDescription(ParagraphLines::Stored(typed));
        else
            m_document.SetParagraphText(ParagraphLines::Stored(typed));
        return true;
    }
    if (!control)
        return true;
    const bool boxes = control->Type() == ControlTypeCode::CuadrosVar;
    const bool table = control->Type() == ControlTypeCode::FmtGrid;
    int value = 0;
    if (field == m_name) {
        // A field's own name keeps the rule of every place it is typed; a column's title has none.
        int column = -1;
        const QString refusal =
            PickingTable(control, column)
                ? QString()
                : FieldNames::Refusal(m_document.Controls(), *control, m_name->text());
        if (!refusal.isEmpty()) {
            Refuse(m_name, refusal);
            return false;
        }
        m_document.SetNameOfSelected(m_name->text());
    } else if (field == m_expression) {
        m_document.SetExpressionOfSelected(m_expression->text());
    } else if (field == m_mark) {
        m_document.SetMarkCharacter(m_mark->text());
    } else if (field == m_count && (boxes || table)) {
        if (!ReadInteger(m_count, value))
            return false;
        if (boxes)
            m_document.SetBoxCount(value);
        else
            m_document.SetColumnCount(value);
    } else if (field == m_second && (boxes || table)) {
        if (!ReadInteger(m_second, value))
            return false;
        if (boxes)
            m_document.SetBoxWidth(value);
        else
            m_document.SetRowCount(value);
    } else if (field == m_third && boxes) {
        if (!ReadInteger(m_third, value))
            return false;
        m_document.SetBoxDistance(value);
    }
    return true;
}

bool PropertiesDialog::ReadInteger(QLineEdit* edit, int& value) {
    bool ok = false;
    value = edit->text().trimmed().toInt(&ok);
    if (ok)
        return true;
    Refuse(edit, QStringLiteral("Introduzca un número entero."));
    return false;
}

void PropertiesDialog::Refuse(QLineEdit* edit, const QString& message) {
    // A text refused once is not told again: closing the message gives the keys back to the
    // window that was clicked, and the field losing them once more is no new attempt.
    if (m_refused != edit || m_refusedText != edit->text()) {
        m_refused = edit;
        m_refusedText = edit->text();
        Tell(message);
    }
    // The focus is moving elsewhere right now; it comes back once that is done, with the
    // properties window brought back to the front, so that the next key acts on the field and
    // not on a control of the page the user clicked.
    QTimer::singleShot(0, edit, [edit] {
        edit->window()->activateWindow();
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    });
}

void PropertiesDialog::ApplyDataType(int index) {
    if (index < 0)
        return;
    if (const auto code = DataType::FromName(m_dataType->itemText(index)))
        m_document.SetDataTypeOfSelected(*code);
}

void PropertiesDialog::ApplyDateFormat(int index) {
    if (index >= 0 && index <= 2)
        m_document.SetDateLayout(index);
}

void PropertiesDialog::Tell(const QString& message) {
    // The message takes the focus from the field it is about; that is no edit to apply.
    const QScopedValueRollback<bool> telling(m_telling, true);
    if (m_tell)
        m_tell(message);
    else
        UserMessage::Error(message);
}
