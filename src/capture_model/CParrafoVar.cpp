#include "capture_model/CParrafoVar.h"

#include "model/ControlType.h"
#include "platform/Archive.h"
#include "platform_widgets/UpperCaseInput.h"

#include <QPlainTextEdit>

#include <climits>
#include <cstdlib>

CParrafoVar::CParrafoVar() : CCaptureControl(ControlTypeCode::ParrafoVar) {
    captionLeft = false;
}

std::unique_ptr<CParrafoVar> CParrafoVar::Create(int x, int y) {
    auto control = std::make_unique<CParrafoVar>();
    control->text = QStringLiteral("Parrafo de texto");
    control->pageRect = PageRect(x, y, x + 600, y + 3 * control->font.height - 5);
    control->UpdateHandles();
    return control;
}

QPlainTextEdit* CParrafoVar::Edit() const {
    return static_cast<QPlainTextEdit*>(m_widget.data());
}

void CParrafoVar::SetValue(const QString& value) {
    m_value = value;
    if (Edit()) {
        Edit()->setPlainText(value);
        m_value = Edit()->toPlainText();
    }
}

void CParrafoVar::LoadValue(Archive& ar) {
    SetValue(ar.ReadString());
}

void CParrafoVar::SaveValue(Archive& ar) {
    ar.WriteInt32(captureOrder);
    ar.WriteString(m_value);
}

int CParrafoVar::CreateCaptureWindow(DrawingSurface&, QWidget* parent, int firstId,
                                     const QFont* entryFont) {
    if (m_widget)
        return 0;
    auto* edit = new QPlainTextEdit(parent);
    edit->setTabChangesFocus(true);
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Lines wrap at the box's width, so the text only ever grows downward.
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    if (IsUpperCase())
        UpperCaseInput::Apply(edit);
    if (entryFont)
        edit->setFont(*entryFont);
    if (!m_value.isEmpty())
        edit->setPlainText(m_value);
    m_value = edit->toPlainText();
    BindValue(QObject::connect(edit, &QPlainTextEdit::textChanged, edit,
                               [this, edit] { m_value = edit->toPlainText(); }));
    AdoptWidget(edit, firstId);
    return 1;
}

void CParrafoVar::FitHeightToFont() {
    font.height = font.height == INT_MIN ? INT_MIN + 1 : -std::abs(font.height);
}

void CParrafoVar::UpdateHandles() {
    SetCaptureHandles(true);
}

TextLayoutFlags CParrafoVar::ParagraphLayout() const {
    switch (alignment) {
    case 1:
        return TextLayout::Center;
    case 2:
        return TextLayout::Right;
    default:
        return TextLayout::Left;
    }
}

void CParrafoVar::Draw(DrawingSurface& dc) const {
    const QString name = DisplayName();
    const Pen previousPen = SelectSelectionPen(dc);
    dc.SetTextColor(color);
    Rect r = pageRect.Offsetted(kDesignShiftX, kDesignShiftY);
    dc.Rectangle(r);
    if (selected)
        DrawHandles(dc);
    const LogFont previousFont = dc.SelectFont(font);
    dc.SetTextAlign(TextAlign::Left | TextAlign::Top);
    dc.DrawText(name, r, ParagraphLayout() | TextLayout::SingleLine);
    RestorePen(dc, previousPen);
    dc.SelectFont(previousFont);
}

ScreenRect CParrafoVar::UnplacedScreenRect() const {
    return PageOnScreen();
}

void CParrafoVar::DrawOnScreenLayout(DrawingSurface& dc, bool showOrder) const {
    DrawScreenField(dc, showOrder);
}

void CParrafoVar::ClearValue() {
    m_value.clear();
    if (Edit())
        Edit()->clear();
}

void CParrafoVar::Print(DrawingSurface& dc) const {
    if (!PrintsText(m_value))
        return;
    const LogFont previousFont = dc.SelectFont(font);
    dc.SetTextColor(color);
    dc.SetTextAlign(TextAlign::Left | TextAlign::Top);
    Rect r = pageRect;
    dc.DrawText(m_value, r, ParagraphLayout() | TextLayout::WordBreak);
    dc.SelectFont(previousFont);
}
