#include "grid/CVrGrid.h"

#include "grid/CEditCell.h"
#include "grid/CListCell.h"
#include "grid/GridKeys.h"
#include "grid/GridOwner.h"
#include "platform_widgets/UpperCaseInput.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace {

constexpr int kNewColumnWidth = 60;
constexpr int kRowHeaderWidth = 20;
const QColor kGrey(128, 128, 128);

} // namespace

CVrGrid::CVrGrid(QWidget* parent, const QRect& rect, GridOwner* owner, int id,
                 bool withHorizontalBar)
    : QWidget(parent), m_owner(owner), m_id(id) {
    setObjectName(QStringLiteral("CVrGrid"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
    // Moves without a button pressed show where a column edge can be grabbed.
    setMouseTracking(true);
    setFont(m_painter.NormalFont());
    m_painter.UseColors(palette());

    m_columns.resize(1);
    m_columns[0].width = kRowHeaderWidth;
    m_columns[0].caption = QString::asprintf("Col. %d", 0);

    if (withHorizontalBar) {
        m_horizontalBar = new QScrollBar(Qt::Horizontal, this);
        m_horizontalBar->setObjectName(QStringLiteral("HorizontalBar"));
        m_horizontalBar->setFocusPolicy(Qt::NoFocus);
        m_horizontalBar->setRange(1, 1);
        connect(m_horizontalBar, &QScrollBar::actionTriggered, this, &CVrGrid::OnHorizontalAction);
        connect(m_horizontalBar, &QScrollBar::valueChanged, this, [this](int value) {
            m_firstVisibleColumn = value;
            ClampFirstVisible();
            Layout();
            update();
        });
    }
    m_verticalBar = new QScrollBar(Qt::Vertical, this);
    m_verticalBar->setObjectName(QStringLiteral("VerticalBar"));
    m_verticalBar->setFocusPolicy(Qt::NoFocus);
    m_verticalBar->setRange(1, 1);
    connect(m_verticalBar, &QScrollBar::actionTriggered, this, &CVrGrid::OnVerticalAction);
    connect(m_verticalBar, &QScrollBar::valueChanged, this, [this](int value) {
        m_firstVisibleRow = value;
        ClampFirstVisible();
        Layout();
        update();
    });

    m_edit = new CEditCell(this);
    m_edit->setFont(m_painter.NormalFont());
    m_edit->setGeometry(10, 10, 10, 10);
    connect(m_edit, &CEditCell::editEnded, this, &CVrGrid::EndEdit);
    connect(m_edit, &CEditCell::focusLeftGrid, this, &CVrGrid::EditorLeftGrid);
    m_list = new CListCell(this);
    m_list->setFont(m_painter.NormalFont());
    connect(m_list, &CListCell::editEnded, this, &CVrGrid::EndEdit);
    connect(m_list, &CListCell::focusLeftGrid, this, &CVrGrid::EditorLeftGrid);

    setGeometry(rect);
    PlaceScrollBars();
    show();
}

CVrGrid::~CVrGrid() {
    // The editors report their loss of focus to the grid; nothing is left to report to.
    m_edit->SetQuietHide(true);
    m_list->SetQuietHide(true);
    disconnect(m_edit, nullptr, this, nullptr);
    disconnect(m_list, nullptr, this, nullptr);
}

// ---------------------------------------------------------------------------------------------
// Columns, rows, flags

void CVrGrid::SetColumnCount(int n) {
    n = std::max(0, n);
    if (n + 1 == ColumnCount())
        return;
    if (m_editing)
        EndEdit(Qt::Key_Escape);
    m_columns.assign(static_cast<std::size_t>(n) + 1, GridColumn{});
    for (int c = 0; c <= n; ++c) {
        m_columns[c].width = c == 0 ? kRowHeaderWidth : kNewColumnWidth;
        m_columns[c].caption = QString::asprintf("Col. %d", c);
    }
    if (m_rowLimit == 0)
        m_rowLimit = 2;
    if (m_position.column > n)
        m_position.column = n;
    m_firstVisibleColumn = 1;
    m_newRowTyped = false;
    if (m_horizontalBar)
        m_horizontalBar->setRange(1, std::max(1, n));
    Layout();
    SyncScrollBars();
    update();
}

void CVrGrid::SetColumn(int column, const QString& caption, int width, bool readOnly,
                        TextAlign alignment) {
    if (column < 1 || column >= ColumnCount())
        return;
    GridColumn& col = m_columns[column];
    col.caption = caption;
    col.width = std::max(kMinColumnWidth, width);
    col.readOnly = readOnly;
    col.alignment = alignment;
    Layout();
    SyncScrollBars();
    update();
}

void CVrGrid::SetColumnUpperCase(int column, bool upperCase) {
    if (column >= 1 && column < ColumnCount())
        m_columns[column].upperCase = upperCase;
}

void CVrGrid::SetColumnList(int column, bool list) {
    if (column >= 1 && column < ColumnCount())
        m_columns[column].list = list;
}

void CVrGrid::SetColumnCheck(int column, bool check) {
    if (column >= 1 && column < ColumnCount()) {
        m_columns[column].check = check;
        update();
    }
}

void CVrGrid::SetRowCount(int n) {
    n = std::max(0, n);
    if (m_editing)
        EndEdit(Qt::Key_Escape);
    m_rowLimit = n + 1;
    m_verticalBar->setRange(1, m_rowLimit);
    m_position.column = ColumnCount() > 1 ? 1 : 0;
    m_position.row = 1;
    m_position.ClearSelection();
    ClearNewRowTexts();
    ClampFirstVisible();
    EnsureCurrentRowVisible();
    update();
    PostCurrentRowChanged(1);
}

void CVrGrid::SetCurrentCell(int column, int row) {
    if (column < 1 || column >= ColumnCount() || row < 1 || row > m_rowLimit)
        return;
    if (m_editing)
        EndEdit(Qt::Key_Escape);
    m_position.column = column;
    m_position.row = row;
    m_firstVisibleRow = row;
    EnsureCurrentColumnVisible();
    m_position.ClearSelection();
    ClearNewRowTexts();
    ClampFirstVisible();
    Layout();
    SyncScrollBars();
    update();
    PostCurrentRowChanged(row);
}

void CVrGrid::SelectRows(int first, int last) {
    if (first < 1 || last < 1 || first >= m_rowLimit || last >= m_rowLimit) {
        m_position.ClearSelection();
    } else {
        m_position.selectionFirst = first;
        m_position.selectionLast = last;
    }
    update();
}

void CVrGrid::SetNoNewRow(bool flag) {
    m_noNewRow = flag;
    update();
}

void CVrGrid::ShowFrame(bool flag) {
    m_painter.SetFrame(flag);
    update();
}

void CVrGrid::SetReadOnly(bool flag) {
    m_readOnly = flag;
    if (flag && m_editing)
        EndEdit(Qt::Key_Escape);
}

void CVrGrid::SetRowNumbers(bool flag) {
    m_rowNumbers = flag;
    update();
}

void CVrGrid::SetOwnerRowHeaders(bool flag) {
    m_ownerRowHeaders = flag;
    update();
}

// ---------------------------------------------------------------------------------------------
// Layout

void CVrGrid::Layout() {
    m_geometry.LayOut(m_columns, m_firstVisibleColumn, m_firstVisibleRow, m_rowLimit, m_viewport);
    // A current column cut off at the right brings the columns after it into view, one at a time,
    // as long as it does not itself become the first one shown.
    for (QRect span = CurrentSpan();
         !span.isNull() && span.left() + span.width() > m_viewport.width() && ColumnCount() > 2 &&
         m_firstVisibleColumn < m_position.column;
         span = CurrentSpan()) {
        ++m_firstVisibleColumn;
        m_geometry.LayOut(m_columns, m_firstVisibleColumn, m_firstVisibleRow, m_rowLimit,
                          m_viewport);
        if (m_horizontalBar) {
            const QSignalBlocker block(m_horizontalBar);
            m_horizontalBar->setValue(m_firstVisibleColumn);
        }
    }
    // An editor follows its cell and is out of sight while the cell is scrolled away.
    if (m_editing && m_activeEditor) {
        const QRect span = CurrentSpan();
        const QRect place =
            span.isNull() ? QRect(-1000, -1000, 50, GridGeometry::kRowHeight) : span;
        m_activeEditor->setGeometry(place);
    }
}

QRect CVrGrid::CurrentSpan() const {
    // The header row and the row headers are never current.
    if (m_position.column < 1 || m_position.row < 1)
        return {};
    return m_geometry.CellRect(m_position.column, m_position.row);
}

GridNavigation CVrGrid::Navigation() const {
    return GridNavigation(ColumnCount() - 1, m_rowLimit, m_geometry.VisibleRows());
}

void CVrGrid::ClampFirstVisible() {
    m_firstVisibleRow = std::clamp(m_firstVisibleRow, 1, std::max(1, m_rowLimit));
    m_firstVisibleColumn = std::clamp(m_firstVisibleColumn, 1, std::max(1, ColumnCount() - 1));
}

void CVrGrid::SyncScrollBars() {
    if (m_horizontalBar && m_horizontalBar->isHidden() == NeedsHorizontalBar()) {
        PlaceScrollBars();
        return;
    }
    {
        const QSignalBlocker block(m_verticalBar);
        m_verticalBar->setRange(1, std::max(1, m_rowLimit));
        m_verticalBar->setPageStep(std::max(1, m_geometry.VisibleRows()));
        m_verticalBar->setValue(m_firstVisibleRow);
    }
    if (m_horizontalBar) {
        const QSignalBlocker block(m_horizontalBar);
        m_horizontalBar->setRange(1, std::max(1, ColumnCount() - 1));
        m_horizontalBar->setPageStep(std::max(1, m_geometry.VisibleColumns()));
        m_horizontalBar->setValue(m_firstVisibleColumn);
    }
}

void CVrGrid::OnVerticalAction(int action) {
    int first = m_firstVisibleRow;
    const int lastFirst = std::max(1, m_rowLimit - 1);
    const int visibleRows = m_geometry.VisibleRows();
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        first = std::min(first + 1, lastFirst);
        break;
    case QAbstractSlider::SliderSingleStepSub:
        first = std::max(first - 1, 1);
        break;
    case QAbstractSlider::SliderPageStepAdd:
        first = std::min(first + visibleRows - 1, lastFirst);
        break;
    case QAbstractSlider::SliderPageStepSub:
        first = std::max(first - std::max(1, visibleRows), 1);
        break;
    default:
        first = m_verticalBar->sliderPosition();
        break;
    }
    m_firstVisibleRow = std::clamp(first, 1, std::max(1, m_rowLimit));
    m_verticalBar->setSliderPosition(m_firstVisibleRow);
    Layout();
    update();
}

void CVrGrid::OnHorizontalAction(int action) {
    int first = m_firstVisibleColumn;
    const int last = std::max(1, ColumnCount() - 1);
    const int visibleColumns = m_geometry.VisibleColumns();
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        first += 1;
        break;
    case QAbstractSlider::SliderSingleStepSub:
        first -= 1;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        first += std::max(1, visibleColumns);
        break;
    case QAbstractSlider::SliderPageStepSub:
        first -= std::max(1, visibleColumns);
        break;
    default:
        first = m_horizontalBar->sliderPosition();
        break;
    }
    m_firstVisibleColumn = std::clamp(first, 1, last);
    m_horizontalBar->setSliderPosition(m_firstVisibleColumn);
    Layout();
    update();
}

