#include "grid/CEditCell.h"
#include "GridFixture.h"
#include "grid/CListCell.h"
#include "platform_widgets/UpperCaseInput.h"

#include <QScrollBar>

namespace {

using Editing = GridFixture;

TEST_F(Editing, TypingReplacesTheTextAndEnterStoresIt) {
    grid->SetRowCount(3);
    owner.cells[{1, 1}] = "12";
    grid->SetCurrentCell(1, 1);
    Settle();
    owner.Clear();
    Type("7");
    ASSERT_TRUE(grid->IsEditing());
    EXPECT_TRUE(grid->EditBox()->isVisible());
    EXPECT_TRUE(grid->EditBox()->hasFocus());
    EXPECT_EQ(grid->EditBox()->text(), "7");
    EXPECT_EQ(grid->EditBox()->geometry(), grid->CellRect(1, 1));
    Key(Qt::Key_Return);
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_FALSE(grid->EditBox()->isVisible());
    EXPECT_TRUE(grid->hasFocus());
    ASSERT_EQ(owner.Of("changed").size(), 1u);
    EXPECT_EQ(owner.Of("changed")[0].text, "7");
    EXPECT_EQ(owner.Of("changed")[0].row, 1);
    EXPECT_EQ(owner.Of("changed")[0].column, 1);
    EXPECT_EQ(grid->CurrentColumn(), 2);
    EXPECT_EQ(grid->CurrentRow(), 1);
}

TEST_F(Editing, F2KeepsTheTextAndTheCaretMoves) {
    grid->SetRowCount(3);
    owner.cells[{2, 1}] = "12";
    grid->SetCurrentCell(1, 2);
    Settle();
    owner.Clear();
    Key(Qt::Key_F2);
    ASSERT_TRUE(grid->IsEditing());
    CEditCell* box = grid->EditBox();
    EXPECT_EQ(box->text(), "12");
    EXPECT_EQ(box->cursorPosition(), 2);
    EXPECT_FALSE(box->hasSelectedText());
    Key(Qt::Key_Left);
    EXPECT_TRUE(grid->IsEditing());
    EXPECT_EQ(box->cursorPosition(), 1);
    Key(Qt::Key_Up);
    EXPECT_FALSE(grid->IsEditing());
    ASSERT_EQ(owner.Of("changed").size(), 1u);
    EXPECT_EQ(owner.Of("changed")[0].text, "12");
    EXPECT_EQ(owner.Of("changed")[0].row, 2);
    EXPECT_EQ(grid->CurrentRow(), 1);
}

TEST_F(Editing, ArrowsAndFunctionKeysEndATypedEdit) {
    grid->SetRowCount(3);
    grid->SetCurrentCell(2, 2);
    Settle();
    Type("4");
    Key(Qt::Key_Left); // without F2 Left leaves the cell
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_EQ(grid->CurrentColumn(), 1);
    ASSERT_EQ(owner.Of("changed").size(), 1u);
    EXPECT_EQ(owner.Of("changed")[0].column, 2);

    // F2 in the box stores the text and opens the cell reached again with its text.
    owner.cells[{2, 1}] = "ab";
    Type("5");
    Key(Qt::Key_F2);
    ASSERT_TRUE(grid->IsEditing());
    EXPECT_EQ(grid->EditBox()->text(), "5");
    EXPECT_EQ(owner.Of("changed").size(), 2u);
    Key(Qt::Key_F5);
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_EQ(owner.Of("changed").size(), 3u);
}

TEST_F(Editing, EscapeDropsTheTextAndLaterFocusChangesStoreNothing) {
    grid->SetRowCount(3);
    grid->SetCurrentCell(1, 1);
    Settle();
    owner.Clear();
    Type("99");
    Key(Qt::Key_Escape);
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_FALSE(grid->EditBox()->isVisible());
    EXPECT_TRUE(grid->hasFocus());
    after->setFocus();
    grid->setFocus();
    Settle();
    EXPECT_TRUE(owner.Of("changed").empty());
    EXPECT_TRUE(owner.Of("newrow").empty());
}

TEST_F(Editing, ClickingAnotherCellConfirmsBeforeTheCellMoves) {
    grid->SetRowCount(3);
    grid->SetCurrentCell(1, 1);
    Settle();
    owner.Clear();
    Type("31");
    ASSERT_TRUE(grid->IsEditing());
    Click(3, 3);
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_FALSE(grid->EditBox()->isVisible());
    const auto changed = owner.Of("changed");
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].text, "31");
    EXPECT_EQ(changed[0].row, 1);
    EXPECT_EQ(changed[0].column, 1);
    EXPECT_EQ(grid->CurrentColumn(), 3);
    EXPECT_EQ(grid->CurrentRow(), 3);
}

