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

// The keys the grid acts on itself rather than typing them into a cell.
bool IsCommandKey(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_F2:
    case Qt::Key_Delete:
        return true;
    default:
        return false;
    }
}

constexpr int kNewColumnWidth = 60;
constexpr int kRowHeaderWidth = 20;
constexpr int kCheckBox = 11;
const QColor kGrey(128, 128, 128);
const QColor kCheckRed(255, 0, 0);
// The tick, one byte per pixel row from the top; bit 0 is the rightmost pixel.
constexpr unsigned char kCheckPattern[7] = {0x01, 0x03, 0x47, 0x6E, 0x7C, 0x38, 0x10};

QFont GridFont(int weight) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    font.setWeight(static_cast<QFont::Weight>(weight));
    return font;
}

} // namespace

CVrGrid::CVrGrid(QWidget* parent, const QRect& rect, GridOwner* owner, int id,
                 bool withHorizontalBar)
    : QWidget(parent), owner_(owner), id_(id), normalFont_(GridFont(400)),
      headerFont_(GridFont(800)) {
    setObjectName(QStringLiteral("CVrGrid"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
    // Moves without a button pressed show where a column edge can be grabbed.
    setMouseTracking(true);
    setFont(normalFont_);
    painter_.UseColors(palette());

    columns_.resize(1);
    columns_[0].width = kRowHeaderWidth;
    columns_[0].caption = QString::asprintf("Col. %d", 0);

    if (withHorizontalBar) {
        horizontalBar_ = new QScrollBar(Qt::Horizontal, this);
        horizontalBar_->setObjectName(QStringLiteral("HorizontalBar"));
        horizontalBar_->setFocusPolicy(Qt::NoFocus);
        horizontalBar_->setRange(1, 1);
        connect(horizontalBar_, &QScrollBar::actionTriggered, this, &CVrGrid::OnHorizontalAction);
        connect(horizontalBar_, &QScrollBar::valueChanged, this, [this](int value) {
            firstVisibleColumn_ = value;
            ClampFirstVisible();
            Layout();
            update();
        });
    }
    verticalBar_ = new QScrollBar(Qt::Vertical, this);
    verticalBar_->setObjectName(QStringLiteral("VerticalBar"));
    verticalBar_->setFocusPolicy(Qt::NoFocus);
    verticalBar_->setRange(1, 1);
    connect(verticalBar_, &QScrollBar::actionTriggered, this, &CVrGrid::OnVerticalAction);
    connect(verticalBar_, &QScrollBar::valueChanged, this, [this](int value) {
        firstVisibleRow_ = value;
        ClampFirstVisible();
        Layout();
        update();
    });

    edit_ = new CEditCell(this);
    edit_->setFont(normalFont_);
    edit_->setGeometry(10, 10, 10, 10);
    connect(edit_, &CEditCell::EditEnded, this, &CVrGrid::EndEdit);
    connect(edit_, &CEditCell::FocusLeftGrid, this, &CVrGrid::EditorLeftGrid);
    list_ = new CListCell(this);
    list_->setFont(normalFont_);
    connect(list_, &CListCell::EditEnded, this, &CVrGrid::EndEdit);
    connect(list_, &CListCell::FocusLeftGrid, this, &CVrGrid::EditorLeftGrid);

    setGeometry(rect);
    PlaceScrollBars();
    show();
}

CVrGrid::~CVrGrid() {
    // The editors report their loss of focus to the grid; nothing is left to report to.
    edit_->SetQuietHide(true);
    list_->SetQuietHide(true);
    disconnect(edit_, nullptr, this, nullptr);
    disconnect(list_, nullptr, this, nullptr);
}

// ---------------------------------------------------------------------------------------------
// Columns, rows, flags

void CVrGrid::SetColumnCount(int n) {
    n = std::max(0, n);
    if (n + 1 == ColumnCount())
        return;
    if (editing_)
        EndEdit(Qt::Key_Escape);
    columns_.assign(static_cast<std::size_t>(n) + 1, GridColumn{});
    for (int c = 0; c <= n; ++c) {
        columns_[c].width = c == 0 ? kRowHeaderWidth : kNewColumnWidth;
        columns_[c].caption = QString::asprintf("Col. %d", c);
    }
    if (rowLimit_ == 0)
        rowLimit_ = 2;
    if (currentColumn_ > n)
        currentColumn_ = n;
    firstVisibleColumn_ = 1;
    newRowTyped_ = false;
    if (horizontalBar_)
        horizontalBar_->setRange(1, std::max(1, n));
    Layout();
    SyncScrollBars();
    update();
}

void CVrGrid::SetColumn(int column, const QString& caption, int width, bool readOnly,
                        int alignment) {
    if (column < 1 || column >= ColumnCount())
        return;
    GridColumn& col = columns_[column];
    col.caption = caption;
    col.width = std::max(kMinColumnWidth, width);
    col.readOnly = readOnly;
    col.alignment = alignment;
    update();
}

void CVrGrid::SetColumnUpperCase(int column, bool upperCase) {
    if (column >= 1 && column < ColumnCount())
        columns_[column].upperCase = upperCase;
}

void CVrGrid::SetColumnList(int column, bool list) {
    if (column >= 1 && column < ColumnCount())
        columns_[column].list = list;
}

void CVrGrid::SetColumnCheck(int column, bool check) {
    if (column >= 1 && column < ColumnCount()) {
        columns_[column].check = check;
        update();
    }
}

void CVrGrid::SetRowCount(int n) {
    n = std::max(0, n);
    if (editing_)
        EndEdit(Qt::Key_Escape);
    rowLimit_ = n + 1;
    verticalBar_->setRange(1, rowLimit_);
    currentColumn_ = ColumnCount() > 1 ? 1 : 0;
    currentRow_ = 1;
    selFirst_ = selLast_ = 0;
    ClearNewRowTexts();
    ClampFirstVisible();
    EnsureCurrentRowVisible();
    update();
    PostCurrentRowChanged(1);
}

void CVrGrid::SetCurrentCell(int column, int row) {
    if (column < 1 || column >= ColumnCount() || row < 1 || row > rowLimit_)
        return;
    if (editing_)
        EndEdit(Qt::Key_Escape);
    currentColumn_ = column;
    currentRow_ = row;
    firstVisibleRow_ = row;
    EnsureCurrentColumnVisible();
    selFirst_ = selLast_ = 0;
    ClearNewRowTexts();
    ClampFirstVisible();
    Layout();
    SyncScrollBars();
    update();
    PostCurrentRowChanged(row);
}

void CVrGrid::SelectRows(int first, int last) {
    if (first < 1 || last < 1 || first >= rowLimit_ || last >= rowLimit_) {
        selFirst_ = selLast_ = 0;
    } else {
        selFirst_ = first;
        selLast_ = last;
    }
    update();
}

void CVrGrid::SetNoNewRow(bool flag) {
    noNewRow_ = flag;
    update();
}

void CVrGrid::ShowFrame(bool flag) {
    painter_.SetFrame(flag);
    update();
}

void CVrGrid::SetReadOnly(bool flag) {
    readOnly_ = flag;
    if (flag && editing_)
        EndEdit(Qt::Key_Escape);
}

void CVrGrid::SetRowNumbers(bool flag) {
    rowNumbers_ = flag;
    update();
}

void CVrGrid::SetOwnerRowHeaders(bool flag) {
    ownerRowHeaders_ = flag;
    update();
}

QRect CVrGrid::CellRect(int column, int row) {
    Layout();
    if (column < 0 || column >= ColumnCount() || columns_[column].rightEdge < 0)
        return {};
    const int right = columns_[column].rightEdge;
    const int left = right - columns_[column].width;
    if (row == 0)
        return QRect(left, 0, right - left, headerHeight_);
    if (row < firstVisibleRow_ || row > LastShownRow())
        return {};
    return QRect(left, RowTop(row), right - left, rowHeight_);
}

// ---------------------------------------------------------------------------------------------
// Layout

void CVrGrid::LayOutColumns() {
    for (GridColumn& col : columns_)
        col.rightEdge = -1;
    int x = columns_[0].width;
    columns_[0].rightEdge = x;
    visibleColumns_ = 0;
    totalWidth_ = columns_[0].width;
    for (int c = firstVisibleColumn_; c < ColumnCount(); ++c) {
        totalWidth_ += columns_[c].width;
        if (x < visibleWidth_) {
            x += columns_[c].width;
            columns_[c].rightEdge = x;
            ++visibleColumns_;
        }
    }
    visibleRows_ = std::max(1, (visibleHeight_ - headerHeight_) / rowHeight_);

    currentSpan_ = QRect();
    if (currentColumn_ >= 1 && currentColumn_ < ColumnCount() &&
        columns_[currentColumn_].rightEdge >= 0 && currentRow_ >= firstVisibleRow_ &&
        currentRow_ <= LastShownRow()) {
        const int right = columns_[currentColumn_].rightEdge;
        currentSpan_ = QRect(right - columns_[currentColumn_].width, RowTop(currentRow_),
                             columns_[currentColumn_].width, rowHeight_);
    }
}

void CVrGrid::Layout() {
    LayOutColumns();
    // A current column cut off at the right brings the columns after it into view, one at a time,
    // as long as it does not itself become the first one shown.
    while (!currentSpan_.isNull() && currentSpan_.left() + currentSpan_.width() > visibleWidth_ &&
           ColumnCount() > 2 && firstVisibleColumn_ < currentColumn_) {
        ++firstVisibleColumn_;
        LayOutColumns();
        if (horizontalBar_) {
            const QSignalBlocker block(horizontalBar_);
            horizontalBar_->setValue(firstVisibleColumn_);
        }
    }
    // An editor follows its cell and is out of sight while the cell is scrolled away.
    if (editing_ && activeEditor_) {
        const QRect place =
            currentSpan_.isNull() ? QRect(-1000, -1000, 50, rowHeight_) : currentSpan_;
        activeEditor_->setGeometry(place);
    }
}

int CVrGrid::LastShownRow() const {
    // Rows are shown while their top is inside the visible height, never beyond the new row.
    const int rowsShown =
        std::max(1, (visibleHeight_ - headerHeight_ + rowHeight_ - 1) / rowHeight_);
    return std::min(rowLimit_, firstVisibleRow_ + rowsShown - 1);
}

int CVrGrid::ColumnAt(int x) const {
    if (x >= 0 && x < columns_[0].width)
        return 0;
    for (int c = firstVisibleColumn_; c < ColumnCount(); ++c) {
        const GridColumn& col = columns_[c];
        if (col.rightEdge < 0)
            break;
        if (x >= col.rightEdge - col.width && x < col.rightEdge)
            return c;
    }
    return -1;
}

int CVrGrid::EdgeAt(int x) const {
    for (int c = 0; c < ColumnCount(); ++c) {
        const int edge = columns_[c].rightEdge;
        if (edge >= 0 && std::abs(x - edge) <= kResizeGrip)
            return c;
    }
    return -1;
}

int CVrGrid::RowAt(int y) const {
    if (y < headerHeight_)
        return 0;
    return firstVisibleRow_ + (y - headerHeight_) / rowHeight_;
}

bool CVrGrid::InSelection(int row) const {
    if (selFirst_ == 0 && selLast_ == 0)
        return false;
    return row >= std::min(selFirst_, selLast_) && row <= std::max(selFirst_, selLast_);
}

void CVrGrid::ClampFirstVisible() {
    firstVisibleRow_ = std::clamp(firstVisibleRow_, 1, std::max(1, rowLimit_));
    firstVisibleColumn_ = std::clamp(firstVisibleColumn_, 1, std::max(1, ColumnCount() - 1));
}

void CVrGrid::SyncScrollBars() {
    {
        const QSignalBlocker block(verticalBar_);
        verticalBar_->setRange(1, std::max(1, rowLimit_));
        verticalBar_->setPageStep(std::max(1, visibleRows_));
        verticalBar_->setValue(firstVisibleRow_);
    }
    if (horizontalBar_) {
        const QSignalBlocker block(horizontalBar_);
        horizontalBar_->setRange(1, std::max(1, ColumnCount() - 1));
        horizontalBar_->setPageStep(std::max(1, visibleColumns_));
        horizontalBar_->setValue(firstVisibleColumn_);
    }
}

void CVrGrid::OnVerticalAction(int action) {
    int first = firstVisibleRow_;
    const int lastFirst = std::max(1, rowLimit_ - 1);
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        first = std::min(first + 1, lastFirst);
        break;
    case QAbstractSlider::SliderSingleStepSub:
        first = std::max(first - 1, 1);
        break;
    case QAbstractSlider::SliderPageStepAdd:
        first = std::min(first + visibleRows_ - 1, lastFirst);
        break;
    case QAbstractSlider::SliderPageStepSub:
        first = std::max(first - std::max(1, visibleRows_), 1);
        break;
    default:
        first = verticalBar_->sliderPosition();
        break;
    }
    firstVisibleRow_ = std::clamp(first, 1, std::max(1, rowLimit_));
    verticalBar_->setSliderPosition(firstVisibleRow_);
    update();
}

void CVrGrid::OnHorizontalAction(int action) {
    int first = firstVisibleColumn_;
    const int last = std::max(1, ColumnCount() - 1);
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        first += 1;
        break;
    case QAbstractSlider::SliderSingleStepSub:
        first -= 1;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        first += std::max(1, visibleColumns_);
        break;
    case QAbstractSlider::SliderPageStepSub:
        first -= std::max(1, visibleColumns_);
        break;
    default:
        first = horizontalBar_->sliderPosition();
        break;
    }
    firstVisibleColumn_ = std::clamp(first, 1, last);
    horizontalBar_->setSliderPosition(firstVisibleColumn_);
    update();
}

