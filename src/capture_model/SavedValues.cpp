#include "capture_model/SavedValues.h"

#include "capture_model/CFmtGrid.h"
#include "capture_model/CTextlineVar.h"
#include "platform/Archive.h"

#include <QBuffer>

QByteArray SavedValues::Typed(const ControlList& controls) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Archive ar(buffer, Archive::Mode::Store);
    for (const auto& control : controls) {
        if (!control->IsCaptureControl())
            continue;
        if (const auto* line = dynamic_cast<const CTextlineVar*>(control.get());
            line && line->IsCalculated())
            continue;
        if (const auto* table = dynamic_cast<const CFmtGrid*>(control.get())) {
            const CTableData& cells = table->Cells();
            const std::vector<TableColumn>& columns = table->Columns();
            ar.WriteInt32(table->captureOrder);
            for (int r = 1; r <= cells.RowCount(); ++r) {
                for (int c = 1; c <= cells.ColumnCount(); ++c) {
                    const auto column = static_cast<std::size_t>(c - 1);
                    if (column >= columns.size() || columns[column].expression.isEmpty())
                        ar.WriteString(cells.GetCell(c, r));
                }
            }
            continue;
        }
        control->SaveValue(ar);
    }
    ar.Flush();
    return bytes;
}
