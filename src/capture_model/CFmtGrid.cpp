#include "capture_model/CFmtGrid.h"

#include "model/FormatError.h"
#include "model/TrueScale.h"
#include "platform/Archive.h"
#include "platform/Saturate.h"

#include <QGuiApplication>
#include <QPalette>
#include <QVariantList>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kDividerHalf = 10;
constexpr int kCellInset = 2;
constexpr int kNewTableColumns = 4;
constexpr int kNewTableRows = 6;
constexpr ColorRef kSelectedCell = MakeColorRef(164, 164, 164);

std::int32_t Abs32(std::int32_t v) {
    return Saturate(std::abs(std::int64_t{v}));
}

TableColumn NewColumn(int number) {
    TableColumn c;
    c.title = QStringLiteral("Columna %1").arg(number);
    return c;
}

TableRow RowOfHeight(int height) {
    TableRow r;
    r.height = height;
    return r;
}

// Scales sizes from oldTotal to newTotal, truncating each, and gives the units still missing one
// each to consecutive entries from next on, wrapping; next is left after the last one given.
template <typename Size>
void ScaleInProportion(std::vector<Size>& sizes, std::int64_t oldTotal, std::int64_t newTotal,
                       int& next) {
    const auto count = static_cast<std::int64_t>(sizes.size());
    if (count == 0)
        return;
    std::int64_t sum = 0;
    for (Size& s : sizes) {
        if (oldTotal != 0)
            s.get() = Saturate(std::int64_t{s.get()} * newTotal / oldTotal);
        sum += s.get();
    }
    if (sum >= newTotal)
        return;
    const std::int64_t missing = (newTotal - sum) % count;
    if (next < 0 || next >= count)
        next = 0;
    for (std::int64_t i = 0; i < missing; ++i) {
        int& s = sizes[static_cast<std::size_t>(next)].get();
        s = SaturatedAdd(s, 1);
        next = static_cast<int>((next + 1) % count);
    }
}

} // namespace

CFmtGrid::CFmtGrid() : CCaptureControl(ControlTypeCode::FmtGrid) {
    captionLeft = false;
    RebuildCells();
}

std::unique_ptr<CFmtGrid> CFmtGrid::Create(int x, int y) {
    auto table = std::make_unique<CFmtGrid>();
    table->text = QStringLiteral("Tabla");
    for (int i = 1; i <= kNewTableColumns; ++i)
        table->m_columns.push_back(NewColumn(i));
    table->m_rows.assign(kNewTableRows, RowOfHeight(table->NewRowHeight()));
    table->pageRect = PageRect(x, y, x, y);
    table->FitWidthToColumns();
    table->FitHeightToRows();
    table->UpdateHandles();
    table->RebuildCells();
    return table;
}

int CFmtGrid::NewRowHeight() const {
    return Saturate(5 - std::int64_t{font.height});
}

void CFmtGrid::RebuildCells() {
    m_cells = std::make_unique<CTableData>(m_columns, RowCount(), m_settings);
}

void CFmtGrid::UseSettings(const FormatSettings& settings) {
    m_settings = settings;
    m_cells->UseSettings(settings);
}

bool CFmtGrid::IsColumnReadOnly(int column) const {
    if (column < 1 || column > ColumnCount())
        return false;
    return !m_columns[static_cast<std::size_t>(column - 1)].expression.isEmpty() &&
           m_settings.calculatedReadOnly;
}

TextAlign CFmtGrid::ColumnAlign(int column) const {
    const int alignment = m_columns[static_cast<std::size_t>(column)].alignment;
    if (alignment == static_cast<int>(TextAlign::Right))
        return TextAlign::Right;
    if (alignment == static_cast<int>(TextAlign::Center))
        return TextAlign::Center;
    return TextAlign::Left;
}

// ---------------------------------------------------------------------------------------------
// The format file

void CFmtGrid::WriteRecord(Archive& ar) const {
    WriteBase(ar);
    ar.WriteInt32(ColumnCount());
    for (const TableColumn& c : m_columns) {
        ar.WriteInt32(c.alignment);
        ar.WriteString(c.title);
        ar.WriteInt32(c.pageWidth);
        ar.WriteInt32(Abs32(c.screenWidth));
        ar.WriteInt32(static_cast<std::int32_t>(c.dataType));
        ar.WriteString(c.expression);
    }
    ar.WriteInt32(RowCount());
    for (const TableRow& r : m_rows)
        ar.WriteInt32(r.height);
}

