#include "capture_model/BatchProgress.h"

#include <gtest/gtest.h>

namespace {

const QLocale kMexico(QLocale::Spanish, QLocale::Mexico);

TEST(BatchProgressTest, SaysSheetsRateAndTimeLeftAtMostTenTimesASecond) {
    BatchProgress progress(1000, kMexico);
    // The first sheet is told at once, with no rate yet to speak of.
    EXPECT_TRUE(progress.Done(1, 5));
    EXPECT_EQ(progress.Text(), "Hoja 1 de 1,000");
    // Sheets within the tenth of a second after a report are not told.
    EXPECT_FALSE(progress.Done(2, 60));
    EXPECT_FALSE(progress.Done(20, 104));
    EXPECT_TRUE(progress.Done(21, 105));
    // 250 sheets in 2 s: 125 a second, 6 s for the 750 left.
    EXPECT_TRUE(progress.Done(250, 2000));
    EXPECT_EQ(progress.Text(), "Hoja 250 de 1,000 · 125 hojas/s · faltan 6 s");
    // Slow sheets: a decimal of rate, and minutes.
    BatchProgress slow(400, kMexico);
    EXPECT_TRUE(slow.Done(10, 4000));
    EXPECT_EQ(slow.Text(), "Hoja 10 de 400 · 2.5 hojas/s · faltan 2 min 36 s");
    // The last sheet is always told, however soon after the one before.
    EXPECT_TRUE(slow.Done(399, 160000));
    EXPECT_TRUE(slow.Done(400, 160001));
    EXPECT_EQ(slow.Text(), "Hoja 400 de 400 · 2.5 hojas/s");
}

} // namespace
