#include "designer/ControlSnapshot.h"

#include "capture_model/CFmtGrid.h"
#include "model/CControles.h"
#include "model/CImagen.h"
#include "platform/Archive.h"

#include <QBuffer>

namespace {

bool IsImage(const CControles& control) {
    return control.Type() == ControlTypeCode::Imagen;
}

} // namespace

ControlSnapshot::ControlSnapshot(const CControles& control)
    : m_pageRect(control.pageRect), m_screenRect(control.screenRect), m_font(control.font),
      m_color(control.color), m_text(control.text), m_screenPlaced(control.screenPlaced),
      m_captionLeft(control.captionLeft), m_alignment(control.alignment),
      m_captureOrder(control.captureOrder), m_upperCase(control.upperCase) {
    if (IsImage(control))
        return;
    QBuffer buffer(&m_record);
    buffer.open(QIODevice::WriteOnly);
    Archive ar(buffer, Archive::Mode::Store);
    control.WriteRecord(ar);
    ar.Flush();
}

void ControlSnapshot::Restore(CControles& control) const {
    const bool selected = control.selected;
    const bool screenHandles = control.screenHandles;
    const int recordVersion = control.recordVersion;
    auto* table = dynamic_cast<CFmtGrid*>(&control);
    const int pickedColumn = table ? table->SelectedColumn() : -1;
    const int pickedRow = table ? table->SelectedRow() : -1;

    if (!m_record.isEmpty()) {
        // The record was written by this program a moment ago, in the current version.
        QByteArray bytes = m_record;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        Archive ar(buffer, Archive::Mode::Load);
        control.recordVersion = 2;
        control.ReadRecord(ar);
    }
    const bool resized = control.pageRect.Normalized().Width() != m_pageRect.Normalized().Width() ||
                         control.pageRect.Normalized().Height() != m_pageRect.Normalized().Height();

    // Reading a record normalizes nothing of the base but works a field's screen rectangle out
    // again and may move a table back onto the capture screen; the members as they were taken
    // are what the file must get back.
    control.pageRect = m_pageRect;
    control.screenRect = m_screenRect;
    control.font = m_font;
    control.color = m_color;
    control.text = m_text;
    control.screenPlaced = m_screenPlaced;
    control.captionLeft = m_captionLeft;
    control.alignment = m_alignment;
    control.captureOrder = m_captureOrder;
    control.upperCase = m_upperCase;

    control.selected = selected;
    control.screenHandles = screenHandles;
    control.recordVersion = recordVersion;
    if (table) {
        // A step that gave the table fewer columns or rows may leave the pick beyond the end.
        table->SelectColumn(pickedColumn < table->ColumnCount() ? pickedColumn : -1);
        table->SelectRow(pickedRow < table->RowCount() ? pickedRow : -1);
    }
    if (IsImage(control) && resized) {
        // Fitting normalizes the rectangle; the picture takes the size, the rectangle stays as
        // it was taken.
        static_cast<CImagen&>(control).FitPicture();
        control.pageRect = m_pageRect;
    }
    control.UpdateHandles();
}
