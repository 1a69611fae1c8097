#include "GridFixture.h"

#include <QAction>
#include <QScrollBar>

#include <algorithm>
#include <set>

namespace {

using Grid = GridFixture;

// The rows whose texts a drawing asked for.
std::set<int> RowsAsked(const GridTestOwner& owner) {
    std::set<int> rows;
    for (const auto& note : owner.Of("text"))
        rows.insert(note.row);
    return rows;
}

TEST_F(Grid, ThreeRowsShowOwnerTextsAndANewRowBelow) {
    grid->SetRowCount(3);
    FillCells(3);
    Settle();
    EXPECT_EQ(grid->GetRowLimit(), 4);
    EXPECT_EQ(grid->CurrentColumn(), 1);
    EXPECT_EQ(grid->CurrentRow(), 1);
    ASSERT_EQ(owner.Of("row").size(), 1u);
    EXPECT_EQ(owner.Of("row")[0].row, 1);
    EXPECT_EQ(owner.Of("row")[0].gridId, kId);

    owner.Clear();
    grid->grab();
    EXPECT_EQ(RowsAsked(owner), (std::set<int>{1, 2, 3})) << "the new row is never asked for";
    EXPECT_EQ(owner.Of("text").size(), 9u);
    EXPECT_FALSE(grid->CellRect(1, 4).isEmpty());
    EXPECT_TRUE(grid->CellRect(1, 5).isEmpty());
}

TEST_F(Grid, NewRowKeepsWhatIsTypedUnlessNewRowsAreOff) {
    grid->SetRowCount(3);
    grid->SetCurrentCell(2, 4);
    Settle();
    owner.Clear();
    Type("x");
    Key(Qt::Key_Return);
    ASSERT_EQ(owner.Of("newrow").size(), 1u);
    EXPECT_EQ(owner.Of("newrow")[0].row, 4);
    EXPECT_EQ(owner.Of("newrow")[0].column, 2);
    EXPECT_EQ(owner.Of("newrow")[0].text, "x");
    EXPECT_EQ(grid->Column(2).newRowText, "x");
    EXPECT_TRUE(owner.Of("changed").empty());

    grid->SetNoNewRow(true);
    grid->SetCurrentCell(1, 4);
    Settle();
    owner.Clear();
    Type("y");
    EXPECT_FALSE(grid->IsEditing());
    Key(Qt::Key_Return);
    EXPECT_TRUE(owner.Of("newrow").empty());
    EXPECT_TRUE(owner.Of("changed").empty());
    EXPECT_TRUE(grid->Column(1).newRowText.isEmpty());
    EXPECT_EQ(grid->GetRowLimit(), 4);
}

TEST_F(Grid, TypedNewRowBecomesADataRowWhenTheOwnerAgrees) {
    grid->SetRowCount(2);
    grid->SetCurrentCell(1, 3);
    Settle();
    owner.Clear();
    Type("a");
    Key(Qt::Key_Return);
    Type("b");
    Key(Qt::Key_Return);
    EXPECT_TRUE(owner.Of("addrow").empty()) << "still in the new row";
    Type("c");
    Key(Qt::Key_Return); // from the last column: leaves the row
    ASSERT_EQ(owner.Of("addrow").size(), 1u);
    EXPECT_EQ(owner.Of("newrow").size(), 3u);
    EXPECT_EQ(grid->GetRowLimit(), 4);
    EXPECT_EQ(grid->CurrentRow(), 4) << "column 1 of the fresh new row";
    EXPECT_EQ(grid->CurrentColumn(), 1);
    for (int c = 1; c <= 3; ++c)
        EXPECT_TRUE(grid->Column(c).newRowText.isEmpty());

    // Refused: the row stays the new row with its text.
    owner.allowAddRow = false;
    Type("d");
    Key(Qt::Key_Up);
    EXPECT_EQ(owner.Of("addrow").size(), 2u);
    EXPECT_EQ(grid->GetRowLimit(), 4);
    EXPECT_EQ(grid->CurrentRow(), 3);
    EXPECT_EQ(grid->Column(1).newRowText, "d");
}

TEST_F(Grid, DraggingAColumnEdgeFarLeftLeavesFourPixels) {
    const QRect header = grid->CellRect(1, 0);
    const QPoint edge(header.right() + 1, 9);
    QTest::mousePress(grid, Qt::LeftButton, Qt::NoModifier, edge);
    QTest::mouseMove(grid, edge - QPoint(100, 0));
    QTest::mouseRelease(grid, Qt::LeftButton, Qt::NoModifier, edge - QPoint(100, 0));
    Settle();
    EXPECT_EQ(grid->Column(1).width, CVrGrid::kMinColumnWidth);
    EXPECT_EQ(grid->CurrentColumn(), 1);
    EXPECT_TRUE(owner.Of("header").empty()) << "a resize is no header click";

    // Dragging right from there widens by the movement.
    const QPoint narrow(grid->CellRect(1, 0).right() + 1, 9);
    QTest::mousePress(grid, Qt::LeftButton, Qt::NoModifier, narrow);
    QTest::mouseMove(grid, narrow + QPoint(30, 0));
    QTest::mouseRelease(grid, Qt::LeftButton, Qt::NoModifier, narrow + QPoint(30, 0));
    EXPECT_EQ(grid->Column(1).width, 34);
}

TEST_F(Grid, HeaderClickIsReportedOnRelease) {
    const QPoint middle = grid->CellRect(2, 0).center();
    QTest::mousePress(grid, Qt::LeftButton, Qt::NoModifier, middle);
    Settle();
    EXPECT_TRUE(owner.Of("header").empty());
    QTest::mouseRelease(grid, Qt::LeftButton, Qt::NoModifier, middle);
    ASSERT_EQ(owner.Of("header").size(), 1u);
    EXPECT_EQ(owner.Of("header")[0].column, 2);

    QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, QPoint(8, 9));
    ASSERT_EQ(owner.Of("header").size(), 2u);
    EXPECT_EQ(owner.Of("header")[1].column, 0);
}