void CFmtGrid::ReadRecord(Archive& ar) {
    ReadBase(ar);
    // Each entry is read before it is kept, so a count larger than the file ends in the
    // archive's end of file, never in a large allocation.
    m_columns.clear();
    m_rows.clear();
    const std::int32_t columnCount = ar.ReadInt32();
    for (std::int32_t i = 0; i < columnCount; ++i) {
        TableColumn c;
        c.alignment = ar.ReadInt32();
        c.title = ar.ReadString();
        c.pageWidth = ar.ReadInt32();
        c.screenWidth = ar.ReadInt32();
        c.dataType = static_cast<DataTypeCode>(ar.ReadInt32());
        c.expression = ar.ReadString();
        m_columns.push_back(c);
    }
    const std::int32_t rowCount = ar.ReadInt32();
    for (std::int32_t i = 0; i < rowCount; ++i)
        m_rows.push_back(RowOfHeight(ar.ReadInt32()));
    if (std::int64_t{ColumnCount()} * RowCount() > kMostCells)
        throw FormatError(QStringLiteral("la tabla «%1» tiene demasiadas celdas (%2 columnas por "
                                         "%3 filas)")
                              .arg(text)
                              .arg(ColumnCount())
                              .arg(RowCount()));
    if (!ar.Claim(u"table cells", std::int64_t{ColumnCount()} * RowCount(), kMostCellsPerFormat))
        throw FormatError(QStringLiteral("las tablas del formato pasan de %1 celdas entre todas "
                                         "(la tabla «%2» añade %3 columnas por %4 filas)")
                              .arg(kMostCellsPerFormat)
                              .arg(text)
                              .arg(ColumnCount())
                              .arg(RowCount()));
    m_selectedColumn = -1;
    m_selectedRow = -1;
    RebuildCells();
    UpdateHandles();
    // A table placed off the capture screen comes back onto it, keeping its size.
    if (screenRect.left < 0) {
        screenRect.right = Saturate(std::int64_t{screenRect.right} - screenRect.left);
        screenRect.left = 0;
        UpdateHandles();
    }
    if (screenRect.top < 0) {
        screenRect.bottom = Saturate(std::int64_t{screenRect.bottom} - screenRect.top);
        screenRect.top = 0;
        UpdateHandles();
    }
}

// ---------------------------------------------------------------------------------------------
// Captured values

void CFmtGrid::LoadValue(Archive& ar) {
    const std::int32_t rows = ar.ReadInt32();
    const std::int32_t columns = ar.ReadInt32();
    if (rows <= 0 || columns <= 0)
        return;
    // Every text is read, so that the next control's value follows; those outside the table
    // are dropped. A cell saved empty comes back empty: formatted by its column, it would
    // print 0.00 on every unused line of the stationery.
    for (std::int32_t r = 1; r <= rows; ++r) {
        for (std::int32_t c = 1; c <= columns; ++c) {
            const QString text = ar.ReadString();
            if (text.isEmpty())
                m_cells->ClearCell(c, r);
            else
                m_cells->SetCell(c, r, text, true);
        }
    }
}

void CFmtGrid::SaveValue(Archive& ar) {
    ar.WriteInt32(captureOrder);
    ar.WriteInt32(m_cells->RowCount());
    ar.WriteInt32(m_cells->ColumnCount());
    for (int r = 1; r <= m_cells->RowCount(); ++r) {
        for (int c = 1; c <= m_cells->ColumnCount(); ++c)
            ar.WriteString(m_cells->GetCell(c, r));
    }
}

void CFmtGrid::ClearValue() {
    m_cells->ClearAll();
}

// ---------------------------------------------------------------------------------------------
// Layout on the page

void CFmtGrid::FitHeightToFont() {
    font.height = Saturate(-std::abs(std::int64_t{font.height}));
}

void CFmtGrid::FitWidthToColumns() {
    std::int64_t right = pageRect.left;
    for (const TableColumn& c : m_columns)
        right += c.pageWidth;
    pageRect.right = Saturate(right);
}

void CFmtGrid::FitHeightToRows() {
    std::int64_t bottom = pageRect.top;
    for (const TableRow& r : m_rows)
        bottom -= r.height;
    pageRect.bottom = Saturate(bottom);
}

