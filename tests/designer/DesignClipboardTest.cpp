// "Cortar", "Copiar", "Pegar" and "Duplicar" as a user works them: the keys and the context
// menu of real design windows, over the desktop's clipboard.
#include "DesignerTestSupport.h"

#include "capture_model/CaptureControlTypes.h"
#include "commands/CommandId.h"
#include "designer/CFmtdesignFrm.h"
#include "designer/CFmtdesignView.h"
#include "designer/ControlTransfer.h"
#include "designer/DesignDocument.h"
#include "model/CControles.h"
#include "model/FormatFile.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Type = ControlTypeCode;

// Two design windows side by side in one main area, as a user has them.
class DesignClipboardTest : public ::testing::Test {
protected:
    DesignClipboardTest() {
        CaptureControlTypes::RegisterAll();
        QGuiApplication::clipboard()->clear();
        area.resize(1300, 800);
        area.show();
        for (CFmtdesignFrm*& frame : frames) {
            frame = new CFmtdesignFrm;
            area.addSubWindow(frame);
            frame->resize(1200, 700);
            frame->SetFileChooser([this](CFmtdesignFrm::FormatDialog) { return file; });
            frame->show();
        }
        QApplication::setActiveWindow(&area);
    }

    // The window has the keys, the focus on its page.
    void Activate(CFmtdesignFrm* frame) {
        area.setActiveSubWindow(frame);
        frame->View()->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == frame->View(); }));
    }
    static void Keys(CFmtdesignFrm* frame, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(frame->View(), key, modifiers);
    }
    QStringList Saved(CFmtdesignFrm* frame, const QString& name, Format& format) {
        file = dir.filePath(name);
        EXPECT_TRUE(frame->Save());
        FormatSettings settings;
        return FormatFile::Load(file, format, settings);
    }

    QTemporaryDir dir;
    QString file;
    QMdiArea area;
    CFmtdesignFrm* frames[2] = {};
};