TEST_F(Grid, CheckCellClickedTwiceReturnsToEmpty) {
    grid->SetRowCount(3);
    grid->SetColumnCheck(2, true);
    Settle();
    owner.Clear();
    QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, grid->CellRect(2, 2).center());
    EXPECT_TRUE(owner.Of("row").empty()) << "the new current row is told from the event loop";
    Settle();
    EXPECT_EQ(owner.Of("row").size(), 1u);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    Click(2, 2);
    const auto changed = owner.Of("changed");
    ASSERT_EQ(changed.size(), 2u);
    EXPECT_EQ(changed[0].text, "T");
    EXPECT_EQ(changed[1].text, "");
    EXPECT_EQ(changed[0].row, 2);
    EXPECT_EQ(changed[0].column, 2);

    // Each toggle first asks for the text it flips.
    const auto& notes = owner.notes;
    auto firstChange =
        std::find_if(notes.begin(), notes.end(), [](const auto& n) { return n.what == "changed"; });
    ASSERT_NE(firstChange, notes.begin());
    EXPECT_EQ(std::prev(firstChange)->what, "text");

    // The new row's check box is not toggled by the mouse.
    owner.Clear();
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    Click(2, 4);
    EXPECT_TRUE(owner.Of("changed").empty());
    EXPECT_TRUE(owner.Of("newrow").empty());
}

TEST_F(Grid, BlankTogglesACheckCellOtherCharactersDoNot) {
    grid->SetRowCount(3);
    grid->SetColumnCheck(3, true);
    grid->SetCurrentCell(3, 1);
    Settle();
    owner.Clear();
    Key(Qt::Key_Space);
    ASSERT_EQ(owner.Of("changed").size(), 1u);
    EXPECT_EQ(owner.Of("changed")[0].text, "T");
    Type("x");
    EXPECT_FALSE(grid->IsEditing());
    Key(Qt::Key_F2);
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_EQ(owner.Of("changed").size(), 1u);
    Key(Qt::Key_Space);
    ASSERT_EQ(owner.Of("changed").size(), 2u);
    EXPECT_EQ(owner.Of("changed")[1].text, "");
}

