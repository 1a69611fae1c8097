#include "commands/CommandId.h"
#include "designer/CFmtdesignFrm.h"
#include "designer/CFmtdesignView.h"
#include "designer/DesignDocument.h"
#include "imaging/TestPictures.h"
#include "model/CControles.h"
#include "platform_widgets/ZoomBox.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

using Frame = CFmtdesignFrm;

QAction& Command(Frame& frame, CommandId id) {
    return *frame.CommandAction(id);
}

// A window whose questions, files and fonts are answered by the test.
struct DesignWindow {
    Frame frame;
    std::vector<QString> asked;
    Frame::SaveAnswer answer = Frame::SaveAnswer::Cancel;
    QString file;
    std::vector<QString> told;

    DesignWindow() {
        frame.SetSaveQuestion([this](const QString& name) {
            asked.push_back(name);
            return answer;
        });
        frame.SetFileChooser([this](Frame::FormatDialog) { return file; });
        frame.SetMessenger([this](const QString& message) { told.push_back(message); });
    }

    DesignDocument& Doc() { return frame.Document(); }

    CControles* Insert(ControlTypeCode type, int x = 200, int y = -200,
                       const QString& picture = QString()) {
        return Doc().Insert(type, Point{x, y}, picture);
    }
};

} // namespace

TEST(DesignFrameTest, CaptionMenusAndToolBars) {
    DesignWindow w;
    EXPECT_EQ(w.frame.windowTitle(), "Diseño de formato - (nuevo)");
    QStringList titles;
    for (const QMenu* menu : w.frame.Menus())
        titles << menu->title();
    EXPECT_EQ(titles,
              QStringList({"&Archivo", "&Edición", "&Ver", "&Insertar", "&Formato", "A&yuda"}));
    // The buttons, their separators, and the zoom box after one more.
    EXPECT_EQ(w.frame.ToolBar(130)->actions().size(), 24 + 5 + 2);
    EXPECT_EQ(w.frame.ToolBar(136)->actions().size(), 16 + 3);
    EXPECT_EQ(Command(w.frame, CommandId::InsertTable).toolTip(), "Tabla");
    EXPECT_EQ(Command(w.frame, CommandId::InsertTable).statusTip(),
              "Inserta un control de captura de retícula");

    QTemporaryDir dir;
    w.Insert(ControlTypeCode::ConsText);
    w.file = dir.filePath("nuevo.fmt");
    ASSERT_TRUE(w.frame.Save());
    EXPECT_EQ(w.frame.windowTitle(), "Diseño de formato - " + w.file);
}