void CVrGrid::EnsureCurrentRowVisible() {
    const int row = m_position.row;
    if (row < 1)
        return;
    Layout();
    if (row < m_firstVisibleRow)
        m_firstVisibleRow = row;
    else if (row > m_firstVisibleRow + m_geometry.VisibleRows() - 1)
        m_firstVisibleRow = row - m_geometry.VisibleRows() + 1;
    ClampFirstVisible();
    Layout();
    SyncScrollBars();
}

void CVrGrid::EnsureCurrentColumnVisible() {
    if (m_position.column >= 1 && m_position.column < m_firstVisibleColumn)
        m_firstVisibleColumn = m_position.column;
    Layout();
    SyncScrollBars();
}

// ---------------------------------------------------------------------------------------------
// Talking to the owner

QString CVrGrid::CellText(int row, int column) {
    if (column < 1 || column >= ColumnCount())
        return {};
    if (IsNewRow(row))
        return m_columns[column].newRowText;
    GridCell cell{row, column, {}};
    if (m_owner)
        m_owner->CellTextWanted(m_id, cell);
    return cell.text;
}

QString CVrGrid::RowHeaderText(int row) {
    GridCell header{row, 0, {}};
    if (m_owner)
        m_owner->RowHeaderTextWanted(m_id, header);
    return header.text;
}