void CFmtGrid::UpdateHandles() {
    if (screenHandles) {
        SetCaptureHandles(true);
        return;
    }
    std::int64_t x = pageRect.left;
    for (TableColumn& c : m_columns) {
        c.xPosition = Saturate(x);
        x += c.pageWidth;
        const int edge = Saturate(x);
        c.divider = PageRect(SaturatedAdd(edge, -kDividerHalf), pageRect.top,
                             SaturatedAdd(edge, kDividerHalf), pageRect.bottom);
    }
    std::int64_t y = pageRect.top;
    for (TableRow& r : m_rows) {
        r.yPosition = Saturate(y);
        y -= r.height;
        const int edge = Saturate(y);
        r.divider = PageRect(pageRect.left, SaturatedAdd(edge, kDividerHalf), pageRect.right,
                             SaturatedAdd(edge, -kDividerHalf));
    }
    SetHandles(DesignRect(), true, true);
}

void CFmtGrid::ResizeByHandle(Handle handle, int dx, int dy) {
    const bool widthHandle = handle == Handle::Left || handle == Handle::Right;
    // Each column or row keeps more than 4 mm.
    const int minimum =
        Saturate(std::int64_t{kMinimumSide} * (widthHandle ? ColumnCount() : RowCount()));
    const std::int64_t oldWidth = std::int64_t{pageRect.right} - pageRect.left;
    const std::int64_t oldHeight = std::abs(std::int64_t{pageRect.bottom} - pageRect.top);
    ResizeRect(pageRect, handle, dx, dy, minimum);
    const std::int64_t newWidth = std::int64_t{pageRect.right} - pageRect.left;
    const std::int64_t newHeight = std::abs(std::int64_t{pageRect.bottom} - pageRect.top);
    if (newWidth != oldWidth) {
        std::vector<std::reference_wrapper<int>> widths;
        for (TableColumn& c : m_columns)
            widths.emplace_back(c.pageWidth);
        ScaleInProportion(widths, oldWidth, newWidth, m_nextColumnForRemainder);
    }
    if (newHeight != oldHeight) {
        std::vector<std::reference_wrapper<int>> heights;
        for (TableRow& r : m_rows)
            heights.emplace_back(r.height);
        ScaleInProportion(heights, oldHeight, newHeight, m_nextRowForRemainder);
    }
    UpdateHandles();
}

void CFmtGrid::SetColumn(int index, const TableColumn& column) {
    if (index < 0 || index >= ColumnCount())
        return;
    m_columns[static_cast<std::size_t>(index)] = column;
    m_cells->SetColumns(m_columns);
    FitWidthToColumns();
    UpdateHandles();
}

void CFmtGrid::SetColumnCount(int n) {
    n = static_cast<int>(std::clamp<std::int64_t>(n, 0, kMostCells / std::max(1, RowCount())));
    if (n == ColumnCount())
        return;
    const int kept = std::min(n, ColumnCount());
    m_columns.resize(static_cast<std::size_t>(kept));
    for (int i = kept; i < n; ++i)
        m_columns.push_back(NewColumn(i + 1));
    if (m_selectedColumn >= n)
        m_selectedColumn = -1;
    FitWidthToColumns();
    UpdateHandles();
    RebuildCells();
}

void CFmtGrid::SetRowCount(int n) {
    n = static_cast<int>(std::clamp<std::int64_t>(n, 0, kMostCells / std::max(1, ColumnCount())));
    if (n == RowCount())
        return;
    const int height = m_rows.empty() ? NewRowHeight() : m_rows.back().height;
    m_rows.resize(static_cast<std::size_t>(n), RowOfHeight(height));
    if (m_selectedRow >= n)
        m_selectedRow = -1;
    FitHeightToRows();
    UpdateHandles();
    RebuildCells();
}

void CFmtGrid::AddToColumnWidth(int column, int dx) {
    if (column < 0 || column >= ColumnCount())
        return;
    int& width = m_columns[static_cast<std::size_t>(column)].pageWidth;
    const std::int64_t wider = std::int64_t{width} + dx;
    if (wider < kMinimumSide + 1)
        return;
    width = Saturate(wider);
    pageRect.right = SaturatedAdd(pageRect.right, dx);
    UpdateHandles();
}

void CFmtGrid::AddToRowHeight(int row, int dy) {
    if (row < 0 || row >= RowCount())
        return;
    int& height = m_rows[static_cast<std::size_t>(row)].height;
    const std::int64_t higher = std::int64_t{height} - dy;
    if (higher < kMinimumSide + 1)
        return;
    height = Saturate(higher);
    pageRect.bottom = SaturatedAdd(pageRect.bottom, dy);
    UpdateHandles();
}