void CVrGrid::EnsureCurrentRowVisible() {
    if (currentRow_ < 1)
        return;
    Layout();
    if (currentRow_ < firstVisibleRow_)
        firstVisibleRow_ = currentRow_;
    else if (currentRow_ > firstVisibleRow_ + visibleRows_ - 1)
        firstVisibleRow_ = currentRow_ - visibleRows_ + 1;
    ClampFirstVisible();
    Layout();
    SyncScrollBars();
}

void CVrGrid::EnsureCurrentColumnVisible() {
    if (currentColumn_ >= 1 && currentColumn_ < firstVisibleColumn_)
        firstVisibleColumn_ = currentColumn_;
    Layout();
    SyncScrollBars();
}

// ---------------------------------------------------------------------------------------------
// Talking to the owner

QString CVrGrid::CellText(int row, int column) {
    if (column < 1 || column >= ColumnCount())
        return {};
    if (IsNewRow(row))
        return columns_[column].newRowText;
    GridCell cell{row, column, {}};
    if (owner_)
        owner_->CellTextWanted(id_, cell);
    return cell.text;
}

void CVrGrid::ToggleCheck(int row, int column) {
    const QString toggled = CellText(row, column).isEmpty() ? QStringLiteral("T") : QString();
    if (IsNewRow(row)) {
        if (noNewRow_)
            return;
        columns_[column].newRowText = toggled;
        newRowTyped_ = true;
        if (owner_)
            owner_->NewRowCellChanged(id_, GridCell{row, column, toggled});
    } else if (owner_) {
        owner_->CellChanged(id_, GridCell{row, column, toggled});
    }
    update();
}

