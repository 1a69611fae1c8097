#include "DesignerTestSupport.h"

#include "capture_model/CFmtGrid.h"

#include <functional>

namespace {

using Type = ControlTypeCode;
using A = DesignDocument::Alignment;

struct Change {
    const char* name;
    Type select; // the control selected before the change
    std::function<void(DesignDocument&)> apply;
    const char* stepText;
    bool selectsTouched = true; // the step selects the control it changed
};

class DesignUndoTest : public DesignerTest, public ::testing::WithParamInterface<Change> {};

// Every kind of change, made on a format holding one control of each type: undone it gives back
// the bytes from before, redone the bytes from after, and it is exactly one step.
TEST_P(DesignUndoTest, UndoAndRedoGiveBackTheBytes) {
    const Change& change = GetParam();
    doc.SetDescription(QStringLiteral("Antes"));
    InsertOneOfEach();
    // Some controls placed on the capture screen, for the reset of the screen's layout.
    for (const auto& c : doc.Controls())
        c->screenPlaced = c->Type() != Type::Etiqueta;
    doc.Select(Find(change.select));
    CControles* touched = doc.Selected();

    const QByteArray before = doc.Bytes();
    const int steps = doc.UndoStack().count();
    change.apply(doc);
    const QByteArray after = doc.Bytes();
    ASSERT_NE(after, before);
    ASSERT_EQ(doc.UndoStack().count(), steps + 1);
    EXPECT_EQ(doc.UndoStack().text(steps), QString::fromUtf8(change.stepText));

    doc.UndoStack().undo();
    EXPECT_EQ(doc.Bytes(), before);
    if (change.selectsTouched) {
        EXPECT_EQ(doc.Selected(), touched);
    }
    doc.UndoStack().redo();
    EXPECT_EQ(doc.Bytes(), after);
    doc.UndoStack().undo();
    EXPECT_EQ(doc.Bytes(), before);
    doc.UndoStack().redo();
    EXPECT_EQ(doc.Bytes(), after);
}

void Drag(DesignDocument& d, const std::function<void()>& moves) {
    d.BeginDrag();
    moves();
    d.EndDrag();
}

const Change kChanges[] = {
    {"InsertTable", Type::Linea,
     [](DesignDocument& d) {
         d.Insert(Type::FmtGrid, Point{50, -50});
     },
     "Insertar Tabla", false},
    {"InsertImage", Type::Linea,
     [](DesignDocument& d) {
         d.Insert(Type::Imagen, Point{50, -50}, d.ControlAt(2)->text); // the same picture file
     },
     "Insertar Imagen", false},
    {"Delete", Type::FmtGrid, [](DesignDocument& d) { d.DeleteSelected(); }, "Eliminar"},
    {"DeleteImage", Type::Imagen, [](DesignDocument& d) { d.DeleteSelected(); }, "Eliminar"},
    {"ArrowMove", Type::TextlineVar, [](DesignDocument& d) { d.MoveSelected(0, 1); }, "Mover"},
    {"DragMove", Type::MarcaVar,
     [](DesignDocument& d) {
         Drag(d, [&d] {
             d.MoveSelected(10, 0);
             d.MoveSelected(10, -10);
         });
     },
     "Mover"},
    {"DragResize", Type::ParrafoVar,
     [](DesignDocument& d) {
         Drag(d, [&d] {
             d.MoveSelected(10, 0);
             d.ResizeSelected(Handle::Right, 35, 0);
         });
     },
     "Cambiar tamaño"},
    {"TableResize", Type::FmtGrid,
     [](DesignDocument& d) { Drag(d, [&d] { d.ResizeSelected(Handle::Right, 1, 0); }); },
     "Cambiar tamaño"},
    {"ImageResize", Type::Imagen,
     [](DesignDocument& d) {
         Drag(d, [&d] {
             d.ResizeSelected(Handle::Lower, 0, -7);
             d.FitSelectedPicture();
         });
     },
     "Cambiar tamaño"},
    {"ColumnDivider", Type::FmtGrid,
     [](DesignDocument& d) { Drag(d, [&d] { d.MoveColumnDivider(1, 30); }); }, "Ancho de columna"},
    {"RowDivider", Type::FmtGrid,
     [](DesignDocument& d) { Drag(d, [&d] { d.MoveRowDivider(2, -20); }); }, "Alto de fila"},
    {"Font", Type::CuadrosVar,
     [](DesignDocument& d) {
         LogFont f = CControles::DefaultFont();
         f.height = 80;
         f.italic = 1;
         d.SetFontOfSelected(f);
     },
     "Fuente"},
    {"FontForAll", Type::Linea,
     [](DesignDocument& d) {
         d.Select(-1);
         LogFont f = CControles::DefaultFont();
         f.SetFace(QStringLiteral("Times New Roman"));
         d.SetFontOfAll(f);
     },
     "Fuente", false},
    {"Colour", Type::Rectangulo,
     [](DesignDocument& d) { d.SetColorOfSelected(MakeColorRef(0, 128, 255)); }, "Color"},
    {"AlignParagraph", Type::ConsParrafo, [](DesignDocument& d) { d.AlignSelected(A::Centre); },
     "Alineación"},
    {"AlignTableColumn", Type::FmtGrid,
     [](DesignDocument& d) {
         d.PickTableHeader(3, -1);
         d.AlignSelected(A::Right);
     },
     "Alineación"},
    {"UpperCase", Type::DateInput, [](DesignDocument& d) { d.ToggleUpperCaseOfSelected(); },
     "Mayúsculas"},
    {"Vertical", Type::Linea, [](DesignDocument& d) { d.MakeSelectedLineVertical(); }, "Vertical"},
    {"BringToFront", Type::ConsText, [](DesignDocument& d) { d.BringSelectedToFront(); },
     "Traer al frente"},
    {"SendToBack", Type::Etiqueta, [](DesignDocument& d) { d.SendSelectedToBack(); },
     "Enviar atrás"},
    {"ResetScreen", Type::Etiqueta, [](DesignDocument& d) { d.ResetScreenPlacement(); },
     "Reinicializar pantalla de captura"},
    {"Description", Type::Etiqueta,
     [](DesignDocument& d) {
         d.SetDescription(QStringLiteral("Des"));
         d.SetDescription(QStringLiteral("Después")); // typing: one step
     },
     "Descripción"},
};

INSTANTIATE_TEST_SUITE_P(EveryChange, DesignUndoTest, ::testing::ValuesIn(kChanges),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DesignerTest, LineTurnedBackAndForthUndoesInOrder) {
    doc.Insert(Type::Linea, Point{1000, -500});
    const QByteArray horizontal = doc.Bytes();
    doc.MakeSelectedLineVertical();
    const QByteArray vertical = doc.Bytes();
    doc.ResizeSelected(Handle::Lower, 0, -100);
    doc.MakeSelectedLineHorizontal();
    doc.UndoStack().undo();
    doc.UndoStack().undo();
    EXPECT_EQ(doc.Bytes(), vertical);
    doc.UndoStack().undo();
    EXPECT_EQ(doc.Bytes(), horizontal);
}

TEST_F(DesignerTest, DragThatChangedNothingAddsNoStep) {
    doc.Insert(Type::ConsText, Point{0, -500});
    const int steps = doc.UndoStack().count();
    Drag(doc, [] {});
    Drag(doc, [this] {
        doc.MoveSelected(10, 0);
        doc.MoveSelected(-10, 0);
    });
    // Narrower than 4 mm is refused by the control.
    Drag(doc, [this] { doc.ResizeSelected(Handle::Right, -380, 0); });
    EXPECT_EQ(doc.UndoStack().count(), steps);

    Drag(doc, [this] {
        for (int i = 0; i < 5; ++i)
            doc.MoveSelected(1, -1);
    });
    EXPECT_EQ(doc.UndoStack().count(), steps + 1);
    EXPECT_EQ(doc.Selected()->pageRect.left, 5);
    doc.UndoStack().undo();
    EXPECT_EQ(doc.Selected()->pageRect.left, 0);
}

TEST_F(DesignerTest, StepMadeDuringADragComesAfterIt) {
    doc.Insert(Type::ConsText, Point{0, -500});
    const QByteArray start = doc.Bytes();
    doc.BeginDrag();
    doc.MoveSelected(20, 0);
    const QByteArray moved = doc.Bytes();
    doc.SetColorOfSelected(MakeColorRef(255, 0, 0));
    doc.MoveSelected(0, 20);
    doc.EndDrag();
    ASSERT_EQ(doc.UndoStack().count(), 4);
    EXPECT_EQ(doc.UndoStack().text(1), QStringLiteral("Mover"));
    EXPECT_EQ(doc.UndoStack().text(2), QStringLiteral("Color"));
    doc.UndoStack().undo();
    doc.UndoStack().undo();
    EXPECT_EQ(doc.Bytes(), moved);
    doc.UndoStack().undo();
    EXPECT_EQ(doc.Bytes(), start);
}

TEST_F(DesignerTest, UndoingAnInsertionSelectsNothingAndDeletionPutsItBack) {
    doc.Insert(Type::ConsText, Point{0, 0});
    doc.Insert(Type::Etiqueta, Point{0, -500});
    doc.Insert(Type::Rectangulo, Point{0, -1000});
    doc.Select(1);
    CControles* label = doc.Selected();
    doc.DeleteSelected();
    EXPECT_EQ(doc.Selected(), nullptr);
    EXPECT_EQ(doc.Controls().size(), 2u);
    doc.UndoStack().undo();
    EXPECT_EQ(doc.ControlAt(1), label);
    EXPECT_EQ(doc.Selected(), label);
    EXPECT_TRUE(label->selected);
    doc.UndoStack().undo(); // the rectangle's insertion
    EXPECT_EQ(doc.Selected(), nullptr);
    EXPECT_EQ(doc.ControlAt(0), label);
    doc.UndoStack().redo();
    EXPECT_EQ(doc.SelectedIndex(), 0);
    EXPECT_EQ(doc.Selected()->Type(), Type::Rectangulo);
}

} // namespace