CFmtGrid::Hit CFmtGrid::HitDivider(Point p) const {
    Hit hit;
    for (int i = 0; i < ColumnCount() && hit.column < 0; ++i) {
        if (m_columns[static_cast<std::size_t>(i)].divider.Normalized().Contains(p))
            hit.column = i;
    }
    for (int i = 0; i < RowCount() && hit.row < 0; ++i) {
        if (m_rows[static_cast<std::size_t>(i)].divider.Normalized().Contains(p))
            hit.row = i;
    }
    return hit;
}

CFmtGrid::Hit CFmtGrid::HitHeader(Point p) const {
    Hit hit;
    const int titleTop = SaturatedAdd(pageRect.top, std::abs(std::int64_t{font.height}));
    for (int i = 0; i < ColumnCount() && hit.column < 0; ++i) {
        const TableColumn& c = m_columns[static_cast<std::size_t>(i)];
        const PageRect strip(c.xPosition, titleTop, SaturatedAdd(c.xPosition, c.pageWidth),
                             pageRect.top);
        if (strip.Normalized().Contains(p))
            hit.column = i;
    }
    for (int i = 0; i < RowCount() && hit.row < 0; ++i) {
        const TableRow& r = m_rows[static_cast<std::size_t>(i)];
        const PageRect strip(SaturatedAdd(pageRect.left, -kRowHeaderStrip), r.yPosition,
                             pageRect.left, SaturatedAdd(r.yPosition, -std::int64_t{r.height}));
        if (strip.Normalized().Contains(p))
            hit.row = i;
    }
    return hit;
}

PageRect CFmtGrid::CellRect(int column, int row) const {
    if (column < 0 || column >= ColumnCount() || row < 0 || row >= RowCount())
        return PageRect();
    const TableColumn& c = m_columns[static_cast<std::size_t>(column)];
    const TableRow& r = m_rows[static_cast<std::size_t>(row)];
    return PageRect(SaturatedAdd(c.xPosition, kCellInset), SaturatedAdd(r.yPosition, -kCellInset),
                    Saturate(std::int64_t{c.xPosition} + c.pageWidth - kCellInset),
                    Saturate(std::int64_t{r.yPosition} - r.height + kCellInset));
}

TextLayoutFlags CFmtGrid::CellLayout(int column) const {
    switch (m_columns[static_cast<std::size_t>(column)].alignment) {
    case 2:
        return TextLayout::Right;
    case 6:
        return TextLayout::Center;
    default:
        return TextLayout::Left;
    }
}

// ---------------------------------------------------------------------------------------------
// Drawing and printing

ScreenRect CFmtGrid::UnplacedScreenRect() const {
    // Room on the capture screen for the grid's heading row and row-number column.
    const ScreenRect s = PageOnScreen();
    return ScreenRect(SaturatedAdd(s.left, -kScreenHeading), SaturatedAdd(s.top, -kScreenHeading),
                      s.right, s.bottom);
}

void CFmtGrid::SetScreenWidthsFromPage() {
    for (TableColumn& c : m_columns)
        c.screenWidth = TrueScale::WidthOnScreen(c.pageWidth);
}

void CFmtGrid::Draw(DrawingSurface& dc) const {
    const Pen previousPen = SelectSelectionPen(dc);
    dc.SetTextColor(color);
    const PageRect r = pageRect.Offsetted(kDesignShiftX, kDesignShiftY);
    dc.Rectangle(r);
    for (std::size_t i = 1; i < m_columns.size(); ++i) {
        const int x = SaturatedAdd(m_columns[i].xPosition, kDesignShiftX);
        dc.MoveTo(x, r.top);
        dc.LineTo(x, r.bottom);
    }
    for (std::size_t i = 1; i < m_rows.size(); ++i) {
        const int y = SaturatedAdd(m_rows[i].yPosition, kDesignShiftY);
        dc.MoveTo(r.left, y);
        dc.LineTo(r.right, y);
    }
    if (selected)
        DrawHandles(dc);

    dc.SetTextAlign(TextAlign::Left | TextAlign::Top);
    const LogFont previousFont = dc.SelectFont(font);
    const int titleTop = SaturatedAdd(r.top, std::abs(std::int64_t{font.height}));
    for (const TableColumn& c : m_columns) {
        const int x = SaturatedAdd(c.xPosition, kDesignShiftX);
        const Rect strip(x, titleTop, SaturatedAdd(x, c.pageWidth), r.top);
        dc.ExtTextOut(x, titleTop, TextOutOption::Clipped, strip, c.title);
    }
    for (int row = 0; row < RowCount(); ++row) {
        for (int column = 0; column < ColumnCount(); ++column) {
            Rect cell = CellRect(column, row).Offsetted(kDesignShiftX, kDesignShiftY);
            const bool grey = column == m_selectedColumn || row == m_selectedRow;
            if (grey) {
                dc.FillSolidRect(cell, kSelectedCell);
                dc.SetTextColor(kWhite);
            }
            dc.DrawText(QString::asprintf("C-%d,F-%d", column + 1, row + 1), cell,
                        CellLayout(column));
            if (grey)
                dc.SetTextColor(color);
        }
    }
    RestorePen(dc, previousPen);
    dc.SelectFont(previousFont);
}