void CVrGrid::ClearNewRowTexts() {
    for (GridColumn& col : columns_)
        col.newRowText.clear();
    newRowTyped_ = false;
}

void CVrGrid::PostCurrentRowChanged(int row) {
    QMetaObject::invokeMethod(
        this,
        [this, row] {
            if (owner_)
                owner_->CurrentRowChanged(id_, row);
        },
        Qt::QueuedConnection);
}

// ---------------------------------------------------------------------------------------------
// Keyboard

void CVrGrid::NormalizeCurrentCell() {
    if (selFirst_ != 0 || selLast_ != 0) {
        currentRow_ = std::min(selFirst_, selLast_);
        currentColumn_ = 1;
        selFirst_ = selLast_ = 0;
    }
    if (currentRow_ < 1)
        currentRow_ = 1;
    if (currentColumn_ < 1)
        currentColumn_ = 1;
    currentRow_ = std::min(currentRow_, rowLimit_);
    currentColumn_ = std::min(currentColumn_, std::max(1, ColumnCount() - 1));
}

bool CVrGrid::WantsKey(const QKeyEvent* event) const {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (IsCommandKey(GridKeys::Normalized(event->key())))
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
    if (key != Qt::Key_Delete)
        NormalizeCurrentCell();
    if (IsCommandKey(key)) {
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

CVrGrid::KeyResult CVrGrid::HandleKey(int key) {
    KeyResult result;
    const int lastColumn = ColumnCount() - 1;
    if (lastColumn < 1)
        return result;
    const int oldRow = currentRow_;
    auto moveRow = [&](int target) {
        result.leftRow = target != oldRow;
        currentRow_ = std::clamp(target, 1, rowLimit_);
        EnsureCurrentRowVisible();
        PostCurrentRowChanged(currentRow_);
    };
    switch (key) {
    case Qt::Key_Return:
        if (currentColumn_ < lastColumn) {
            ++currentColumn_;
            EnsureCurrentColumnVisible();
        } else {
            currentColumn_ = 1;
            result.leftRow = true;
            currentRow_ = std::min(currentRow_ + 1, rowLimit_);
            EnsureCurrentColumnVisible();
            EnsureCurrentRowVisible();
            PostCurrentRowChanged(currentRow_);
        }
        break;
    case Qt::Key_Left:
        currentColumn_ = std::max(1, currentColumn_ - 1);
        EnsureCurrentColumnVisible();
        break;
    case Qt::Key_Right:
        currentColumn_ = std::min(lastColumn, currentColumn_ + 1);
        EnsureCurrentColumnVisible();
        break;
    case Qt::Key_Up:
        moveRow(currentRow_ - 1);
        break;
    case Qt::Key_Down:
        moveRow(currentRow_ + 1);
        break;
    case Qt::Key_PageUp:
        moveRow(currentRow_ - visibleRows_);
        break;
    case Qt::Key_PageDown:
        moveRow(currentRow_ + visibleRows_);
        break;
    case Qt::Key_Home:
        result.leftRow = currentRow_ != 1;
        currentColumn_ = 1;
        currentRow_ = 1;
        firstVisibleRow_ = 1;
        firstVisibleColumn_ = 1;
        Layout();
        SyncScrollBars();
        PostCurrentRowChanged(1);
        break;
    case Qt::Key_End:
        result.leftRow = currentRow_ != rowLimit_;
        currentColumn_ = 1;
        currentRow_ = rowLimit_;
        EnsureCurrentColumnVisible();
        EnsureCurrentRowVisible();
        PostCurrentRowChanged(currentRow_);
        break;
    case Qt::Key_F2:
        BeginEdit(0);
        break;
    case Qt::Key_Delete:
        DeleteKey();
        break;
    default:
        break;
    }
    return result;
}

void CVrGrid::DeleteKey() {
    if (readOnly_)
        return;
    const bool rowsSelected = selFirst_ != 0 || selLast_ != 0;
    if (!rowsSelected) {
        if (currentColumn_ < 1 || currentColumn_ >= ColumnCount() || currentRow_ < 1 ||
            currentRow_ > rowLimit_ || columns_[currentColumn_].readOnly)
            return;
        if (IsNewRow(currentRow_))
            columns_[currentColumn_].newRowText.clear();
        else if (owner_)
            owner_->CellChanged(id_, GridCell{currentRow_, currentColumn_, QString()});
        update();
        return;
    }
    if (noRowDeletion_)
        return;
    // However the rows were dragged over, the owner hears the lower number last.
    const int first = std::min(selFirst_, selLast_);
    const int last = std::max(selFirst_, selLast_);
    if (owner_ && owner_->DeleteRowsAllowed(id_, last, first)) {
        rowLimit_ = std::max(1, rowLimit_ - (last - first + 1));
        selFirst_ = selLast_ = 0;
        currentColumn_ = 1;
        currentRow_ = 1;
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
    if (editing_)
        return;
    Layout();
    if (currentSpan_.isNull() || readOnly_ || currentColumn_ < 1 ||
        currentColumn_ >= ColumnCount() || columns_[currentColumn_].readOnly)
        return;
    // A grid without a new row would throw away whatever is typed there.
    if (IsNewRow(currentRow_) && noNewRow_)
        return;
    GridColumn& col = columns_[currentColumn_];
    const GridCell cell{currentRow_, currentColumn_, {}};

    if (col.list) {
        list_->clear();
        QStringList entries;
        editing_ = true;
        if (owner_)
            owner_->FillList(id_, cell, entries);
        list_->addItems(entries);
        list_->setCurrentIndex(-1);
        list_->SelectPrefix(CellText(currentRow_, currentColumn_));
        if (character != 0)
            list_->SelectPrefix(QString(QChar(character)));
        list_->setGeometry(currentSpan_);
        list_->show();
        list_->raise();
        activeEditor_ = list_;
        list_->setFocus(Qt::OtherFocusReason);
        return;
    }

    if (col.check) {
        if (character == ' ')
            ToggleCheck(currentRow_, currentColumn_);
        return;
    }

    if (col.upperCase)
        UpperCaseInput::Apply(edit_);
    else
        UpperCaseInput::Remove(edit_);
    edit_->setGeometry(currentSpan_);
    if (character != 0) {
        edit_->SetKeepCaret(false);
        const QString typed{QChar(character)};
        edit_->setText(col.upperCase ? typed.toUpper() : typed);
    } else {
        edit_->SetKeepCaret(true);
        const QString text = CellText(currentRow_, currentColumn_);
        edit_->setText(col.upperCase ? text.toUpper() : text);
    }
    editing_ = true;
    activeEditor_ = edit_;
    edit_->show();
    edit_->raise();
    edit_->setFocus(Qt::OtherFocusReason);
    // A box that already had the focus gets no focus event: place the caret here as well.
    edit_->deselect();
    edit_->end(false);
}

void CVrGrid::HideEditor(QWidget* editor) {
    auto setQuiet = [&](bool quiet) {
        if (editor == edit_)
            edit_->SetQuietHide(quiet);
        else
            list_->SetQuietHide(quiet);
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
    if (!editing_)
        return;
    QWidget* editor = activeEditor_ ? activeEditor_ : edit_;
    activeEditor_ = nullptr;
    if (key == Qt::Key_Escape || !GridKeys::Confirms(key)) {
        editing_ = false;
        HideEditor(editor);
        update();
        return;
    }
    GridCell cell{currentRow_, currentColumn_, {}};
    editing_ = false;
    cell.text = editor == list_ ? list_->currentText() : edit_->text();
    HideEditor(editor);

    AdjustEndEdit(cell, key);

    if (cell.row >= 1 && cell.row < rowLimit_) {
        if (owner_)
            owner_->CellChanged(id_, cell);
    } else if (IsNewRow(cell.row) && !noNewRow_ && cell.column >= 1 &&
               cell.column < ColumnCount()) {
        columns_[cell.column].newRowText = cell.text;
        newRowTyped_ = true;
        if (owner_)
            owner_->NewRowCellChanged(id_, cell);
    }

    const int savedRow = currentRow_;
    const int savedColumn = currentColumn_;
    const KeyResult result = HandleKey(key);
    if (result.leftRow && newRowTyped_ && owner_ && owner_->AddRowAllowed(id_)) {
        // The typed row now belongs to the owner; a fresh new row follows it.
        ++rowLimit_;
        ClearNewRowTexts();
        currentRow_ = savedRow;
        currentColumn_ = savedColumn;
        SyncScrollBars();
        HandleKey(key);
    }
    update();
}

void CVrGrid::AdjustEndEdit(GridCell&, int&) {}

void CVrGrid::EditorLeftGrid() {
    headerTextColor_ = kGrey;
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
    if (x >= visibleWidth_ || y >= visibleHeight_)
        return;

    if (y < headerHeight_) {
        const int edge = EdgeAt(x);
        if (edge >= 0) {
            resizing_ = true;
            resizeColumn_ = edge;
            resizeStartX_ = x;
            resizeStartWidth_ = columns_[edge].width;
            currentColumn_ = edge;
            setCursor(Qt::SizeHorCursor);
            update();
            return;
        }
        pressedHeader_ = ColumnAt(x);
        headerPressed_ = pressedHeader_ >= 0;
        update();
        return;
    }

    const int row = RowAt(y);
    if (x < columns_[0].width) {
        currentColumn_ = 0;
        currentRow_ = 0;
        PostCurrentRowChanged(0);
        if (InSelection(row)) {
            selFirst_ = selLast_ = 0;
        } else if (row >= 1 && row < rowLimit_) {
            selFirst_ = selLast_ = row;
            dragSelecting_ = true;
        }
        update();
        return;
    }

    const int column = ColumnAt(x);
    if (column < 1 || row < 1 || row > rowLimit_)
        return;
    currentColumn_ = column;
    currentRow_ = row;
    selFirst_ = selLast_ = 0;
    Layout();
    SyncScrollBars();
    PostCurrentRowChanged(row);
    if (columns_[column].check && !IsNewRow(row) && !readOnly_ && !columns_[column].readOnly)
        ToggleCheck(row, column);
    update();
}

void CVrGrid::mouseMoveEvent(QMouseEvent* event) {
    const int x = event->position().toPoint().x();
    const int y = event->position().toPoint().y();
    if (resizing_) {
        columns_[resizeColumn_].width =
            std::max(kMinColumnWidth, resizeStartWidth_ + (x - resizeStartX_));
        Layout();
        update();
        return;
    }
    if (!dragSelecting_ && !(event->buttons() & Qt::LeftButton)) {
        setCursor(y < headerHeight_ && EdgeAt(x) >= 0 ? Qt::SizeHorCursor : Qt::ArrowCursor);
        return;
    }
    if (dragSelecting_ && y >= headerHeight_) {
        const int row = RowAt(y);
        if (row >= 1 && row < rowLimit_ && row != selLast_) {
            selLast_ = row;
            update();
        }
    }
}

void CVrGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    if (resizing_) {
        resizing_ = false;
        setCursor(Qt::ArrowCursor);
        update();
    }
    dragSelecting_ = false;
    if (headerPressed_) {
        headerPressed_ = false;
        const int column = pressedHeader_;
        pressedHeader_ = -1;
        update();
        if (owner_)
            owner_->HeaderClicked(id_, column);
    }
}

void CVrGrid::wheelEvent(QWheelEvent* event) {
    // One row per notch of 120; fine-grained wheels and touchpads add up their small steps.
    wheelRemainder_ += event->angleDelta().y();
    const int rows = wheelRemainder_ / 120;
    wheelRemainder_ -= rows * 120;
    firstVisibleRow_ = std::clamp(firstVisibleRow_ - rows, 1, std::max(1, rowLimit_));
    Layout();
    SyncScrollBars();
    update();
    event->accept();
}

// ---------------------------------------------------------------------------------------------
// Focus, size

void CVrGrid::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if ((currentColumn_ == 0 || currentRow_ == 0) && ColumnCount() > 1) {
        currentColumn_ = 1;
        currentRow_ = 1;
        PostCurrentRowChanged(1);
    }
    headerTextColor_ = palette().color(QPalette::ButtonText);
    if (!editing_) {
        edit_->hide();
        list_->hide();
    }
    update();
}

void CVrGrid::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    QWidget* to = QApplication::focusWidget();
    if (to == edit_ || to == list_)
        return;
    headerTextColor_ = kGrey;
    update();
}

void CVrGrid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange)
        painter_.UseColors(palette());
    QWidget::changeEvent(event);
}

void CVrGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceScrollBars();
}

void CVrGrid::PlaceScrollBars() {
    const int barWidth = verticalBar_->sizeHint().width();
    const int barHeight = horizontalBar_ ? horizontalBar_->sizeHint().height() : 0;
    visibleWidth_ = std::max(0, width() - barWidth);
    visibleHeight_ = std::max(0, height() - barHeight);
    verticalBar_->setGeometry(visibleWidth_, 0, barWidth, visibleHeight_);
    if (horizontalBar_)
        horizontalBar_->setGeometry(0, visibleHeight_, visibleWidth_, barHeight);
    Layout();
    SyncScrollBars();
}

// ---------------------------------------------------------------------------------------------
// Drawing

void CVrGrid::paintEvent(QPaintEvent*) {
    Layout();
    // Everything is drawn off screen first and shown in one copy: no flicker while scrolling.
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (buffer_.size() != pixels) {
        buffer_ = QPixmap(pixels);
        buffer_.setDevicePixelRatio(ratio);
    }
    {
        QPainter painter(&buffer_);
        painter.fillRect(rect(), palette().color(QPalette::Mid));
        painter.setClipRect(0, 0, visibleWidth_, visibleHeight_);
        DrawHeaderRow(painter);
        DrawRowHeaders(painter);
        DrawCells(painter);
        painter.setClipping(false);
        if (painter_.Frame())
            painter_.DrawFrame(painter, QRect(0, 0, visibleWidth_, visibleHeight_));
    }
    QPainter screen(this);
    screen.drawPixmap(0, 0, buffer_);
}

