#include "screen_designer/ScreenDocument.h"

#include "capture_model/CMarcaVar.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/CaptureControlTypes.h"
#include "common/ArchiveBytes.h"
#include "model/CConsText.h"
#include "model/CEtiqueta.h"
#include "model/FormatFile.h"
#include "model/PlenovaSettings.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A format with a constant text lying under everything, three text lines A, B and C, a check
// mark M and a label lying over the right half of A, all placed on the capture screen, written
// with their capture orders as given and opened in the document.
class ScreenDocumentTest : public ::testing::Test {
protected:
    enum : int { kConstant, kA, kB, kC, kMark, kLabel };

    static void SetUpTestSuite() { CaptureControlTypes::RegisterAll(); }

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        Format f;
        auto add = [&f](std::unique_ptr<CControles> c, const char* name, ScreenRect r, int order) {
            c->text = QString::fromLatin1(name);
            c->screenRect = r;
            c->screenPlaced = !c->ConstantFlag() || c->Type() == ControlTypeCode::Etiqueta;
            c->captureOrder = order;
            f.controls.push_back(std::move(c));
        };
        add(CConsText::Create(100, -100, QStringLiteral("K")), "K", {0, 0, 600, 600}, 0);
        add(CTextlineVar::Create(100, -300), "A", {20, 20, 220, 40}, 3);
        add(CTextlineVar::Create(100, -600), "B", {20, 60, 220, 80}, 5);
        add(CTextlineVar::Create(100, -900), "C", {20, 100, 220, 120}, 4);
        add(CMarcaVar::Create(100, -1200), "M", {20, 140, 35, 155}, 1);
        add(CEtiqueta::Create(100, -1500, QStringLiteral("E")), "E", {120, 20, 320, 40}, 0);
        path = dir.filePath(QStringLiteral("f.fmt"));
        FormatFile::Save(path, f, FormatSettings{});
        doc.Open(path);
    }

    CControles& At(int index) { return *doc.ControlAt(index); }

    QByteArray FileBytes() const {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    QTemporaryDir dir;
    QString path;
    ScreenDocument doc;
};

TEST_F(ScreenDocumentTest, FieldsThatResizeGetScreenHandlesCheckMarksAndLabelsOnlyMove) {
    ASSERT_EQ(doc.Controls().size(), 6u);
    EXPECT_EQ(At(kA).text, QStringLiteral("A"));
    EXPECT_TRUE(At(kA).screenHandles);
    EXPECT_FALSE(At(kMark).screenHandles);
    EXPECT_FALSE(At(kLabel).screenHandles);

    // A's right handle sits on the middle of its right edge, in pixels.
    doc.Select(kA);
    EXPECT_EQ(doc.HandleAt(Point{220, 30}), Handle::Right);
    EXPECT_EQ(doc.HandleAt(Point{20, 30}), Handle::Left);

    doc.Select(kMark);
    EXPECT_EQ(doc.HandleAt(Point{35, 147}), Handle::None);
    // An armed handle on a check mark starts a move, not a resize.
    doc.Press(Point{24, 144}, Handle::Right);
    doc.DragTo(Point{32, 144});
    doc.Release();
    EXPECT_EQ(At(kMark).screenRect, (ScreenRect{28, 140, 43, 155}));
}

TEST_F(ScreenDocumentTest, ConstantControlsAreNeverPickedAndTheTopControlComesFirst) {
    // Only the constant text lies here.
    EXPECT_EQ(doc.IndexAt(Point{400, 400}), -1);
    EXPECT_FALSE(doc.Press(Point{400, 400}));
    EXPECT_EQ(doc.Selected(), nullptr);
    doc.Select(kConstant);
    EXPECT_EQ(doc.Selected(), nullptr);

    EXPECT_EQ(doc.IndexAt(Point{50, 30}), kA);
    // The label is drawn over A.
    EXPECT_EQ(doc.IndexAt(Point{150, 30}), kLabel);
    EXPECT_TRUE(doc.Press(Point{150, 30}));
    doc.Release();
    EXPECT_EQ(doc.SelectedIndex(), kLabel);
    EXPECT_TRUE(At(kLabel).selected);
    EXPECT_FALSE(At(kA).selected);
    EXPECT_EQ(doc.UndoStack().count(), 0);
}

