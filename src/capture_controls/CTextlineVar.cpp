#include "capture_controls/CTextlineVar.h"

#include "capture_controls/CCaptureEdit.h"
#include "capture_controls/DataType.h"
#include "model/ControlType.h"
#include "platform/Archive.h"
#include "platform/UpperCaseInput.h"

CTextlineVar::CTextlineVar() : CCaptureControl(kTypeTextlineVar) {}

std::unique_ptr<CTextlineVar> CTextlineVar::Create(int x, int y) {
    auto control = std::make_unique<CTextlineVar>();
    control->text = QStringLiteral("Linea de texto");
    control->pageRect = PageRect(x, y - control->font.height + 5, x + 400, y);
    control->UpdateHandles();
    return control;
}

void CTextlineVar::Serialize(Archive& ar) {
    SerializeBase(ar);
    if (ar.IsStoring()) {
        ar.WriteString(expression);
        ar.WriteInt32(dataType);
        return;
    }
    expression = ar.ReadString();
    // Files of the first version carry no data type: a field with an expression computed a
    // number, any other held text.
    if (recordVersion == 2)
        dataType = ar.ReadInt32();
    else
        dataType = expression.isEmpty() ? kDataTexto : kDataNumeroCalculado;
    UpdateHandles();
    valueText.clear();
    numericValue = 0;
}

CCaptureEdit* CTextlineVar::Edit() const {
    return static_cast<CCaptureEdit*>(m_widget.data());
}

void CTextlineVar::LoadValue(Archive& ar) {
    const QString value = ar.ReadString();
    if (Edit())
        Edit()->setText(value);
}

void CTextlineVar::SaveValue(Archive& ar) {
    ar.WriteInt32(captureOrder);
    ar.WriteString(Edit() ? Edit()->text() : QString());
}

int CTextlineVar::CreateCaptureWindow(DrawingSurface&, QWidget* parent, int firstId,
                                      const QFont* entryFont) {
    if (m_widget)
        return 0;
    auto* edit = new CCaptureEdit(firstId, parent);
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (alignment == static_cast<int>(TextAlign::Right))
        horizontal = Qt::AlignRight;
    else if (alignment == static_cast<int>(TextAlign::Center))
        horizontal = Qt::AlignHCenter;
    edit->setAlignment(horizontal | Qt::AlignVCenter);
    if (IsUpperCase())
        UpperCaseInput::Apply(edit);
    if (entryFont)
        edit->setFont(*entryFont);
    AdoptWidget(edit, firstId);
    return 1;
}

void CTextlineVar::UpdateHandles() {
    SetCaptureHandles(false);
}

void CTextlineVar::Draw(DrawingSurface& dc) {
    DrawNameLine(dc);
}

void CTextlineVar::DrawOnScreenLayout(DrawingSurface& dc, bool showOrder) {
    DrawScreenField(dc, showOrder);
}

void CTextlineVar::ClearValue() {
    if (Edit())
        Edit()->clear();
    valueText.clear();
    numericValue = 0;
}

void CTextlineVar::Print(DrawingSurface& dc) {
    if (!Edit())
        return;
    PrintLine(dc, Edit()->text());
}

void CTextlineVar::DescribeOwnFields(ControlFields& fields) const {
    fields.emplace_back(QStringLiteral("expression"), expression);
    fields.emplace_back(QStringLiteral("dataType"), dataType);
}
