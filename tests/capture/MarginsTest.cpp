#include "capture_model/CaptureScreenForm.h"
#include "commands/CommandId.h"

#include "common/FileSizeLimit.h"

#include "capture/CFmtcapturaFrm.h"
#include "capture/CFmtcaptureView.h"
#include "capture/MarginsDialog.h"
#include "capture_model/CaptureDocument.h"
#include "model/CRectangulo.h"
#include "model/FormatPrinter.h"
#include "platform/Profile.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

#include <gtest/gtest.h>

#include <climits>

namespace {

std::pair<int, int> Offsets() {
    const Profile profile;
    return {profile.GetInt("Config", "FacX", -1), profile.GetInt("Config", "FacY", -1)};
}

void SetOffsets(int facX, int facY) {
    Profile profile;
    profile.WriteInt("Config", "FacX", facX);
    profile.WriteInt("Config", "FacY", facY);
}

// A sheet 150 x 230 mm at 254 dpi: one pixel per page unit.
QImage PrintOut(const ControlList& controls, int facX, int facY) {
    return FormatPrinter::PrintToImage(controls, QSizeF(150, 230), 254, {facX, facY});
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(MarginsDialogTest, OffsetsShowAsCentimetresAndReadBackInHundredths) {
    EXPECT_EQ(MarginsDialog::CentimetresText(35), "0.35");
    EXPECT_EQ(MarginsDialog::CentimetresText(-12), "-0.12");
    EXPECT_EQ(MarginsDialog::CentimetresText(0), "0");

    // Hundredths with no exact binary form (0.29 x 100 = 28.999...) still give the number typed;
    // only what lies beyond the hundredth is cut off toward zero.
    const std::pair<const char*, int> read[] = {{"0.29", 29},
                                                {"-0.12", -12},
                                                {"0.355", 35},
                                                {"-0.355", -35},
                                                {" 1.5\t", 150},
                                                {"0.009", 0},
                                                {"21474836.47", INT_MAX},
                                                {"-21474836.48", INT_MIN}};
    for (const auto& [text, units] : read)
        EXPECT_EQ(MarginsDialog::PageUnitsOf(text), units) << text;
    // ',' is no decimal separator for a Mexican user, nor is "1,500" taken as 1500; offsets
    // that do not fit a setting are refused.
    for (const char* text : {"abc", "", "0,35", "1,500", "0.35 cm", "inf", "nan", "21474836.48"})
        EXPECT_EQ(MarginsDialog::PageUnitsOf(text), std::nullopt) << text;

    // Every offset shown reads back as itself: the small ones, the ends and a sample between.
    std::vector<int> offsets = {INT_MIN, INT_MAX};
    for (int units = -5000; units <= 5000; ++units)
        offsets.push_back(units);
    QRandomGenerator random(1010);
    for (int i = 0; i < 20000; ++i)
        offsets.push_back(static_cast<int>(random.generate()));
    for (int units : offsets)
        ASSERT_EQ(MarginsDialog::PageUnitsOf(MarginsDialog::CentimetresText(units)), units);
}

TEST(MarginsDialogTest, TextThatIsNotANumberKeepsTheDialogOpen) {
    MarginsDialog dialog(35, -12);
    QStringList messages;
    dialog.SetMessenger([&messages](const QString& message) { messages << message; });
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);

    dialog.HorizontalEdit()->setText("0.5");
    dialog.VerticalEdit()->setText("abc");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(messages, QStringList({"Introduzca un número."}));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), dialog.VerticalEdit());
    EXPECT_EQ(dialog.VerticalEdit()->selectedText(), "abc");

    dialog.VerticalEdit()->setText("0.2");
    dialog.PermanentBox()->setChecked(true);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Chosen().facX, 50);
    EXPECT_EQ(dialog.Chosen().facY, 20);
    EXPECT_TRUE(dialog.Chosen().permanent);
}

