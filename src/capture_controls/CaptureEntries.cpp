#include "capture_controls/CaptureEntries.h"

#include "capture_controls/CCaptureEdit.h"
#include "capture_controls/TableGridOwner.h"
#include "capture_model/CCuadrosVar.h"
#include "capture_model/CDateInput.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CParrafoVar.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/CaptureDocument.h"
#include "grid/CVrGrid.h"
#include "platform/Saturate.h"
#include "platform_widgets/UpperCaseInput.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTextOption>

#include <cstdlib>
#include <utility>

namespace {

// Puts a value into a widget with the flag set, so that the widget's report of it is ignored.
class Showing {
public:
    explicit Showing(bool& flag) : m_flag(flag), m_was(std::exchange(flag, true)) {}
    ~Showing() { m_flag = m_was; }
    Showing(const Showing&) = delete;
    Showing& operator=(const Showing&) = delete;

private:
    bool& m_flag;
    bool m_was;
};

Qt::Alignment LineAlignment(int alignment) {
    if (alignment == static_cast<int>(TextAlign::Right))
        return Qt::AlignRight | Qt::AlignVCenter;
    if (alignment == static_cast<int>(TextAlign::Center))
        return Qt::AlignHCenter | Qt::AlignVCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// Qt lays a word wider than the box out again for every line it is broken into: a value of a
// few hundred kilobytes without a blank (pasted, or read from a file) would freeze the window for
// minutes. Text with such a word breaks anywhere instead, which takes time in proportion to its
// length; ordinary text keeps breaking between words.
constexpr qsizetype kLongestWrappedWord = 200;

void WrapFor(QPlainTextEdit& edit, const QString& text) {
    qsizetype run = 0;
    bool longWord = false;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kLongestWrappedWord) {
            longWord = true;
            break;
        }
    }
    const QTextOption::WrapMode mode =
        longWord ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (edit.wordWrapMode() != mode)
        edit.setWordWrapMode(mode);
}

} // namespace

CaptureEntries::CaptureEntries(CaptureDocument& document, QWidget& screen, const QFont& font)
    : m_document(document), m_screen(screen), m_font(font) {
    connect(&m_document, &CaptureDocument::fieldChanged, this,
            [this](CCaptureControl* field) { Show(*field); });
    connect(&m_document, &CaptureDocument::cellsChanged, this, [this](CFmtGrid* table) {
        if (QWidget* grid = Widget(*table))
            grid->update();
    });
    connect(&m_document, &CaptureDocument::valuesCleared, this, [this] { ShowAll(true); });
    connect(&m_document, &CaptureDocument::valuesLoaded, this, [this] { ShowAll(false); });
}

CaptureEntries::~CaptureEntries() {
    // The grids ask their owners for texts until they are gone: they go first.
    Drop();
}

QRect CaptureEntries::ScreenGeometry(const Rect& screen) {
    const Rect r = screen.Normalized();
    return QRect(r.left, r.top, r.Width(), r.Height());
}

void CaptureEntries::Drop() {
    for (const QPointer<QWidget>& widget : m_made)
        delete widget.data();
    m_made.clear();
    m_entries.clear();
    m_widgets.clear();
    m_gridOwners.clear();
}

void CaptureEntries::Build() {
    Drop();
    for (const auto& control : m_document.Controls()) {
        if (!control->IsCaptureControl())
            continue;
        auto* field = dynamic_cast<CCaptureControl*>(control.get());
        if (!field || m_widgets.contains(field))
            continue;
        if (QWidget* widget = CreateCaptureWindow(*field, CalculatedFields::Identifier(*field)))
            m_entries.push_back(Entry{field, widget});
    }
}