TEST_F(Grid, EnterMovesAlongTheRowAndWrapsFromTheLastColumn) {
    grid->SetRowCount(5);
    grid->SetCurrentCell(2, 2);
    Settle();
    owner.Clear();
    Key(Qt::Key_Return);
    EXPECT_EQ(grid->CurrentColumn(), 3);
    EXPECT_EQ(grid->CurrentRow(), 2);
    EXPECT_TRUE(owner.Of("row").empty());
    Key(Qt::Key_Return);
    EXPECT_EQ(grid->CurrentColumn(), 1);
    EXPECT_EQ(grid->CurrentRow(), 3);
    ASSERT_EQ(owner.Of("row").size(), 1u);
    EXPECT_EQ(owner.Of("row")[0].row, 3);
}

TEST_F(Grid, ArrowsPagesHomeAndEndStayInsideTheGrid) {
    grid->SetRowCount(100);
    Settle();
    const int page = grid->VisibleRows();
    ASSERT_GT(page, 3);
    Key(Qt::Key_Left);
    EXPECT_EQ(grid->CurrentColumn(), 1);
    Key(Qt::Key_Up);
    EXPECT_EQ(grid->CurrentRow(), 1);
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    EXPECT_EQ(grid->CurrentColumn(), 3);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(grid->CurrentRow(), 1 + page);
    EXPECT_LE(grid->FirstVisibleRow(), grid->CurrentRow());
    EXPECT_GE(grid->FirstVisibleRow() + page - 1, grid->CurrentRow());
    Key(Qt::Key_End);
    EXPECT_EQ(grid->CurrentRow(), 101);
    EXPECT_EQ(grid->CurrentColumn(), 1);
    EXPECT_FALSE(grid->CellRect(1, 101).isEmpty()) << "the new row is scrolled into view";
    Key(Qt::Key_Down);
    EXPECT_EQ(grid->CurrentRow(), 101);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(grid->CurrentRow(), 101 - page);
    Key(Qt::Key_Home);
    EXPECT_EQ(grid->CurrentRow(), 1);
    EXPECT_EQ(grid->FirstVisibleRow(), 1);
}

TEST_F(Grid, RowSelectionDeletesRowsWhenTheOwnerAgrees) {
    grid->SetRowCount(5);
    Settle();
    owner.Clear();
    const QPoint row2 = grid->CellRect(0, 2).center();
    const QPoint row3 = grid->CellRect(0, 3).center();
    QTest::mousePress(grid, Qt::LeftButton, Qt::NoModifier, row2);
    QTest::mouseMove(grid, row3);
    QTest::mouseRelease(grid, Qt::LeftButton, Qt::NoModifier, row3);
    Settle();
    EXPECT_EQ(grid->SelectionFirst(), 2);
    EXPECT_EQ(grid->SelectionLast(), 3);
    EXPECT_EQ(grid->CurrentRow(), 0);
    ASSERT_FALSE(owner.Of("row").empty());
    EXPECT_EQ(owner.Of("row")[0].row, 0);

    Key(Qt::Key_Delete);
    ASSERT_EQ(owner.Of("delete").size(), 1u);
    EXPECT_EQ(owner.Of("delete")[0].row, 3) << "last row first";
    EXPECT_EQ(owner.Of("delete")[0].column, 2);
    EXPECT_EQ(grid->GetRowLimit(), 4) << "three data rows left";
    EXPECT_EQ(grid->SelectionFirst(), 0);
    EXPECT_EQ(grid->CurrentRow(), 1);
    EXPECT_EQ(grid->CurrentColumn(), 1);
}