namespace {

// A capture window on a format with a rectangle at (1000, -2000) and a field holding a typed
// value. The margins dialog is answered by code: it records what it showed, then takes the
// texts and the box given, or is cancelled when there are none.
class MarginsCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetOffsets(35, -12);
        auto box = CRectangulo::Create(1000, -2000);
        box->pageRect = PageRect(1000, -2000, 1300, -2150);
        m_form.format.controls.push_back(std::move(box));
        m_form.Line(QStringLiteral("CLIENTE"), 1, 10, 10).dataType = DataTypeCode::Texto;
        m_path = m_form.Save(m_dir);
        m_frame.SetMessenger([this](const QString& message) { m_messages << message; });
        m_frame.SetMarginsRunner([this](MarginsDialog& dialog) {
            m_shown << dialog.HorizontalEdit()->text() << dialog.VerticalEdit()->text();
            if (m_answer.isEmpty())
                return false;
            dialog.HorizontalEdit()->setText(m_answer.takeFirst());
            dialog.VerticalEdit()->setText(m_answer.takeFirst());
            dialog.PermanentBox()->setChecked(m_permanent);
            dialog.accept();
            return dialog.result() == QDialog::Accepted;
        });
    }
    void TearDown() override { SetOffsets(0, 0); }

    void OpenAndType(const QString& path) {
        m_frame.OpenFormat(path);
        QTest::keyClicks(m_frame.View()->EntryWidget(1174), "ZAPATA");
    }

    QTemporaryDir m_dir;
    CaptureScreenForm m_form;
    QString m_path;
    CFmtcapturaFrm m_frame;
    QStringList m_messages, m_shown, m_answer;
    bool m_permanent = false;
};

} // namespace

TEST_F(MarginsCommandTest, OffsetsBuiltIntoTheFormatPrintWhereTheOffsetsDid) {
    const QByteArray original = Contents(m_path);
    OpenAndType(m_path);
    QAction* command = m_frame.CommandAction(CommandId::Margins);
    ASSERT_TRUE(command->isEnabled());
    command->trigger(); // cancelled
    m_answer = QStringList{"0.5", "0.2"};
    command->trigger();
    EXPECT_EQ(m_shown, QStringList({"0.35", "-0.12", "0.35", "-0.12"}));
    EXPECT_EQ(Offsets(), std::make_pair(50, 20));
    EXPECT_EQ(Contents(m_path), original); // the box was clear
    const QImage before = PrintOut(m_frame.Document().Controls(), 50, 20);

    m_permanent = true;
    m_answer = QStringList{"0.5", "0.2"};
    command->trigger();
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join('\n').toStdString();
    EXPECT_EQ(Offsets(), std::make_pair(0, 0));
    Format rewritten;
    FormatSettings settings;
    FormatFile::Load(m_path, rewritten, settings);
    ASSERT_EQ(rewritten.controls.size(), 2u);
    EXPECT_EQ(rewritten.controls[0]->pageRect, PageRect(950, -1980, 1250, -2130));
    EXPECT_EQ(rewritten.controls[1]->screenRect, m_form.format.controls[1]->screenRect);
    EXPECT_EQ(rewritten.controls[1]->captureOrder, 1);

    // Without offsets the rewritten format prints where the old one did with them, to the
    // pixel, and so does the window with its typed value, which stays in its field.
    EXPECT_TRUE(PrintOut(rewritten.controls, 0, 0) == PrintOut(m_form.format.controls, 50, 20));
    EXPECT_FALSE(PrintOut(rewritten.controls, 0, 0) == PrintOut({}, 0, 0));
    EXPECT_TRUE(PrintOut(m_frame.Document().Controls(), 0, 0) == before);
    auto* edit = qobject_cast<QLineEdit*>(m_frame.View()->EntryWidget(1174));
    EXPECT_EQ(edit->text(), "ZAPATA");
    EXPECT_EQ(edit->geometry(), QRect(10, 10, 150, 20));
}

TEST_F(MarginsCommandTest, FormatThatCannotBeWrittenKeepsFileControlsAndOffsets) {
    // A read-only folder does not stop the superuser; a full disk stops everyone.
    const QByteArray original = Contents(m_path);
    OpenAndType(m_path);
    const QImage before = PrintOut(m_frame.Document().Controls(), 50, 20);

    m_permanent = true;
    m_answer = QStringList{"0.5", "0.2"};
    {
        const FileSizeLimit full(0);
        EXPECT_TRUE(m_frame.EditMargins());
    }
    // The full disk stops the settings file too, and the user hears of both.
    ASSERT_EQ(m_messages.size(), 2);
    EXPECT_TRUE(m_messages.at(1).startsWith(m_path + ": ")) << m_messages.at(1).toStdString();
    EXPECT_EQ(Contents(m_path), original);
    EXPECT_EQ(Offsets(), std::make_pair(50, 20));
    EXPECT_TRUE(PrintOut(m_frame.Document().Controls(), 50, 20) == before);
}