TEST_F(Editing, LeavingTheWindowConfirmsAndDimsTheGrid) {
    grid->SetRowCount(3);
    grid->SetCurrentCell(2, 1);
    Settle();
    owner.Clear();
    Type("8");
    after->setFocus(Qt::MouseFocusReason);
    Settle();
    EXPECT_FALSE(grid->IsEditing());
    ASSERT_EQ(owner.Of("changed").size(), 1u);
    EXPECT_EQ(owner.Of("changed")[0].text, "8");
    EXPECT_TRUE(after->hasFocus()) << "the focus stays where the user put it";
}

TEST_F(Editing, UpperCaseColumnsTakeCapitalsOnly) {
    grid->SetRowCount(3);
    grid->SetColumnUpperCase(2, true);
    grid->SetCurrentCell(2, 1);
    Settle();
    owner.Clear();
    Type("abc ñ");
    EXPECT_EQ(grid->EditBox()->text(), "ABC Ñ");
    Key(Qt::Key_Return);
    ASSERT_EQ(owner.Of("changed").size(), 1u);
    EXPECT_EQ(owner.Of("changed")[0].text, "ABC Ñ");

    // The next column is an ordinary one: the same box takes small letters again.
    Type("abc");
    EXPECT_EQ(grid->EditBox()->text(), "abc");
    EXPECT_FALSE(UpperCaseInput::IsApplied(grid->EditBox()));
}

TEST_F(Editing, ListColumnsAreFilledByTheOwner) {
    grid->SetRowCount(3);
    grid->SetColumnList(1, true);
    owner.listEntries = {"Caja", "Kilo", "Litro", "Pieza"};
    owner.cells[{2, 1}] = "Litro";
    grid->SetCurrentCell(1, 2);
    Settle();
    owner.Clear();
    Key(Qt::Key_F2);
    ASSERT_TRUE(grid->IsEditing());
    CListCell* list = grid->ListBox();
    EXPECT_TRUE(list->isVisible());
    EXPECT_TRUE(list->hasFocus());
    ASSERT_EQ(owner.Of("list").size(), 1u);
    EXPECT_EQ(owner.Of("list")[0].row, 2);
    EXPECT_EQ(list->count(), 4);
    EXPECT_EQ(list->currentText(), "Litro") << "F2 keeps the cell's choice";
    Key(Qt::Key_Down);
    EXPECT_EQ(list->currentText(), "Pieza");
    Key(Qt::Key_Return);
    EXPECT_FALSE(list->isVisible());
    ASSERT_EQ(owner.Of("changed").size(), 1u);
    EXPECT_EQ(owner.Of("changed")[0].text, "Pieza");

    // A typed letter picks the first entry starting with it; Esc stores nothing.
    grid->SetCurrentCell(1, 1);
    Settle();
    owner.Clear();
    Type("k");
    EXPECT_EQ(list->currentText(), "Kilo");
    Key(Qt::Key_Escape);
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_TRUE(owner.Of("changed").empty());
}

TEST_F(Editing, EditsOutsideTheShownCellsAreIgnored) {
    grid->SetRowCount(200);
    grid->SetCurrentCell(1, 150);
    auto* bar = grid->findChild<QScrollBar*>("VerticalBar");
    ASSERT_NE(bar, nullptr);
    bar->setValue(1);
    grid->BeginEdit('a');
    EXPECT_FALSE(grid->IsEditing());
    grid->EndEdit(Qt::Key_Return);
    EXPECT_TRUE(owner.Of("changed").empty());
}

TEST_F(Editing, TheBoxFollowsItsCellWhileTheGridScrolls) {
    grid->SetRowCount(200);
    grid->SetCurrentCell(1, 10);
    Settle();
    Type("4");
    auto* bar = grid->findChild<QScrollBar*>("VerticalBar");
    ASSERT_NE(bar, nullptr);
    bar->setValue(40);
    grid->grab();
    EXPECT_FALSE(grid->rect().intersects(grid->EditBox()->geometry())) << "out of sight";
    Type("2");
    bar->setValue(8);
    grid->grab();
    EXPECT_EQ(grid->EditBox()->geometry(), grid->CellRect(1, 10));
    Key(Qt::Key_Return);
    ASSERT_EQ(owner.Of("changed").size(), 1u);
    EXPECT_EQ(owner.Of("changed")[0].text, "42");
    EXPECT_EQ(owner.Of("changed")[0].row, 10);
}

TEST(UpperCaseInput, RemoveGivesBackSmallLetters) {
    QLineEdit edit;
    UpperCaseInput::Apply(&edit);
    UpperCaseInput::Apply(&edit);
    edit.setText("ab");
    QTest::keyClicks(&edit, "cd");
    EXPECT_EQ(edit.text(), "ABCD");
    UpperCaseInput::Remove(&edit);
    EXPECT_EQ(edit.validator(), nullptr);
    QTest::keyClicks(&edit, "ef");
    EXPECT_EQ(edit.text(), "ABCDef");
    UpperCaseInput::Remove(&edit);
}

} // namespace