void CVrGrid::DrawHeaderRow(QPainter& painter) {
    painter.setFont(headerFont_);
    const int bottom = std::min(visibleHeight_, RowTop(LastShownRow() + 1));
    for (int c = 0; c < ColumnCount(); ++c) {
        const GridColumn& col = columns_[c];
        if (col.rightEdge < 0)
            continue;
        const QRect cell(col.rightEdge - col.width, 0, col.width, headerHeight_);
        CGridPainter::Look look = CGridPainter::Look::Raised;
        if (headerPressed_ && c == pressedHeader_)
            look = CGridPainter::Look::Pressed;
        else if (c != 0 && c == currentColumn_)
            look = CGridPainter::Look::Highlighted;
        painter_.DrawHeaderCell(painter, cell, look);
        if (c != 0) {
            painter.setPen(headerTextColor_);
            painter.drawText(cell, Qt::AlignCenter | Qt::TextSingleLine, col.caption);
        }
        painter.setPen(painter_.GridLine());
        painter.drawLine(col.rightEdge - 1, headerHeight_, col.rightEdge - 1, bottom - 1);
    }
}

void CVrGrid::DrawRowHeaders(QPainter& painter) {
    painter.setFont(headerFont_);
    const int width = columns_[0].width;
    const int lineRight = std::min(totalWidth_, visibleWidth_);
    for (int row = firstVisibleRow_; row <= LastShownRow(); ++row) {
        const QRect cell(0, RowTop(row), width, rowHeight_);
        const bool highlighted = InSelection(row) || row == currentRow_;
        painter_.DrawHeaderCell(painter, cell,
                                highlighted ? CGridPainter::Look::Highlighted
                                            : CGridPainter::Look::Raised);
        painter.setPen(headerTextColor_);
        if (ownerRowHeaders_) {
            GridCell header{row, 0, {}};
            if (owner_)
                owner_->RowHeaderTextWanted(id_, header);
            painter.drawText(cell.adjusted(5, 4, 0, 0),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, header.text);
        } else if (rowNumbers_ && (!noNewRow_ || !IsNewRow(row))) {
            painter.drawText(cell.adjusted(0, 0, -5, 0),
                             Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                             QString::asprintf("%d", row));
        }
        painter.setPen(painter_.GridLine());
        painter.drawLine(width, cell.bottom(), lineRight - 1, cell.bottom());
    }
}

