#include "grid/GridNavigation.h"

#include <Qt>

#include <gtest/gtest.h>

namespace {

using Action = GridNavigation::Action;
using Reveal = GridNavigation::Reveal;

// Three data columns, rows 1 to 10 with row 11 the new row, 4 rows to a page.
const GridNavigation kGrid(3, 11, 4);

GridPosition At(int column, int row) {
    return GridPosition{column, row, 0, 0};
}

TEST(GridNavigation, EnterMovesAlongTheRowAndWrapsToTheNextOne) {
    auto step = kGrid.Apply(At(2, 5), Qt::Key_Return);
    EXPECT_EQ(step.action, Action::Move);
    EXPECT_EQ(step.position.column, 3);
    EXPECT_EQ(step.position.row, 5);
    EXPECT_FALSE(step.leftRow);
    EXPECT_FALSE(step.reportRow);
    EXPECT_EQ(step.reveal, GridNavigation::Reveals(Reveal::Column));

    step = kGrid.Apply(At(3, 5), Qt::Key_Return);
    EXPECT_EQ(step.position.column, 1);
    EXPECT_EQ(step.position.row, 6);
    EXPECT_TRUE(step.leftRow);
    EXPECT_TRUE(step.reportRow);
    EXPECT_EQ(step.reveal, Reveal::Column | Reveal::Row);

    // From the last column of the new row: back to its first column, and that counts as leaving
    // the row (a typed row is offered to the owner).
    step = kGrid.Apply(At(3, 11), Qt::Key_Return);
    EXPECT_EQ(step.position.column, 1);
    EXPECT_EQ(step.position.row, 11);
    EXPECT_TRUE(step.leftRow);
}

TEST(GridNavigation, ArrowsStopAtTheBordersUpAndDownStillLeaveTheRow) {
    auto step = kGrid.Apply(At(1, 1), Qt::Key_Left);
    EXPECT_EQ(step.action, Action::Move);
    EXPECT_EQ(step.position.column, 1);
    EXPECT_EQ(step.reveal, GridNavigation::Reveals(Reveal::Column));
    step = kGrid.Apply(At(3, 1), Qt::Key_Right);
    EXPECT_EQ(step.position.column, 3);
    EXPECT_FALSE(step.leftRow);
    EXPECT_FALSE(step.reportRow) << "a column move is no row change";
    EXPECT_EQ(kGrid.Apply(At(2, 1), Qt::Key_Right).position.column, 3);

    step = kGrid.Apply(At(2, 4), Qt::Key_Down);
    EXPECT_EQ(step.position.column, 2);
    EXPECT_EQ(step.position.row, 5);
    EXPECT_TRUE(step.reportRow);
    EXPECT_EQ(step.reveal, GridNavigation::Reveals(Reveal::Row));

    // At the first and at the new row the cell stays, yet the row counts as left.
    step = kGrid.Apply(At(2, 1), Qt::Key_Up);
    EXPECT_EQ(step.position.row, 1);
    EXPECT_TRUE(step.leftRow);
    step = kGrid.Apply(At(2, 11), Qt::Key_Down);
    EXPECT_EQ(step.position.row, 11);
    EXPECT_TRUE(step.leftRow);
}

TEST(GridNavigation, PagesHomeAndEnd) {
    EXPECT_EQ(kGrid.Apply(At(2, 3), Qt::Key_PageDown).position.row, 7);
    EXPECT_EQ(kGrid.Apply(At(2, 9), Qt::Key_PageDown).position.row, 11);
    EXPECT_EQ(kGrid.Apply(At(2, 7), Qt::Key_PageUp).position.row, 3);
    auto step = kGrid.Apply(At(2, 3), Qt::Key_PageUp);
    EXPECT_EQ(step.position.row, 1);
    EXPECT_EQ(step.position.column, 2) << "pages keep the column";
    EXPECT_TRUE(step.reportRow);

    step = kGrid.Apply(At(3, 8), Qt::Key_Home);
    EXPECT_EQ(step.position.column, 1);
    EXPECT_EQ(step.position.row, 1);
    EXPECT_EQ(step.reveal, GridNavigation::Reveals(Reveal::Origin));
    EXPECT_TRUE(step.leftRow);
    EXPECT_TRUE(step.reportRow);
    EXPECT_FALSE(kGrid.Apply(At(3, 1), Qt::Key_Home).leftRow);

    step = kGrid.Apply(At(3, 2), Qt::Key_End);
    EXPECT_EQ(step.position.column, 1);
    EXPECT_EQ(step.position.row, 11) << "the new row";
    EXPECT_EQ(step.reveal, Reveal::Column | Reveal::Row);
    EXPECT_TRUE(step.leftRow);
    EXPECT_FALSE(kGrid.Apply(At(3, 11), Qt::Key_End).leftRow);
}

TEST(GridNavigation, KeysStartFromTheFirstSelectedRowOrFromInsideTheGrid) {
    // Rows dragged over upwards: the lower number wins.
    GridPosition selected{0, 0, 7, 4};
    GridPosition start = kGrid.Normalized(selected);
    EXPECT_EQ(start.column, 1);
    EXPECT_EQ(start.row, 4);
    EXPECT_FALSE(start.HasSelection());

    // No current cell (a row header was clicked): (1, 1).
    start = kGrid.Normalized(At(0, 0));
    EXPECT_EQ(start.column, 1);
    EXPECT_EQ(start.row, 1);

    // Outside the grid: pulled back inside.
    start = kGrid.Normalized(At(9, 40));
    EXPECT_EQ(start.column, 3);
    EXPECT_EQ(start.row, 11);

    start = kGrid.Normalized(At(2, 5));
    EXPECT_EQ(start.column, 2);
    EXPECT_EQ(start.row, 5);
}

TEST(GridNavigation, CommandsAndKeysThatAreNotTheGrids) {
    const GridPosition selected{2, 5, 3, 4};
    auto step = kGrid.Apply(selected, Qt::Key_Delete);
    EXPECT_EQ(step.action, Action::Delete);
    EXPECT_EQ(step.position.selectionFirst, 3) << "Delete acts on the selection as it is";
    EXPECT_EQ(step.position.selectionLast, 4);
    EXPECT_EQ(kGrid.Apply(At(2, 5), Qt::Key_F2).action, Action::BeginEdit);

    for (int key : {int(Qt::Key_Tab), int(Qt::Key_Backtab), int(Qt::Key_A), int(Qt::Key_Escape),
                    int(Qt::Key_F3)}) {
        step = kGrid.Apply(At(2, 5), key);
        EXPECT_EQ(step.action, Action::None) << key;
        EXPECT_EQ(step.position.column, 2);
        EXPECT_EQ(step.position.row, 5);
        EXPECT_FALSE(step.leftRow);
    }

    // A grid without data columns acts on nothing.
    const GridNavigation empty(0, 2, 4);
    EXPECT_EQ(empty.Apply(At(0, 1), Qt::Key_Down).action, Action::None);
    EXPECT_EQ(empty.Apply(At(0, 1), Qt::Key_Delete).action, Action::None);
}

} // namespace