TEST_F(DesignClipboardTest, ControlsCopiedIntoAnotherWindowKeepTheirRecordsAndUndoTakesThemAway) {
    DesignDocument& from = frames[0]->Document();
    DesignDocument& to = frames[1]->Document();
    from.Insert(Type::Rectangulo, Point{100, -800});
    from.Insert(Type::TextlineVar, Point{300, -300})->text = QStringLiteral("FOLIO");
    from.Insert(Type::ConsText, Point{300, -100})->text = QStringLiteral("Recibo de renta");
    to.Insert(Type::TextlineVar, Point{900, -900})->text = QStringLiteral("folio");
    // The text and the field, not the rectangle.
    from.Select(0);
    from.ToggleSelected(1);

    Activate(frames[0]);
    EXPECT_FALSE(frames[1]->CommandAction(CommandId::Paste)->isEnabled());
    Keys(frames[0], Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Recibo de renta\nFOLIO");
    EXPECT_TRUE(frames[1]->CommandAction(CommandId::Paste)->isEnabled());
    EXPECT_EQ(from.UndoStack().count(), 3) << "copying changes nothing";

    Activate(frames[1]);
    const QByteArray before = to.Bytes();
    Keys(frames[1], Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(to.Controls().size(), 3u);
    EXPECT_EQ(to.Selection(), (std::vector<int>{0, 1}));
    EXPECT_EQ(to.UndoStack().text(to.UndoStack().count() - 1), "Pegar");

    Format original;
    Format pasted;
    EXPECT_TRUE(Saved(frames[0], QStringLiteral("origen.fmt"), original).isEmpty());
    EXPECT_TRUE(Saved(frames[1], QStringLiteral("destino.fmt"), pasted).isEmpty());
    // The field takes a name the window has not and is captured after its own field.
    EXPECT_EQ(pasted.controls[1]->text, "FOLIO2");
    EXPECT_EQ(pasted.controls[1]->captureOrder, 2);
    for (int i = 0; i < 2; ++i) {
        CControles& copy = *pasted.controls[static_cast<std::size_t>(i)];
        const CControles& source = *original.controls[static_cast<std::size_t>(i)];
        EXPECT_EQ(copy.pageRect, source.pageRect.Offsetted(20, -20)) << i;
        // Apart from where it lies, its name and its capture order, the same record.
        copy.MoveOnPage(-20, 20);
        copy.text = source.text;
        copy.captureOrder = source.captureOrder;
        EXPECT_EQ(ControlRecord(copy), ControlRecord(source)) << i;
    }

    Keys(frames[1], Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(to.Bytes(), before);
    Keys(frames[1], Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(to.Controls().size(), 3u);
}

TEST_F(DesignClipboardTest, WhatIsNotPlenovasIsNotPastedAndTheUserIsTold) {
    DesignDocument& doc = frames[0]->Document();
    doc.Insert(Type::ConsText, Point{100, -100});
    Activate(frames[0]);
    QAction& paste = *frames[0]->CommandAction(CommandId::Paste);

    QGuiApplication::clipboard()->setText(QStringLiteral("Recibo"));
    EXPECT_FALSE(paste.isEnabled());
    auto* garbage = new QMimeData;
    garbage->setData(ControlTransfer::MimeType(), QByteArray("PLNC\1\0\0\0\5\0\0\0basura", 18));
    QGuiApplication::clipboard()->setMimeData(garbage);
    EXPECT_TRUE(paste.isEnabled());

    const QByteArray before = doc.Bytes();
    const int steps = doc.UndoStack().count();
    Keys(frames[0], Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(doc.Bytes(), before);
    EXPECT_EQ(doc.UndoStack().count(), steps);
    EXPECT_EQ(frames[0]->StatusBar()->currentMessage(),
              "No se pudo pegar: el portapapeles no contiene controles de Plenova válidos "
              "(anuncian 5 controles).");
}

TEST_F(DesignClipboardTest, CutAndDuplicateAreOneStepAndTheMenusPasteLandsAtThePointer) {
    DesignDocument& doc = frames[0]->Document();
    doc.Insert(Type::ConsText, Point{100, -100});
    doc.Insert(Type::TextlineVar, Point{100, -300})->text = QStringLiteral("TOTAL");
    Activate(frames[0]);
    const QByteArray start = doc.Bytes();

    // Duplicating leaves the clipboard as it was.
    QGuiApplication::clipboard()->setText(QStringLiteral("nada"));
    doc.Select(0);
    Keys(frames[0], Qt::Key_D, Qt::ControlModifier);
    ASSERT_EQ(doc.Controls().size(), 3u);
    EXPECT_EQ(doc.ControlAt(0)->text, "TOTAL2");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "nada");
    EXPECT_EQ(doc.UndoStack().text(doc.UndoStack().count() - 1), "Duplicar");

    // Cutting the copy takes it away as one step, and keeps it on the clipboard.
    const QByteArray duplicated = doc.Bytes();
    Keys(frames[0], Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(doc.Bytes(), start);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "TOTAL2");
    doc.UndoStack().undo();
    EXPECT_EQ(doc.Bytes(), duplicated);
    doc.UndoStack().undo();
    EXPECT_EQ(doc.Bytes(), start);

    // The context menu's "Pegar", on empty paper at (60.7 mm, -80.3 mm), snapped to the mm.
    CFmtdesignView& view = *frames[0]->View();
    const QPoint pixel = view.ToPixel(Point{607, -803});
    QTest::mouseClick(view.viewport(), Qt::RightButton, {}, pixel);
    QMenu* menu = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        return menu != nullptr;
    }));
    QAction* pasteHere = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->data().toInt() == static_cast<int>(CommandId::Paste))
            pasteHere = action;
    }
    ASSERT_NE(pasteHere, nullptr);
    ASSERT_TRUE(pasteHere->isEnabled());
    pasteHere->trigger();
    menu->close();
    ASSERT_EQ(doc.Controls().size(), 3u);
    const Rect placed = doc.ControlAt(0)->pageRect.Normalized();
    EXPECT_EQ(placed.left, 600);
    EXPECT_EQ(placed.bottom, -800);
}

} // namespace