TEST_F(ScreenDocumentTest, OrderModeNumbersTheClickedFieldsFirstAndKeepsTheRestAfterThem) {
    const QByteArray before = doc.Bytes();
    doc.Select(kA);
    doc.ToggleOrderMode();
    EXPECT_TRUE(doc.IsOrderMode());
    EXPECT_EQ(doc.NextOrderNumber(), 1);

    doc.Press(Point{50, 110}); // C
    EXPECT_EQ(doc.Selected(), nullptr);
    doc.Press(Point{50, 30}); // A
    doc.Press(Point{50, 70}); // B
    EXPECT_EQ(At(kC).captureOrder, 1);
    EXPECT_EQ(At(kA).captureOrder, 2);
    EXPECT_EQ(At(kB).captureOrder, 3);
    EXPECT_EQ(At(kMark).captureOrder, 4);
    EXPECT_EQ(doc.NextOrderNumber(), 4);
    EXPECT_EQ(doc.UndoStack().count(), 3);

    // Clicking B again gives no two fields the same order.
    doc.Press(Point{50, 70});
    EXPECT_EQ(At(kB).captureOrder, 3);
    EXPECT_EQ(doc.UndoStack().count(), 3);

    // Undoing a click lets the same field be numbered again.
    doc.UndoStack().undo();
    EXPECT_EQ(doc.NextOrderNumber(), 3);
    EXPECT_EQ(At(kB).captureOrder, 5);
    doc.UndoStack().redo();
    EXPECT_EQ(At(kB).captureOrder, 3);

    // A click on empty space ends order mode; the command starts it again from 1.
    EXPECT_FALSE(doc.Press(Point{580, 580}));
    EXPECT_FALSE(doc.IsOrderMode());
    doc.ToggleOrderMode();
    EXPECT_EQ(doc.NextOrderNumber(), 1);
    doc.ToggleOrderMode();
    EXPECT_FALSE(doc.IsOrderMode());

    while (doc.UndoStack().canUndo())
        doc.UndoStack().undo();
    EXPECT_EQ(doc.Bytes(), before);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ScreenDocumentTest, AFieldWithoutAnOrderGoesAheadOfAllTheOthers) {
    doc.ToggleOrderMode();
    doc.Press(Point{200, 30}); // the label, which has no order yet
    EXPECT_EQ(At(kLabel).captureOrder, 1);
    EXPECT_EQ(At(kMark).captureOrder, 2);
    EXPECT_EQ(At(kA).captureOrder, 4);
    EXPECT_EQ(At(kC).captureOrder, 5);
    EXPECT_EQ(At(kB).captureOrder, 6);
}

TEST_F(ScreenDocumentTest, DraggingMovesOnTheGridAsOneStep) {
    const QByteArray before = doc.Bytes();
    EXPECT_TRUE(doc.Press(Point{27, 27}));
    EXPECT_TRUE(doc.IsDragging());
    doc.DragTo(Point{29, 30});
    doc.DragTo(Point{31, 33});
    doc.Release();
    // From (24, 24) to (28, 32) on the grid.
    EXPECT_EQ(At(kA).screenRect, (ScreenRect{24, 28, 224, 48}));
    EXPECT_EQ(doc.UndoStack().count(), 1);
    EXPECT_TRUE(doc.IsModified());

    // A move off the top of the screen is refused whole.
    doc.MoveSelected(4, -40);
    EXPECT_EQ(At(kA).screenRect, (ScreenRect{24, 28, 224, 48}));
    EXPECT_EQ(doc.UndoStack().count(), 1);

    // A press and release that moves nothing adds no step.
    doc.Press(Point{50, 30});
    doc.DragTo(Point{51, 31});
    doc.Release();
    EXPECT_EQ(doc.UndoStack().count(), 1);

    doc.UndoStack().undo();
    EXPECT_EQ(doc.Bytes(), before);
    EXPECT_EQ(doc.HandleAt(Point{220, 30}), Handle::Right);
}

TEST_F(ScreenDocumentTest, ResizingRefusesASideOf40PixelsOrLess) {
    doc.Select(kA);
    const Handle right = doc.HandleAt(Point{220, 30});
    ASSERT_EQ(right, Handle::Right);
    doc.Press(Point{220, 30}, right);
    doc.DragTo(Point{64, 30});
    doc.Release();
    EXPECT_EQ(At(kA).screenRect.right, 64); // 44 wide
    EXPECT_EQ(doc.HandleAt(Point{64, 30}), Handle::Right);

    doc.ResizeSelected(Handle::Right, -4, 0);
    EXPECT_EQ(At(kA).screenRect.right, 64);
    EXPECT_EQ(doc.UndoStack().count(), 1);
}

