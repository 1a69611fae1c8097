#pragma once

#include "GridTestOwner.h"
#include "grid/CVrGrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

// A window holding a grid of 3 columns and a line edit after it in the tab order, shown and
// active so that keys and the focus behave as on a screen.
class GridFixture : public ::testing::Test {
protected:
    static constexpr int kId = 1200;

    void SetUp() override {
        window = std::make_unique<QWidget>();
        window->resize(520, 320);
        grid = new CVrGrid(window.get(), QRect(10, 10, 400, 250), &owner, kId, true);
        after = new QLineEdit(window.get());
        after->setGeometry(10, 280, 200, 24);
        grid->SetColumnCount(3);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        grid->setFocus();
        Settle();
        owner.Clear();
    }

    void TearDown() override { window.reset(); }

    // Delivers what the grid and its editors posted.
    static void Settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    // A key pressed on whatever has the focus, then what it posted delivered.
    static void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
        Settle();
    }
    static void Type(const QString& text) {
        for (QChar c : text) {
            QWidget* target = QApplication::focusWidget();
            ASSERT_NE(target, nullptr);
            if (c.unicode() < 128)
                QTest::keyClicks(target, QString(c));
            else
                QTest::sendKeyEvent(QTest::Click, target,
                                    static_cast<Qt::Key>(c.toUpper().unicode()), QString(c),
                                    Qt::NoModifier);
            Settle();
        }
    }

    void Click(int column, int row) {
        const QRect cell = grid->CellRect(column, row);
        ASSERT_FALSE(cell.isEmpty()) << "cell " << column << "," << row << " not shown";
        QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, cell.center());
        Settle();
    }

    // Cell texts such as "r2c3" in the owner's store.
    void FillCells(int rows) {
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c < grid->ColumnCount(); ++c)
                owner.cells[{r, c}] = QString::asprintf("r%dc%d", r, c);
    }

    GridTestOwner owner;
    std::unique_ptr<QWidget> window;
    CVrGrid* grid = nullptr;
    QLineEdit* after = nullptr;
};
