#include "platform_widgets/WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {

bool ShowsWaitCursor() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor;
}

} // namespace

// A window that reads a picture inside another long piece of work nests two of them: the busy
// cursor must last until the outer one ends and then leave no override behind.
TEST(WaitCursor, NestsAndRestores) {
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        const WaitCursor outer;
        EXPECT_TRUE(ShowsWaitCursor());
        {
            const WaitCursor inner;
            EXPECT_TRUE(ShowsWaitCursor());
        }
        EXPECT_TRUE(ShowsWaitCursor());
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