void CFmtGrid::DrawOnScreenLayout(DrawingSurface& dc, bool showOrder) const {
    const Pen previousPen = SelectSelectionPen(dc);
    dc.Rectangle(screenRect);
    const ScreenRect s = screenRect.Normalized();
    const QPalette palette = QGuiApplication::palette();
    const ColorRef face = FromQColor(palette.color(QPalette::Button));
    const ColorRef faceText = FromQColor(palette.color(QPalette::ButtonText));
    const int headingBottom = std::min(SaturatedAdd(s.top, kScreenHeading), s.bottom);
    dc.FillSolidRect(
        Rect(s.left, s.top, std::min(SaturatedAdd(s.left, kScreenHeading), s.right), headingBottom),
        face);
    const ColorRef previousText = dc.SetTextColor(faceText);
    const BkMode previousMode = dc.SetBkMode(BkMode::Transparent);
    dc.SetTextAlign(TextAlign::Center | TextAlign::Top);
    std::int64_t x = std::int64_t{s.left} + kScreenHeading;
    for (const TableColumn& c : m_columns) {
        if (x >= s.right)
            break;
        const int left = Saturate(x);
        const int right = Saturate(std::min<std::int64_t>(x + Abs32(c.screenWidth), s.right));
        const Rect heading(left, s.top, right, headingBottom);
        dc.FillSolidRect(heading, face);
        dc.ExtTextOut(Midpoint(left, right), s.top + 3, TextOutOption::Clipped, heading, c.title);
        dc.MoveTo(left, s.top);
        dc.LineTo(left, s.bottom);
        x += Abs32(c.screenWidth);
    }
    std::int64_t y = std::int64_t{s.top} + kScreenHeading;
    for (int row = 0; row < RowCount() && y < s.bottom; ++row, y += kScreenHeading) {
        dc.MoveTo(s.left, Saturate(y));
        dc.LineTo(s.right, Saturate(y));
    }
    dc.SetTextColor(previousText);
    dc.SetBkMode(previousMode);
    if (selected)
        DrawHandles(dc);
    const LogFont previousFont = dc.SelectFont(screenFont ? *screenFont : dc.GetFont());
    CControles::DrawOnScreenLayout(dc, showOrder);
    RestorePen(dc, previousPen);
    dc.SelectFont(previousFont);
}

void CFmtGrid::Print(DrawingSurface& dc) const {
    dc.SetTextAlign(TextAlign::Left | TextAlign::Top);
    dc.SetTextColor(color);
    const LogFont previousFont = dc.SelectFont(font);
    for (int r = 1; r <= m_cells->RowCount(); ++r) {
        for (int c = 1; c <= m_cells->ColumnCount(); ++c) {
            const QString cellText = m_cells->GetCell(c, r);
            if (cellText.isEmpty())
                continue;
            Rect cell = CellRect(c - 1, r - 1);
            dc.DrawText(cellText, cell, CellLayout(c - 1));
        }
    }
    dc.SelectFont(previousFont);
}

void CFmtGrid::DescribeOwnFields(ControlFields& fields) const {
    QVariantList columns;
    for (const TableColumn& c : m_columns) {
        columns.append(QVariant::fromValue(
            ControlFields{{QStringLiteral("alignment"), c.alignment},
                          {QStringLiteral("title"), c.title},
                          {QStringLiteral("pageWidth"), c.pageWidth},
                          {QStringLiteral("screenWidth"), c.screenWidth},
                          {QStringLiteral("dataType"), static_cast<int>(c.dataType)},
                          {QStringLiteral("expression"), c.expression}}));
    }
    QVariantList rows;
    for (const TableRow& r : m_rows)
        rows.append(r.height);
    fields.emplace_back(QStringLiteral("columns"), columns);
    fields.emplace_back(QStringLiteral("rows"), rows);
}