TEST_F(Grid, RowsDraggedUpwardsAreReportedInTheSameOrder) {
    grid->SetRowCount(5);
    owner.allowDelete = false;
    Settle();
    const QPoint row4 = grid->CellRect(0, 4).center();
    const QPoint row2 = grid->CellRect(0, 2).center();
    QTest::mousePress(grid, Qt::LeftButton, Qt::NoModifier, row4);
    QTest::mouseMove(grid, row2);
    QTest::mouseRelease(grid, Qt::LeftButton, Qt::NoModifier, row2);
    Settle();
    owner.Clear();
    Key(Qt::Key_Delete);
    ASSERT_EQ(owner.Of("delete").size(), 1u);
    EXPECT_EQ(owner.Of("delete")[0].row, 4);
    EXPECT_EQ(owner.Of("delete")[0].column, 2);
    EXPECT_EQ(grid->GetRowLimit(), 6) << "refused: nothing deleted";

    // The no-deletion flag keeps the owner from being asked at all.
    grid->SetNoRowDeletion(true);
    grid->SelectRows(1, 2);
    owner.Clear();
    Key(Qt::Key_Delete);
    EXPECT_TRUE(owner.Of("delete").empty());
}

TEST_F(Grid, ClickingASelectedRowHeaderClearsTheSelection) {
    grid->SetRowCount(5);
    grid->SelectRows(2, 4);
    QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, grid->CellRect(0, 3).center());
    EXPECT_EQ(grid->SelectionFirst(), 0);
    EXPECT_EQ(grid->SelectionLast(), 0);

    // A key on a selection starts from its first row, column 1.
    grid->SelectRows(3, 4);
    Key(Qt::Key_Right);
    EXPECT_EQ(grid->CurrentRow(), 3);
    EXPECT_EQ(grid->CurrentColumn(), 2);
    EXPECT_EQ(grid->SelectionFirst(), 0);
}

TEST_F(Grid, DeleteEmptiesTheCurrentCellUnlessReadOnly) {
    grid->SetRowCount(3);
    FillCells(3);
    grid->SetCurrentCell(2, 2);
    Settle();
    owner.Clear();
    Key(Qt::Key_Delete);
    ASSERT_EQ(owner.Of("changed").size(), 1u);
    EXPECT_EQ(owner.Of("changed")[0].text, "");
    EXPECT_EQ(owner.Of("changed")[0].row, 2);
    EXPECT_EQ(owner.Of("changed")[0].column, 2);

    grid->SetColumn(3, "Total", 60, true, TextAlign::Right);
    grid->SetCurrentCell(3, 2);
    Settle();
    owner.Clear();
    Key(Qt::Key_Delete);
    Type("9");
    Key(Qt::Key_F2);
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_TRUE(owner.Of("changed").empty());

    grid->SetReadOnly(true);
    grid->SetCurrentCell(1, 1);
    Key(Qt::Key_Delete);
    Type("9");
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_TRUE(owner.Of("changed").empty());
}

TEST_F(Grid, KeysTheGridActsOnAreNotTakenByShortcuts) {
    grid->SetRowCount(3);
    grid->SetCurrentCell(1, 1);
    Settle();
    int triggered = 0;
    auto* action = new QAction(window.get());
    action->setShortcuts({QKeySequence(Qt::Key_Delete), QKeySequence(Qt::Key_F2)});
    QObject::connect(action, &QAction::triggered, [&] { ++triggered; });
    window->addAction(action);
    owner.Clear();
    Key(Qt::Key_Delete);
    EXPECT_EQ(owner.Of("changed").size(), 1u);
    Key(Qt::Key_F2);
    EXPECT_TRUE(grid->IsEditing());
    EXPECT_EQ(triggered, 0);
}

TEST_F(Grid, TabLeavesTheGrid) {
    grid->SetRowCount(3);
    ASSERT_TRUE(grid->hasFocus());
    Key(Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus());
}

TEST_F(Grid, FocusGivesACurrentCellAndDarkCaptions) {
    grid->SetRowCount(3);
    after->setFocus();
    grid->SelectRows(1, 1);
    QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, grid->CellRect(0, 1).center());
    Settle();
    EXPECT_EQ(grid->CurrentRow(), 0);
    owner.Clear();
    after->setFocus();
    grid->setFocus();
    Settle();
    EXPECT_EQ(grid->CurrentRow(), 1);
    EXPECT_EQ(grid->CurrentColumn(), 1);
    ASSERT_EQ(owner.Of("row").size(), 1u);
}