// Opened among other windows, the page has the keys: Tab selects a control at once. The
// toolbars share a row only when both fit whole in it.
TEST(DesignFrameTest, ThePageHasTheKeysAndNoToolBarHidesItsButtons) {
    QMdiArea area;
    area.resize(1300, 700);
    area.show();
    auto* frame = new Frame;
    area.addSubWindow(frame);
    frame->Document().Insert(ControlTypeCode::ConsText, Point{100, -100});
    frame->Document().Select(-1);
    frame->resize(1250, 600);
    frame->show();
    QApplication::setActiveWindow(&area);
    area.setActiveSubWindow(frame);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == frame->View(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(frame->Document().SelectedIndex(), 0);

    // A zoom typed into the box gives the keys back to the page.
    ZoomBox& zoom = *frame->Zoom();
    zoom.lineEdit()->setFocus();
    zoom.lineEdit()->setText(QStringLiteral("150"));
    QTest::keyClick(zoom.lineEdit(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), frame->View());

    QMainWindow& body = *static_cast<QMainWindow*>(frame->widget());
    for (const int width : {1250, 880, 1250}) {
        frame->resize(width, 600);
        QApplication::processEvents();
        EXPECT_EQ(body.toolBarBreak(frame->ToolBar(136)), width == 880) << width;
        for (const int resource : {130, 136}) {
            const QToolBar* bar = frame->ToolBar(resource);
            EXPECT_FALSE(
                bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"))->isVisible())
                << width << " " << resource;
            EXPECT_GE(bar->width(), bar->sizeHint().width()) << width << " " << resource;
        }
    }
}

TEST(DesignFrameTest, SnapCommandsTickTheStepInUse) {
    DesignWindow w;
    QAction& mm = Command(w.frame, CommandId::SnapMillimetre);
    QAction& cm = Command(w.frame, CommandId::SnapCentimetre);
    EXPECT_TRUE(mm.isChecked());
    EXPECT_FALSE(cm.isChecked());
    cm.trigger();
    EXPECT_EQ(w.Doc().SnapStep(), 100);
    EXPECT_FALSE(mm.isChecked());
    EXPECT_TRUE(cm.isChecked());
    cm.trigger(); // the ticked one turns snapping off
    EXPECT_EQ(w.Doc().SnapStep(), 0);
    EXPECT_FALSE(mm.isChecked());
    EXPECT_FALSE(cm.isChecked());
    mm.trigger();
    EXPECT_EQ(w.Doc().SnapStep(), 10);
    EXPECT_TRUE(mm.isChecked());
}

TEST(DesignFrameTest, CommandsFollowTheSelection) {
    DesignWindow w;
    EXPECT_FALSE(Command(w.frame, CommandId::SaveFormat).isEnabled());
    EXPECT_FALSE(Command(w.frame, CommandId::SaveFormatAs).isEnabled());
    EXPECT_FALSE(Command(w.frame, CommandId::Delete).isEnabled());
    EXPECT_TRUE(Command(w.frame, CommandId::Font).isEnabled()); // the font for every control

    QTemporaryDir dir;
    const QString bmp = dir.filePath("logo.bmp");
    TestPictures::BmpSpec spec;
    spec.width = 2;
    spec.height = 2;
    spec.pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    ASSERT_TRUE(TestPictures::WriteFile(bmp, TestPictures::MakeBmp(spec)));
    // What each type allows: colour, upper case, font (and alignment), line direction.
    struct Allows {
        bool color, upper, font, line;
    };
    const std::map<ControlTypeCode, Allows> expected = {
        {ControlTypeCode::TextlineVar, {true, true, true, false}},
        {ControlTypeCode::ParrafoVar, {true, true, true, false}},
        {ControlTypeCode::CuadrosVar, {true, true, true, false}},
        {ControlTypeCode::MarcaVar, {true, false, true, false}},
        {ControlTypeCode::FmtGrid, {true, false, true, false}},
        {ControlTypeCode::ConsText, {true, false, true, false}},
        {ControlTypeCode::ConsParrafo, {true, false, true, false}},
        {ControlTypeCode::Linea, {true, false, false, true}},
        {ControlTypeCode::Rectangulo, {true, false, false, false}},
        {ControlTypeCode::Imagen, {false, false, false, false}},
        {ControlTypeCode::Etiqueta, {false, false, true, false}},
        {ControlTypeCode::DateInput, {true, true, true, false}},
    };
    for (const auto& [type, allows] : expected) {
        ASSERT_NE(w.Insert(type, 200, -200, type == ControlTypeCode::Imagen ? bmp : QString()),
                  nullptr);
        const auto name = static_cast<int>(type);
        EXPECT_EQ(Command(w.frame, CommandId::Color).isEnabled(), allows.color) << name;
        EXPECT_EQ(Command(w.frame, CommandId::UpperCase).isEnabled(), allows.upper) << name;
        EXPECT_EQ(Command(w.frame, CommandId::Font).isEnabled(), allows.font) << name;
        EXPECT_EQ(Command(w.frame, CommandId::AlignCentre).isEnabled(), allows.font) << name;
        EXPECT_EQ(Command(w.frame, CommandId::HorizontalLine).isEnabled(), allows.line) << name;
        EXPECT_TRUE(Command(w.frame, CommandId::Delete).isEnabled());
        EXPECT_TRUE(Command(w.frame, CommandId::SaveFormat).isEnabled());
    }
    Command(w.frame, CommandId::InsertTable).trigger();
    EXPECT_TRUE(Command(w.frame, CommandId::InsertTable).isChecked());
    EXPECT_FALSE(Command(w.frame, CommandId::SelectTool).isChecked());
    Command(w.frame, CommandId::SelectTool).trigger();
    EXPECT_FALSE(Command(w.frame, CommandId::InsertTable).isChecked());
    EXPECT_TRUE(Command(w.frame, CommandId::SelectTool).isChecked());
}

TEST(DesignFrameTest, FontForEveryControlOnlyAfterYes) {
    DesignWindow w;
    w.Insert(ControlTypeCode::Linea);
    w.Insert(ControlTypeCode::ConsText);
    w.Insert(ControlTypeCode::Rectangulo);
    w.Doc().Select(-1);
    bool agree = false;
    int dialogs = 0;
    w.frame.SetQuestion([&agree](const QString& question) {
        EXPECT_EQ(question, "La fuente que seleccione se aplicará a todos los controles, "
                            "¿Desea continuar?");
        return agree;
    });
    QFont picked(QStringLiteral("Liberation Serif"));
    picked.setPointSizeF(18);
    picked.setBold(true);
    w.frame.SetFontChooser([&](const QFont& initial, bool trueTypeOnly) {
        ++dialogs;
        EXPECT_TRUE(trueTypeOnly);
        // Arial, or the face that stands in for it: one the dialog lists.
        EXPECT_TRUE(QFontDatabase::families().contains(initial.family()))
            << initial.family().toStdString();
        return std::optional<QFont>(picked);
    });
    const QByteArray before = w.Doc().Bytes();
    Command(w.frame, CommandId::Font).trigger();
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(w.Doc().Bytes(), before);

    agree = true;
    Command(w.frame, CommandId::Font).trigger();
    EXPECT_EQ(dialogs, 1);
    const LogFont first = w.Doc().Controls().front()->GetFont();
    EXPECT_EQ(first.Face(), "Liberation Serif");
    EXPECT_EQ(first.height, -64); // 18 points are 6.35 mm
    EXPECT_EQ(first.weight, 700);
    for (const auto& control : w.Doc().Controls())
        EXPECT_EQ(control->GetFont(), first);
    // One step undoes it for every control.
    w.Doc().UndoStack().undo();
    EXPECT_EQ(w.Doc().Bytes(), before);
}

TEST(DesignFrameTest, ClosingAsksOnlyWhenThereAreChanges) {
    QTemporaryDir dir;
    {
        DesignWindow w;
        EXPECT_TRUE(w.frame.MayClose());
        EXPECT_TRUE(w.asked.empty());

        w.Insert(ControlTypeCode::ConsText);
        w.answer = Frame::SaveAnswer::Cancel;
        EXPECT_FALSE(w.frame.MayClose());
        EXPECT_EQ(w.asked, std::vector<QString>{QStringLiteral("(nuevo)")});

        // Saving asks for a name; a cancelled name keeps the window.
        w.answer = Frame::SaveAnswer::Save;
        w.file.clear();
        EXPECT_FALSE(w.frame.MayClose());
        w.file = dir.filePath("cierre.fmt");
        EXPECT_TRUE(w.frame.MayClose());
        EXPECT_TRUE(QFile::exists(w.file));
        EXPECT_FALSE(w.Doc().IsModified());

        // An undone change is a change again; undoing back to the saved state is none.
        w.Doc().MoveSelected(10, 0);
        w.answer = Frame::SaveAnswer::Discard;
        EXPECT_TRUE(w.frame.MayClose());
        w.Doc().UndoStack().undo();
        w.asked.clear();
        EXPECT_TRUE(w.frame.MayClose());
        EXPECT_TRUE(w.asked.empty());
    }
}

TEST(DesignFrameTest, AFormatThatCannotBeReadLeavesTheWindowAsItWas) {
    QTemporaryDir dir;
    DesignWindow w;
    w.Insert(ControlTypeCode::ConsText);
    const QByteArray before = w.Doc().Bytes();
    QFile bad(dir.filePath("roto.fmt"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("no es un formato");
    bad.close();
    w.answer = Frame::SaveAnswer::Discard;
    EXPECT_FALSE(w.frame.OpenFormat(bad.fileName()));
    EXPECT_EQ(w.told.size(), 1u);
    EXPECT_EQ(w.Doc().Bytes(), before);
    // Still the new format, with its changes to save.
    EXPECT_EQ(w.frame.windowTitle(), "Diseño de formato - (nuevo) *");
}

TEST(DesignFrameTest, ArrangeCommandsFollowTheSelectionAndTheGridIsEachWindowsOwn) {
    DesignWindow w;
    DesignWindow other;
    for (int k = 0; k < 3; ++k)
        w.Insert(ControlTypeCode::ConsText, 200 + 100 * k, -200 - 100 * k);
    const auto enabled = [&w](CommandId id) { return Command(w.frame, id).isEnabled(); };
    w.Doc().Select(0);
    EXPECT_FALSE(enabled(CommandId::AlignLeftEdges));
    EXPECT_TRUE(enabled(CommandId::CentreOnPage));
    Command(w.frame, CommandId::SelectAll).trigger();
    EXPECT_EQ(w.Doc().Selection(), (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(enabled(CommandId::DistributeVertically));
    Command(w.frame, CommandId::AlignLeftEdges).trigger();
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(w.Doc().ControlAt(k)->pageRect.left, w.Doc().ControlAt(0)->pageRect.left);
    EXPECT_EQ(w.Doc().UndoStack().count(), 4);

    Command(w.frame, CommandId::ShowGrid).trigger();
    EXPECT_TRUE(w.frame.View()->GridShown());
    EXPECT_FALSE(other.frame.View()->GridShown());
    EXPECT_FALSE(Command(other.frame, CommandId::ShowGrid).isChecked());
}