void CVrGrid::DrawCells(QPainter& painter) {
    painter.setFont(normalFont_);
    const QPalette& pal = palette();
    for (int row = firstVisibleRow_; row <= LastShownRow(); ++row) {
        const bool selected = InSelection(row);
        const QColor back = pal.color(selected ? QPalette::Highlight : QPalette::Base);
        const QColor fore = pal.color(selected ? QPalette::HighlightedText : QPalette::Text);
        for (int c = firstVisibleColumn_; c < ColumnCount(); ++c) {
            const GridColumn& col = columns_[c];
            if (col.rightEdge < 0)
                break;
            // Inside the grid lines drawn at the right and lower edges.
            const QRect cell(col.rightEdge - col.width, RowTop(row), col.width - 1, rowHeight_ - 1);
            painter.fillRect(cell, back);
            const QString text = CellText(row, c);
            if (col.check) {
                DrawCheck(painter, cell, !text.isEmpty(), fore);
                continue;
            }
            if (text.isEmpty())
                continue;
            painter.setPen(fore);
            int flags = Qt::AlignVCenter | Qt::TextSingleLine;
            QRect area = cell;
            if (col.alignment == GridAlign::Right) {
                flags |= Qt::AlignRight;
                area.setRight(cell.left() + col.width - 1 - 4);
            } else if (col.alignment == GridAlign::Center) {
                flags |= Qt::AlignHCenter;
            } else {
                flags |= Qt::AlignLeft;
                area.setLeft(cell.left() + 4);
            }
            painter.drawText(area, flags, text);
        }
    }
    if (!currentSpan_.isNull()) {
        const QColor frame = pal.color(QPalette::Mid).darker(160);
        painter.setPen(frame);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(currentSpan_.adjusted(0, 0, -1, -1));
        painter.drawRect(currentSpan_.adjusted(-1, -1, 0, 0));
    }
}

void CVrGrid::DrawCheck(QPainter& painter, const QRect& cell, bool ticked,
                        const QColor& color) const {
    const int left = cell.left() + (cell.width() + 1 - kCheckBox) / 2;
    const int top = cell.top() + (cell.height() + 1 - kCheckBox) / 2;
    painter.setPen(color);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(left, top, kCheckBox - 1, kCheckBox - 1);
    if (!ticked)
        return;
    painter.setPen(kCheckRed);
    const int right = left + kCheckBox;
    for (int line = 0; line < 7; ++line) {
        for (int bit = 0; bit < 8; ++bit) {
            if (kCheckPattern[line] & (1u << bit))
                painter.drawPoint(right - 3 - bit, top + 2 + line);
        }
    }
}