TEST_F(Grid, CheckCellsShowTheRedTickInsideAnElevenPixelBox) {
    grid->SetRowCount(2);
    grid->SetColumnCheck(2, true);
    owner.cells[{1, 2}] = "T";
    grid->SetCurrentCell(1, 1);
    Settle();
    const QImage picture = grid->grab().toImage();
    auto redPixels = [&](const QRect& cell) {
        std::vector<QPoint> red;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                if (picture.pixelColor(x, y) == QColor(255, 0, 0))
                    red.push_back(QPoint(x, y));
        return red;
    };
    const QRect ticked = grid->CellRect(2, 1);
    const std::vector<QPoint> red = redPixels(ticked);
    ASSERT_EQ(red.size(), 21u) << "one pixel per set bit of the pattern";
    EXPECT_TRUE(redPixels(grid->CellRect(2, 2)).empty());

    // The tick's top pixel is 3 left of the box's right edge and 2 below its top; its lowest
    // pixel is bit 4 of the seventh line.
    const int boxLeft = ticked.left() + (ticked.width() - 11) / 2;
    const int boxTop = ticked.top() + (ticked.height() - 11) / 2;
    const QPoint top =
        *std::min_element(red.begin(), red.end(), [](QPoint a, QPoint b) { return a.y() < b.y(); });
    EXPECT_EQ(top, QPoint(boxLeft + 11 - 3, boxTop + 2));
    const QPoint bottom =
        *std::max_element(red.begin(), red.end(), [](QPoint a, QPoint b) { return a.y() < b.y(); });
    EXPECT_EQ(bottom, QPoint(boxLeft + 11 - 3 - 4, boxTop + 8));
    EXPECT_EQ(picture.pixelColor(boxLeft, boxTop), QColor(Qt::black)) << "the box's corner";
}

TEST_F(Grid, CaptionsAreGreyWhileTheFocusIsElsewhere) {
    grid->SetRowCount(2);
    const QColor focused = grid->palette().color(QPalette::ButtonText);
    ASSERT_NE(focused, QColor(128, 128, 128));
    EXPECT_EQ(grid->HeaderTextColor(), focused);
    Type("a");
    ASSERT_TRUE(grid->IsEditing());
    EXPECT_EQ(grid->HeaderTextColor(), focused) << "its own editor keeps the grid focused";
    QTest::mouseClick(after, Qt::LeftButton);
    Settle();
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_EQ(grid->HeaderTextColor(), QColor(128, 128, 128));
    Key(Qt::Key_Backtab);
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(grid->HeaderTextColor(), focused);
}

TEST_F(Grid, PaintingAsksOnlyForTheVisibleCells) {
    grid->SetRowCount(100000);
    Settle();
    owner.Clear();
    grid->grab();
    const int perScreen = static_cast<int>(owner.Of("text").size());
    const int rowsShown = static_cast<int>(RowsAsked(owner).size());
    EXPECT_LE(rowsShown, grid->VisibleRows() + 1);
    EXPECT_EQ(perScreen, rowsShown * 3);

    auto* bar = grid->findChild<QScrollBar*>("VerticalBar");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->maximum(), 100001);
    bar->setValue(50000);
    owner.Clear();
    grid->grab();
    const std::set<int> rows = RowsAsked(owner);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(*rows.begin(), 50000);
    EXPECT_LE(*rows.rbegin(), 50000 + grid->VisibleRows());
    EXPECT_EQ(static_cast<int>(owner.Of("text").size()), perScreen);

    Key(Qt::Key_End);
    owner.Clear();
    grid->grab();
    EXPECT_EQ(*RowsAsked(owner).rbegin(), 100000);
    EXPECT_EQ(static_cast<int>(owner.Of("text").size()), (grid->VisibleRows() - 1) * 3);
}