QWidget* CaptureEntries::CreateCaptureWindow(CCaptureControl& field, int identifier) {
    QWidget* widget = nullptr;
    if (auto* line = dynamic_cast<CTextlineVar*>(&field)) {
        widget = MakeLine(*line, identifier);
    } else if (auto* paragraph = dynamic_cast<CParrafoVar*>(&field)) {
        auto* edit = new QPlainTextEdit(&m_screen);
        edit->setTabChangesFocus(true);
        edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        // Lines wrap at the box's width, so the text only ever grows downward.
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        if (paragraph->IsUpperCase())
            UpperCaseInput::Apply(edit);
        edit->setFont(m_font);
        WrapFor(*edit, paragraph->Value());
        if (!paragraph->Value().isEmpty())
            edit->setPlainText(paragraph->Value());
        connect(edit, &QPlainTextEdit::textChanged, edit, [this, edit, paragraph] {
            if (m_showing)
                return;
            const QString text = edit->toPlainText();
            WrapFor(*edit, text);
            m_document.EditText(*paragraph, text);
        });
        widget = edit;
    } else if (auto* boxes = dynamic_cast<CCuadrosVar*>(&field)) {
        auto* edit = new QLineEdit(&m_screen);
        edit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        if (boxes->IsUpperCase())
            UpperCaseInput::Apply(edit);
        edit->setFont(m_font);
        edit->setMaxLength(boxes->EntryLimit());
        edit->setText(boxes->Value());
        connect(edit, &QLineEdit::textChanged, edit, [this, boxes](const QString& text) {
            if (!m_showing)
                m_document.EditText(*boxes, text);
        });
        // The keyboard's limit moves only when the field is left: moved while the user types,
        // it would put the cursor at the end.
        connect(edit, &QLineEdit::editingFinished, edit, [this, edit, boxes] {
            m_document.LeaveField(*boxes);
            if (edit->maxLength() != boxes->EntryLimit())
                edit->setMaxLength(boxes->EntryLimit());
        });
        widget = edit;
    } else if (auto* mark = dynamic_cast<CMarcaVar*>(&field)) {
        auto* box = new QCheckBox(QString(), &m_screen);
        box->setFocusPolicy(Qt::StrongFocus);
        box->setFont(m_font);
        box->setChecked(mark->IsChecked());
        connect(box, &QCheckBox::toggled, box, [this, mark](bool checked) {
            if (!m_showing)
                m_document.SetChecked(*mark, checked);
        });
        widget = box;
    } else if (auto* date = dynamic_cast<CDateInput*>(&field)) {
        // The picker keeps its own font; the entry font of the capture screen is not applied.
        auto* picker = new QDateEdit(&m_screen);
        picker->setCalendarPopup(true);
        // The locale's short date, with the year in full: on a cheque or an invoice "26" is not
        // a year anybody should have to guess.
        QString shortDate = picker->locale().dateFormat(QLocale::ShortFormat);
        if (!shortDate.contains(QLatin1String("yyyy")))
            shortDate.replace(QLatin1String("yy"), QLatin1String("yyyy"));
        picker->setDisplayFormat(shortDate);
        picker->setMinimumDate(CDateInput::FirstDate());
        picker->setMaximumDate(CDateInput::LastDate());
        if (const std::optional<QDateTime> held = date->Date())
            picker->setDate(held->date());
        connect(picker, &QDateEdit::dateChanged, picker, [this, date](const QDate& picked) {
            if (!m_showing)
                m_document.PickDate(*date, picked);
        });
        widget = picker;
    } else if (auto* table = dynamic_cast<CFmtGrid*>(&field)) {
        widget = MakeGrid(*table, identifier);
    }
    if (!widget)
        return nullptr;
    widget->setGeometry(ScreenGeometry(field.screenRect));
    widget->setProperty("captureId", identifier);
    widget->show();
    m_made.emplace_back(widget);
    m_widgets.insert(&field, widget);
    return widget;
}

QWidget* CaptureEntries::MakeLine(CTextlineVar& line, int identifier) {
    auto* edit = new CCaptureEdit(identifier, &m_screen);
    edit->setAlignment(LineAlignment(line.alignment));
    if (line.IsUpperCase())
        UpperCaseInput::Apply(edit);
    edit->setFont(m_font);
    if (!line.Value().isEmpty())
        edit->setText(line.Value());
    CTextlineVar* field = &line;
    connect(edit, &QLineEdit::textChanged, edit, [this, field](const QString& text) {
        if (!m_showing)
            m_document.EditText(*field, text);
    });
    connect(edit, &CCaptureEdit::focusLost, edit, [this, field] {
        m_document.LeaveField(*field);
        emit lineLeft(field);
    });
    return edit;
}

QWidget* CaptureEntries::MakeGrid(CFmtGrid& table, int identifier) {
    CFmtGrid* edited = &table;
    auto owner = std::make_unique<TableGridOwner>(m_document, table,
                                                  [this, edited] { emit tableEdited(edited); });
    auto* grid =
        new CVrGrid(&m_screen, ScreenGeometry(table.screenRect), owner.get(), identifier, true);
    m_gridOwners.push_back(std::move(owner));
    grid->SetColumnCount(table.ColumnCount());
    grid->SetNoNewRow(true);
    grid->ShowFrame(true);
    for (int k = 1; k <= table.ColumnCount(); ++k) {
        const TableColumn& c = table.Columns()[static_cast<std::size_t>(k - 1)];
        grid->SetColumn(k, c.title, Saturate(std::abs(std::int64_t{c.screenWidth})),
                        table.IsColumnReadOnly(k), table.ColumnAlign(k - 1));
    }
    grid->SetRowCount(table.RowCount());
    return grid;
}

void CaptureEntries::Show(CCaptureControl& field) {
    QWidget* widget = Widget(field);
    if (!widget)
        return;
    const Showing showing(m_showing);
    if (auto* line = dynamic_cast<CTextlineVar*>(&field)) {
        auto* edit = static_cast<QLineEdit*>(widget);
        if (edit->text() != line->Value())
            edit->setText(line->Value());
    } else if (auto* paragraph = dynamic_cast<CParrafoVar*>(&field)) {
        auto* edit = static_cast<QPlainTextEdit*>(widget);
        if (edit->toPlainText() != paragraph->Value()) {
            WrapFor(*edit, paragraph->Value());
            edit->setPlainText(paragraph->Value());
        }
    } else if (auto* boxes = dynamic_cast<CCuadrosVar*>(&field)) {
        auto* edit = static_cast<QLineEdit*>(widget);
        if (edit->maxLength() != boxes->EntryLimit())
            edit->setMaxLength(boxes->EntryLimit());
        if (edit->text() != boxes->Value())
            edit->setText(boxes->Value());
    } else if (auto* mark = dynamic_cast<CMarcaVar*>(&field)) {
        static_cast<QCheckBox*>(widget)->setChecked(mark->IsChecked());
    } else if (auto* date = dynamic_cast<CDateInput*>(&field)) {
        if (const std::optional<QDateTime> held = date->Date())
            static_cast<QDateEdit*>(widget)->setDate(held->date());
    } else {
        widget->update();
    }
}

void CaptureEntries::ShowAll(bool cleared) {
    for (const Entry& entry : m_entries) {
        Show(*entry.field);
        // An emptied table starts again at its first cell.
        if (auto* grid = qobject_cast<CVrGrid*>(entry.widget); grid && cleared)
            grid->SetCurrentCell(1, 1);
    }
}
