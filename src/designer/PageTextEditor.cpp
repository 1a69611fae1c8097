#include "designer/PageTextEditor.h"

#include "designer/CFmtdesignView.h"
#include "designer/DesignDocument.h"
#include "designer/FieldNames.h"
#include "designer/ParagraphLines.h"
#include "model/CControles.h"
#include "platform/ColorRef.h"
#include "platform/DrawingSurface.h"
#include "platform/PainterSurface.h"

#include <QFocusEvent>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPlainTextEdit>
#include <QRect>
#include <QScopedValueRollback>
#include <QTimer>

#include <algorithm>

namespace {

// A tenth of a millimetre per unit: 254 units to the inch.
constexpr double kUnitsPerInch = 254.0;
// The box is never narrower than this many average letters, so that a short text has room.
constexpr int kLeastLetters = 6;

// The control's font as the view draws it at the zoom of the moment.
QFont ZoomedFont(const CFmtdesignView& view, const LogFont& font) {
    QImage image(1, 1, QImage::Format_RGB32);
    QPainter painter(&image);
    PainterSurface::DeviceInfo info;
    info.dpiX = info.dpiY = view.Scale() * kUnitsPerInch;
    PainterSurface dc(painter, info);
    dc.SetMapMode(MapMode::LoMetric);
    return dc.MakeQFont(font);
}

Qt::Alignment LineAlignment(const CControles& control) {
    if (control.Type() == ControlTypeCode::Etiqueta)
        return Qt::AlignLeft;
    switch (static_cast<TextAlign>(control.alignment)) {
    case TextAlign::Right:
        return Qt::AlignRight;
    case TextAlign::Center:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

bool IsEnter(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

} // namespace

PageTextEditor::PageTextEditor(CFmtdesignView& view, DesignDocument& document)
    : QObject(&view), m_view(view), m_document(document) {
    // A step made elsewhere (undo from the menu, a delete from the toolbar) may take the control
    // away or give it another text: what was being typed over it no longer fits it.
    connect(&m_document, &DesignDocument::changed, this, [this] { Cancel(); });
}

// The box is a child of the view's surface and goes with it.
PageTextEditor::~PageTextEditor() = default;

bool PageTextEditor::Edits(const CControles& control) {
    switch (control.Type()) {
    case ControlTypeCode::ConsText:
    case ControlTypeCode::ConsParrafo:
    case ControlTypeCode::Etiqueta:
    case ControlTypeCode::TextlineVar:
    case ControlTypeCode::ParrafoVar:
    case ControlTypeCode::DateInput:
        return true;
    default:
        return false;
    }
}

bool PageTextEditor::Start(int index) {
    const CControles* control = m_document.ControlAt(index);
    if (!control || !Edits(*control))
        return false;
    if (IsEditing() && !Apply())
        return false;
    m_control = control;
    m_index = index;
    m_multiLine = control->Type() == ControlTypeCode::ConsParrafo;
    m_editor = MakeEditor(*control);
    Place(*control);
    m_editor->show();
    m_editor->setFocus(Qt::MouseFocusReason);
    return true;
}

QWidget* PageTextEditor::MakeEditor(const CControles& control) {
    QWidget* parent = m_view.viewport();
    QWidget* editor = nullptr;
    if (m_multiLine) {
        auto* text = new QPlainTextEdit(parent);
        text->setPlainText(ParagraphLines::Shown(control.text));
        text->selectAll();
        text->setTabChangesFocus(true);
        editor = text;
    } else {
        auto* line = new QLineEdit(control.text, parent);
        line->setAlignment(LineAlignment(control) | Qt::AlignVCenter);
        line->selectAll();
        // The box grows with what is typed, as far as the page shows.
        connect(line, &QLineEdit::textChanged, this, [this] {
            if (m_control)
                Place(*m_control);
        });
        editor = line;
    }
    editor->setObjectName(QStringLiteral("pageTextEditor"));
    editor->setFont(ZoomedFont(m_view, control.font));
    // The text shows as it will on the page, in the control's colour.
    QPalette palette = editor->palette();
    palette.setColor(QPalette::Text, ToQColor(control.color));
    editor->setPalette(palette);
    editor->installEventFilter(this);
    return editor;
}

void PageTextEditor::Place(const CControles& control) {
    if (!m_editor)
        return;
    // The control's corners as the view shows them: its upper-left and lower-right.
    const Rect r = control.pageRect.Normalized(); // top is the lower edge
    QRect box =
        QRect(m_view.ToPixel(Point{r.left, r.bottom}), m_view.ToPixel(Point{r.right, r.top}))
            .normalized();
    const QFontMetrics metrics(m_editor->font());
    int width = std::max(box.width(), kLeastLetters * metrics.averageCharWidth());
    if (const auto* line = qobject_cast<const QLineEdit*>(m_editor.data())) {
        const int room = metrics.horizontalAdvance(line->text()) + 4 * metrics.averageCharWidth();
        width = std::max(width, std::min(room, m_view.viewport()->width() - box.left()));
    }
    box.setWidth(width);
    const int lineHeight = m_editor->sizeHint().height();
    if (m_multiLine) {
        box.setHeight(std::max(box.height(), 2 * lineHeight));
    } else if (control.Type() == ControlTypeCode::ParrafoVar) {
        // A paragraph field shows its name on its first line.
        box.setHeight(lineHeight);
    } else {
        // A line of text stands on the control's lower edge.
        box.setTop(box.bottom() + 1 - std::max(box.height(), lineHeight));
    }
    m_editor->setGeometry(box);
}

QString PageTextEditor::Typed() const {
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(m_editor.data()))
        return ParagraphLines::Stored(text->toPlainText());
    if (const auto* line = qobject_cast<const QLineEdit*>(m_editor.data()))
        return line->text();
    return QString();
}

bool PageTextEditor::Apply() {
    if (!IsEditing())
        return true;
    const int index = m_index;
    const CControles* control = m_document.ControlAt(index);
    const QString typed = Typed();
    if (control != m_control || typed == control->text) {
        Close();
        return true;
    }
    const QString refusal = FieldNames::Refusal(m_document.Controls(), *control, typed);
    if (!refusal.isEmpty()) {
        {
            const QScopedValueRollback<bool> telling(m_telling, true);
            emit refused(refusal);
        }
        // The keys come back once the message is gone, the name selected for another try.
        QTimer::singleShot(0, m_editor, [editor = m_editor] {
            if (!editor)
                return;
            editor->activateWindow();
            editor->setFocus(Qt::OtherFocusReason);
            if (auto* line = qobject_cast<QLineEdit*>(editor.data()))
                line->selectAll();
        });
        return false;
    }
    // Closed first: the step's own change must not end an editing that is already over.
    Close();
    m_document.SetTextOf(index, typed);
    return true;
}

void PageTextEditor::Cancel() {
    Close();
}

void PageTextEditor::Finish() {
    if (!IsEditing())
        return;
    const CControles* control = m_document.ControlAt(m_index);
    const QString refusal = control == m_control
                                ? FieldNames::Refusal(m_document.Controls(), *control, Typed())
                                : QString();
    if (refusal.isEmpty()) {
        Apply();
        return;
    }
    Close();
    emit refused(refusal);
}

void PageTextEditor::Close() {
    QWidget* editor = m_editor;
    m_editor = nullptr;
    m_control = nullptr;
    m_index = -1;
    if (!editor)
        return;
    editor->removeEventFilter(this);
    // The page takes the keys back, so that the arrows and Delete act on the controls again.
    if (editor->hasFocus())
        m_view.setFocus(Qt::OtherFocusReason);
    editor->hide();
    editor->deleteLater();
}

bool PageTextEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_editor)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Enter and Esc belong to the box, whatever the window's keys say.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape || IsEnter(*key)) {
            event->accept();
            return true;
        }
        break;
    }
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            Cancel();
            return true;
        }
        if (IsEnter(*key)) {
            // Enter starts a new line of a paragraph; Ctrl+Enter applies it.
            if (m_multiLine && !key->modifiers().testFlag(Qt::ControlModifier))
                return false;
            Apply();
            return true;
        }
        break;
    }
    case QEvent::FocusOut: {
        // A menu opening over the box, or another window coming to the front, is no end of the
        // editing: the keys come back to the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (!m_telling && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            Apply();
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