TEST_F(Grid, ScrollBarsAndTheWheelMoveByRows) {
    grid->SetRowCount(50);
    auto* bar = grid->findChild<QScrollBar*>("VerticalBar");
    ASSERT_NE(bar, nullptr);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(grid->FirstVisibleRow(), 2);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(grid->FirstVisibleRow(), 2 + grid->VisibleRows() - 1);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(grid->FirstVisibleRow(), 51);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(grid->FirstVisibleRow(), 50) << "line down stays within the data rows";

    const QPoint middle = grid->CellRect(1, 50).center();
    QWheelEvent down(middle, grid->mapToGlobal(middle), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid, &down);
    EXPECT_EQ(grid->FirstVisibleRow(), 51) << "clamped to the row limit";
    QWheelEvent up(middle, grid->mapToGlobal(middle), QPoint(), QPoint(0, 360), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid, &up);
    EXPECT_EQ(grid->FirstVisibleRow(), 48);
    EXPECT_EQ(bar->value(), 48);
    // A fine-grained wheel moves one row per 120 of its small steps.
    QWheelEvent fine(middle, grid->mapToGlobal(middle), QPoint(), QPoint(0, 60), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid, &fine);
    EXPECT_EQ(grid->FirstVisibleRow(), 48);
    QApplication::sendEvent(grid, &fine);
    EXPECT_EQ(grid->FirstVisibleRow(), 47);
}

TEST_F(Grid, ColumnsScrollToKeepTheCurrentOneInView) {
    grid->SetColumnCount(12);
    grid->SetRowCount(3);
    Key(Qt::Key_Home);
    for (int i = 0; i < 11; ++i)
        Key(Qt::Key_Right);
    EXPECT_EQ(grid->CurrentColumn(), 12);
    EXPECT_GT(grid->FirstVisibleColumn(), 1);
    const QRect cell = grid->CellRect(12, 1);
    ASSERT_FALSE(cell.isEmpty());
    EXPECT_LE(cell.right(), 400);
    Key(Qt::Key_Home);
    EXPECT_EQ(grid->FirstVisibleColumn(), 1);
}

TEST_F(Grid, ColumnsOutsideTheGridAreIgnored) {
    grid->SetColumn(0, "x", 99, true, TextAlign::Right);
    grid->SetColumn(4, "x", 99, true, TextAlign::Right);
    grid->SetColumn(-1, "x", 99, true, TextAlign::Right);
    EXPECT_EQ(grid->Column(0).width, 20);
    EXPECT_EQ(grid->Column(1).caption, "Col. 1");
    grid->SetColumn(2, "Precio", 80, false, TextAlign::Right);
    EXPECT_EQ(grid->Column(2).caption, "Precio");
    EXPECT_EQ(grid->Column(2).width, 80);
    EXPECT_EQ(grid->Column(2).alignment, TextAlign::Right);

    grid->SetRowCount(3);
    grid->SetCurrentCell(4, 1);
    grid->SetCurrentCell(1, 5);
    EXPECT_EQ(grid->CurrentColumn(), 1);
    EXPECT_EQ(grid->CurrentRow(), 1);
}

TEST_F(Grid, CellRectsFollowEveryChangeBeforeAnyDrawing) {
    grid->SetRowCount(50);
    Settle();
    grid->SetColumn(1, "Wide", 100, false, TextAlign::Left);
    EXPECT_EQ(grid->CellRect(2, 0).left(), 120);
    auto* bar = grid->findChild<QScrollBar*>("VerticalBar");
    ASSERT_NE(bar, nullptr);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_TRUE(grid->CellRect(1, 1).isEmpty());
    EXPECT_EQ(grid->CellRect(1, 2).top(), 18);
    grid->resize(160, 100);
    EXPECT_TRUE(grid->CellRect(3, 0).isEmpty()) << "starts beyond the narrower grid";
    EXPECT_TRUE(grid->CellRect(1, 7).isEmpty());
}

TEST_F(Grid, OwnerRowHeadersAreAskedPerShownRow) {
    grid->SetRowCount(2);
    grid->SetOwnerRowHeaders(true);
    owner.Clear();
    grid->grab();
    std::set<int> rows;
    for (const auto& note : owner.Of("rowheader"))
        rows.insert(note.row);
    EXPECT_EQ(rows, (std::set<int>{1, 2, 3}));
}

} // namespace