void CVrGrid::ToggleCheck(int row, int column) {
    const QString toggled = CellText(row, column).isEmpty() ? QStringLiteral("T") : QString();
    if (IsNewRow(row)) {
        if (m_noNewRow)
            return;
        m_columns[column].newRowText = toggled;
        m_newRowTyped = true;
        if (m_owner)
            m_owner->NewRowCellChanged(m_id, GridCell{row, column, toggled});
    } else if (m_owner) {
        m_owner->CellChanged(m_id, GridCell{row, column, toggled});
    }
    update();
}

void CVrGrid::ClearNewRowTexts() {
    for (GridColumn& col : m_columns)
        col.newRowText.clear();
    m_newRowTyped = false;
}

void CVrGrid::PostCurrentRowChanged(int row) {
    QMetaObject::invokeMethod(
        this,
        [this, row] {
            if (m_owner)
                m_owner->CurrentRowChanged(m_id, row);
        },
        Qt::QueuedConnection);
}

// ---------------------------------------------------------------------------------------------
// Keyboard

bool CVrGrid::WantsKey(const QKeyEvent* event) const {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (GridKeys::IsCommand(GridKeys::Normalized(event->key())))
        return true;
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).unicode() >= 32 && text.at(0).unicode() <= 254;
}

bool CVrGrid::event(QEvent* event) {
    // The grid takes every key it acts on before the window's shortcuts can claim it.
    if (event->type() == QEvent::ShortcutOverride && ColumnCount() > 1 &&
        WantsKey(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void CVrGrid::keyPressEvent(QKeyEvent* event) {
    const int key = GridKeys::Normalized(event->key());
    if (ColumnCount() < 2) {
        QWidget::keyPressEvent(event);
        return;
    }
    // Delete acts on the selected rows themselves.
    if (key != Qt::Key_Delete) {
        m_position = Navigation().Normalized(m_position);
        Layout();
    }
    if (GridKeys::IsCommand(key)) {
        HandleKey(key);
        update();
        return;
    }
    const QString text = event->text();
    if (!text.isEmpty() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        const int c = text.at(0).unicode();
        if (c >= 32 && c <= 254) {
            BeginEdit(c);
            update();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

GridNavigation::Step CVrGrid::HandleKey(int key) {
    const GridNavigation::Step step = Navigation().Apply(m_position, key);
    switch (step.action) {
    case GridNavigation::Action::Move:
        m_position = step.position;
        if (step.reveal.testFlag(GridNavigation::Reveal::Origin)) {
            m_firstVisibleRow = 1;
            m_firstVisibleColumn = 1;
            Layout();
            SyncScrollBars();
        }
        if (step.reveal.testFlag(GridNavigation::Reveal::Column))
            EnsureCurrentColumnVisible();
        if (step.reveal.testFlag(GridNavigation::Reveal::Row))
            EnsureCurrentRowVisible();
        if (step.reportRow)
            PostCurrentRowChanged(m_position.row);
        break;
    case GridNavigation::Action::BeginEdit:
        BeginEdit(0);
        break;
    case GridNavigation::Action::Delete:
        DeleteKey();
        break;
    case GridNavigation::Action::None:
        break;
    }
    return step;
}

void CVrGrid::DeleteKey() {
    if (m_readOnly)
        return;
    if (!m_position.HasSelection()) {
        const int column = m_position.column;
        const int row = m_position.row;
        if (column < 1 || column >= ColumnCount() || row < 1 || row > m_rowLimit ||
            m_columns[column].readOnly)
            return;
        if (IsNewRow(row))
            m_columns[column].newRowText.clear();
        else if (m_owner)
            m_owner->CellChanged(m_id, GridCell{row, column, QString()});
        update();
        return;
    }
    if (m_noRowDeletion)
        return;
    // However the rows were dragged over, the owner hears the lower number last.
    const int first = std::min(m_position.selectionFirst, m_position.selectionLast);
    const int last = std::max(m_position.selectionFirst, m_position.selectionLast);
    if (m_owner && m_owner->DeleteRowsAllowed(m_id, last, first)) {
        m_rowLimit = std::max(1, m_rowLimit - (last - first + 1));
        m_position = GridPosition{1, 1, 0, 0};
        ClampFirstVisible();
        Layout();
        SyncScrollBars();
        PostCurrentRowChanged(1);
    }
    ClearNewRowTexts();
    update();
}

// ---------------------------------------------------------------------------------------------
// Editing

void CVrGrid::BeginEdit(int character) {
    if (m_editing)
        return;
    Layout();
    const QRect span = CurrentSpan();
    const int column = m_position.column;
    const int row = m_position.row;
    if (span.isNull() || m_readOnly || column < 1 || column >= ColumnCount() ||
        m_columns[column].readOnly)
        return;
    // A grid without a new row would throw away whatever is typed there.
    if (IsNewRow(row) && m_noNewRow)
        return;
    const GridColumn& col = m_columns[column];
    const GridCell cell{row, column, {}};

    if (col.list) {
        m_list->clear();
        QStringList entries;
        m_editing = true;
        if (m_owner)
            m_owner->FillList(m_id, cell, entries);
        m_list->addItems(entries);
        m_list->setCurrentIndex(-1);
        m_list->SelectPrefix(CellText(row, column));
        if (character != 0)
            m_list->SelectPrefix(QString(QChar(character)));
        m_list->setGeometry(span);
        m_list->show();
        m_list->raise();
        m_activeEditor = m_list;
        m_list->setFocus(Qt::OtherFocusReason);
        return;
    }

    if (col.check) {
        if (character == ' ')
            ToggleCheck(row, column);
        return;
    }

    if (col.upperCase)
        UpperCaseInput::Apply(m_edit);
    else
        UpperCaseInput::Remove(m_edit);
    m_edit->setGeometry(span);
    if (character != 0) {
        m_edit->SetKeepCaret(false);
        const QString typed{QChar(character)};
        m_edit->setText(col.upperCase ? typed.toUpper() : typed);
    } else {
        m_edit->SetKeepCaret(true);
        const QString text = CellText(row, column);
        m_edit->setText(col.upperCase ? text.toUpper() : text);
    }
    m_editing = true;
    m_activeEditor = m_edit;
    m_edit->show();
    m_edit->raise();
    m_edit->setFocus(Qt::OtherFocusReason);
    // A box that already had the focus gets no focus event: place the caret here as well.
    m_edit->deselect();
    m_edit->end(false);
}

void CVrGrid::HideEditor(QWidget* editor) {
    auto setQuiet = [&](bool quiet) {
        if (editor == m_edit)
            m_edit->SetQuietHide(quiet);
        else
            m_list->SetQuietHide(quiet);
    };
    setQuiet(true);
    // The focus comes back to the grid only when the editor had it: an edit confirmed because
    // the user went elsewhere leaves the focus there.
    if (editor->hasFocus())
        setFocus(Qt::OtherFocusReason);
    editor->hide();
    setQuiet(false);
}

void CVrGrid::EndEdit(int key) {
    key = GridKeys::Normalized(key);
    if (!m_editing)
        return;
    QWidget* editor = m_activeEditor ? m_activeEditor : m_edit;
    m_activeEditor = nullptr;
    if (key == Qt::Key_Escape || !GridKeys::Confirms(key)) {
        m_editing = false;
        HideEditor(editor);
        update();
        return;
    }
    GridCell cell{m_position.row, m_position.column, {}};
    m_editing = false;
    cell.text = editor == m_list ? m_list->currentText() : m_edit->text();
    HideEditor(editor);

    AdjustEndEdit(cell, key);

    if (cell.row >= 1 && cell.row < m_rowLimit) {
        if (m_owner)
            m_owner->CellChanged(m_id, cell);
    } else if (IsNewRow(cell.row) && !m_noNewRow && cell.column >= 1 &&
               cell.column < ColumnCount()) {
        m_columns[cell.column].newRowText = cell.text;
        m_newRowTyped = true;
        if (m_owner)
            m_owner->NewRowCellChanged(m_id, cell);
    }

    const GridPosition saved = m_position;
    const GridNavigation::Step step = HandleKey(key);
    if (step.leftRow && m_newRowTyped && m_owner && m_owner->AddRowAllowed(m_id)) {
        // The typed row now belongs to the owner; a fresh new row follows it.
        ++m_rowLimit;
        ClearNewRowTexts();
        m_position.row = saved.row;
        m_position.column = saved.column;
        SyncScrollBars();
        HandleKey(key);
    }
    update();
}

void CVrGrid::AdjustEndEdit(GridCell&, int&) {}

void CVrGrid::EditorLeftGrid() {
    m_headerTextColor = kGrey;
    update();
}

// ---------------------------------------------------------------------------------------------
// Mouse

void CVrGrid::mousePressEvent(QMouseEvent* event) {
    // Taking the focus first makes an editor confirm its text before the current cell moves.
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton)
        return;
    Layout();
    const int x = event->position().toPoint().x();
    const int y = event->position().toPoint().y();
    if (x >= m_viewport.width() || y >= m_viewport.height())
        return;

    if (y < GridGeometry::kHeaderHeight) {
        const int edge = m_geometry.EdgeAt(x);
        if (edge >= 0) {
            m_resizing = true;
            m_resizeColumn = edge;
            m_resizeStartX = x;
            m_resizeStartWidth = m_columns[edge].width;
            m_position.column = edge;
            setCursor(Qt::SizeHorCursor);
            Layout();
            update();
            return;
        }
        m_pressedHeader = m_geometry.ColumnAt(x);
        m_headerPressed = m_pressedHeader >= 0;
        update();
        return;
    }

    const int row = m_geometry.RowAt(y);
    if (x < m_columns[0].width) {
        m_position.column = 0;
        m_position.row = 0;
        PostCurrentRowChanged(0);
        if (m_position.InSelection(row)) {
            m_position.ClearSelection();
        } else if (row >= 1 && row < m_rowLimit) {
            m_position.selectionFirst = m_position.selectionLast = row;
            m_dragSelecting = true;
        }
        update();
        return;
    }

    const int column = m_geometry.ColumnAt(x);
    if (column < 1 || row < 1 || row > m_rowLimit)
        return;
    m_position = GridPosition{column, row, 0, 0};
    Layout();
    SyncScrollBars();
    PostCurrentRowChanged(row);
    if (m_columns[column].check && !IsNewRow(row) && !m_readOnly && !m_columns[column].readOnly)
        ToggleCheck(row, column);
    update();
}

void CVrGrid::mouseMoveEvent(QMouseEvent* event) {
    const int x = event->position().toPoint().x();
    const int y = event->position().toPoint().y();
    if (m_resizing) {
        m_columns[m_resizeColumn].width =
            std::max(kMinColumnWidth, m_resizeStartWidth + (x - m_resizeStartX));
        Layout();
        update();
        return;
    }
    if (!m_dragSelecting && !(event->buttons() & Qt::LeftButton)) {
        setCursor(y < GridGeometry::kHeaderHeight && m_geometry.EdgeAt(x) >= 0 ? Qt::SizeHorCursor
                                                                               : Qt::ArrowCursor);
        return;
    }
    if (m_dragSelecting && y >= GridGeometry::kHeaderHeight) {
        const int row = m_geometry.RowAt(y);
        if (row >= 1 && row < m_rowLimit && row != m_position.selectionLast) {
            m_position.selectionLast = row;
            update();
        }
    }
}

void CVrGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    if (m_resizing) {
        m_resizing = false;
        setCursor(Qt::ArrowCursor);
        update();
    }
    m_dragSelecting = false;
    if (m_headerPressed) {
        m_headerPressed = false;
        const int column = m_pressedHeader;
        m_pressedHeader = -1;
        update();
        if (m_owner)
            m_owner->HeaderClicked(m_id, column);
    }
}

void CVrGrid::wheelEvent(QWheelEvent* event) {
    // One row per notch of 120; fine-grained wheels and touchpads add up their small steps.
    m_wheelRemainder += event->angleDelta().y();
    const int rows = m_wheelRemainder / 120;
    m_wheelRemainder -= rows * 120;
    m_firstVisibleRow = std::clamp(m_firstVisibleRow - rows, 1, std::max(1, m_rowLimit));
    Layout();
    SyncScrollBars();
    update();
    event->accept();
}

// ---------------------------------------------------------------------------------------------
// Focus, size

void CVrGrid::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if ((m_position.column == 0 || m_position.row == 0) && ColumnCount() > 1) {
        m_position.column = 1;
        m_position.row = 1;
        Layout();
        PostCurrentRowChanged(1);
    }
    m_headerTextColor = palette().color(QPalette::ButtonText);
    if (!m_editing) {
        m_edit->hide();
        m_list->hide();
    }
    update();
}

void CVrGrid::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    QWidget* to = QApplication::focusWidget();
    if (to == m_edit || to == m_list)
        return;
    m_headerTextColor = kGrey;
    update();
}

void CVrGrid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange)
        m_painter.UseColors(palette());
    QWidget::changeEvent(event);
}

void CVrGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceScrollBars();
}

bool CVrGrid::NeedsHorizontalBar() const {
    if (!m_horizontalBar)
        return false;
    long long columnsWidth = 0;
    for (const GridColumn& column : m_columns)
        columnsWidth += column.width;
    return columnsWidth > width() - m_verticalBar->sizeHint().width();
}

void CVrGrid::PlaceScrollBars() {
    const int barWidth = m_verticalBar->sizeHint().width();
    const bool horizontal = NeedsHorizontalBar();
    if (m_horizontalBar)
        m_horizontalBar->setVisible(horizontal);
    if (!horizontal)
        m_firstVisibleColumn = 1;
    const int barHeight = horizontal ? m_horizontalBar->sizeHint().height() : 0;
    m_viewport = QSize(std::max(0, width() - barWidth), std::max(0, height() - barHeight));
    m_verticalBar->setGeometry(m_viewport.width(), 0, barWidth, m_viewport.height());
    if (m_horizontalBar)
        m_horizontalBar->setGeometry(0, m_viewport.height(), m_viewport.width(), barHeight);
    Layout();
    SyncScrollBars();
}

// ---------------------------------------------------------------------------------------------
// Drawing

void CVrGrid::paintEvent(QPaintEvent*) {
    // Drawn straight onto the window: Qt's backing store already shows the finished picture in
    // one copy, so scrolling does not flicker. The geometry is the one the last change laid out.
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    CGridPainter::State state;
    state.position = m_position;
    state.pressedHeader = m_headerPressed ? m_pressedHeader : -1;
    state.headerTextColor = m_headerTextColor;
    state.rowNumbers = m_rowNumbers;
    state.ownerRowHeaders = m_ownerRowHeaders;
    state.noNewRow = m_noNewRow;
    state.marked = [this](int row, int column) {
        return m_owner && row >= 1 && row < m_rowLimit && m_owner->CellMarked(m_id, row, column);
    };
    m_painter.Paint(painter, m_geometry, m_columns, state, palette(), [this](int row, int column) {
        return column == 0 ? RowHeaderText(row) : CellText(row, column);
    });
}