TEST_F(ScreenDocumentTest, CaptionSideIsAStepOfTheSelectedControl) {
    doc.SetCaptionLeft(false);
    EXPECT_EQ(doc.UndoStack().count(), 0);

    doc.Select(kB);
    ASSERT_TRUE(At(kB).captionLeft);
    const QByteArray before = doc.Bytes();
    doc.SetCaptionLeft(false); // "Arriba"
    EXPECT_FALSE(At(kB).captionLeft);
    doc.SetCaptionLeft(false);
    EXPECT_EQ(doc.UndoStack().count(), 1);
    doc.UndoStack().undo();
    EXPECT_TRUE(At(kB).captionLeft);
    EXPECT_EQ(doc.Bytes(), before);
}

TEST_F(ScreenDocumentTest, SavingKeepsThePlacesAndTheOrderAndReadsBackTheSame) {
    doc.Press(Point{27, 67}); // B
    doc.DragTo(Point{27, 467});
    doc.Release();
    const QByteArray arranged = doc.Bytes();
    doc.Save();
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Bytes(), arranged);
    EXPECT_EQ(At(kA).captureOrder, 3);
    EXPECT_EQ(At(kB).captureOrder, 5);

    const QByteArray saved = FileBytes();
    EXPECT_EQ(saved, arranged);

    ScreenDocument again;
    again.Open(path);
    EXPECT_TRUE(again.ControlAt(kB)->screenPlaced);
    EXPECT_EQ(again.ControlAt(kB)->screenRect, (ScreenRect{20, 460, 220, 480}));
    // The constant text's rectangle counts for nothing.
    EXPECT_EQ(again.GetFormat().screenExtent, (ScreenRect{0, 0, 320, 480}));
    again.Save();
    EXPECT_EQ(FileBytes(), saved);
}

TEST_F(ScreenDocumentTest, AFieldNeverPlacedShowsWhereItsPageIsAndIsSavedThere) {
    // A text line whose file keeps, unplaced, the rectangle a zoomed and scrolled view once left
    // in it: an older file, before the rectangle was worked out from the page alone.
    Format f;
    auto line = CTextlineVar::Create(1000, -2000);
    line->screenRect = ScreenRect(2050, 1400, 2850, 1440);
    line->screenPlaced = true;
    f.controls.push_back(std::move(line));
    QByteArray bytes = Store([&f](Archive& ar) { FormatFile::Write(ar, f, FormatSettings{}); });
    constexpr qsizetype kAlignmentWord = 38;
    ASSERT_EQ(bytes[kAlignmentWord], '\x20');
    bytes[kAlignmentWord] = '\0';
    const QString old = dir.filePath(QStringLiteral("antiguo.fmt"));
    QFile file(old);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    ScreenDocument fresh;
    fresh.Open(old);
    const CControles& shown = *fresh.ControlAt(0);
    EXPECT_TRUE(shown.screenPlaced);
    EXPECT_EQ(shown.screenRect, (ScreenRect{378, 739, 529, 759}));
    EXPECT_FALSE(fresh.IsModified());
    fresh.Save();
    Format read;
    FormatSettings settings;
    FormatFile::Load(old, read, settings);
    EXPECT_TRUE(read.controls[0]->screenPlaced);
    EXPECT_EQ(read.controls[0]->screenRect, (ScreenRect{378, 739, 529, 759}));
}

} // namespace

TEST_F(ScreenDocumentTest, SettingsBesideTheFormatAreToldWhenDamagedAndNeverWritten) {
    const QString sidecar = PlenovaSettings::PathFor(path);
    const QByteArray damaged = R"({"wording": 3, "paper": {"size": "a4"}})";
    {
        QFile file(sidecar);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(damaged);
    }
    ScreenDocument screen;
    const QStringList warnings = screen.Open(path);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("f.fmt.plenova"))) << warnings[0].toStdString();
    EXPECT_EQ(screen.Controls().size(), 6u);
    screen.Select(kA);
    screen.MoveSelected(5, 5);
    screen.Save();
    QFile file(sidecar);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), damaged);
}
