#include "DesignerTestSupport.h"

#include "common/ArchiveBytes.h"

#include "capture_model/CFmtGrid.h"
#include "capture_model/CTextlineVar.h"
#include "model/CLinea.h"
#include "model/FormatFile.h"
#include "platform/PlenovaError.h"

#include <QFile>

#include <vector>

namespace {

using Type = ControlTypeCode;

LogFont Courier(int height) {
    LogFont f = CControles::DefaultFont();
    f.height = height;
    f.weight = 700;
    f.SetFace(QStringLiteral("Courier New"));
    return f;
}

TEST(DesignSnapping, TruncatesEachCoordinateTowardsZero) {
    EXPECT_EQ(DesignDocument::Snap(Point{13, -27}, 10), (Point{10, -20}));
    EXPECT_EQ(DesignDocument::Snap(Point{-7, -9}, 10), (Point{0, 0}));
    EXPECT_EQ(DesignDocument::Snap(Point{199, -1999}, 100), (Point{100, -1900}));
    EXPECT_EQ(DesignDocument::Snap(Point{13, -27}, 0), (Point{13, -27}));
}

TEST_F(DesignerTest, DraggingWithSnapMovesInWholeSteps) {
    doc.Insert(Type::ConsText, Point{13, -500});
    // The pointer's path snapped: the control moves by whole steps from where it was.
    auto dragTo = [this](std::initializer_list<int> xs, int step) {
        doc.BeginDrag();
        Point last = DesignDocument::Snap(Point{*xs.begin(), -600}, step);
        for (int x : xs) {
            const Point p = DesignDocument::Snap(Point{x, -600}, step);
            doc.MoveSelected(p.x - last.x, p.y - last.y);
            last = p;
        }
        doc.EndDrag();
    };
    dragTo({500, 507, 512, 523}, 10);
    EXPECT_EQ(doc.Selected()->pageRect.left, 33);
    dragTo({500, 501, 502}, 0);
    EXPECT_EQ(doc.Selected()->pageRect.left, 35);
}

TEST_F(DesignerTest, SnapCommandsTickOneStepAtATime) {
    EXPECT_EQ(doc.SnapStep(), 10);
    doc.ToggleSnapCentimetre();
    EXPECT_EQ(doc.SnapStep(), 100); // "Anclar mm" is no longer ticked
    doc.ToggleSnapCentimetre();
    EXPECT_EQ(doc.SnapStep(), 0);
    doc.ToggleSnapMillimetre();
    doc.ToggleSnapCentimetre();
    doc.ToggleSnapMillimetre();
    EXPECT_EQ(doc.SnapStep(), 10);
    doc.ToggleSnapMillimetre();
    EXPECT_EQ(doc.SnapStep(), 0);
    doc.SetSnapStep(7);
    EXPECT_EQ(doc.SnapStep(), 0);
}

TEST_F(DesignerTest, ClickSelectsTheTopLayerAndPaperSelectsNothing) {
    doc.Insert(Type::Rectangulo, Point{0, 0});    // (0, 0) to (600, -600)
    doc.Insert(Type::ConsText, Point{100, -100}); // beneath the rectangle
    doc.SendSelectedToBack();
    doc.BringSelectedToFront(); // the text on top now
    CControles* text = doc.ControlAt(1);
    ASSERT_EQ(text->Type(), Type::ConsText);

    doc.SelectAt(Point{150, -80});
    EXPECT_EQ(doc.Selected(), text);
    doc.SelectAt(Point{590, -550}); // on the rectangle's right-hand stroke
    EXPECT_EQ(doc.SelectedIndex(), 0);
    EXPECT_TRUE(doc.ControlAt(0)->selected);
    EXPECT_FALSE(text->selected);
    doc.SelectAt(Point{2000, -2000});
    EXPECT_EQ(doc.Selected(), nullptr);
    EXPECT_FALSE(doc.ControlAt(0)->selected || doc.ControlAt(1)->selected);
}

TEST_F(DesignerTest, TabWalksTheListAndWraps) {
    doc.SelectNext(false);
    doc.SelectNext(true);
    EXPECT_EQ(doc.SelectedIndex(), -1);

    for (int i = 0; i < 3; ++i)
        doc.Insert(Type::Etiqueta, Point{0, -100 * i});
    doc.Select(-1);
    doc.SelectNext(false);
    EXPECT_EQ(doc.SelectedIndex(), 0);
    doc.Select(-1);
    doc.SelectNext(true);
    EXPECT_EQ(doc.SelectedIndex(), 2);
    doc.SelectNext(false);
    EXPECT_EQ(doc.SelectedIndex(), 0);
    doc.SelectNext(true);
    EXPECT_EQ(doc.SelectedIndex(), 2);
    EXPECT_EQ(doc.UndoStack().count(), 3); // selecting is never a step
}

TEST_F(DesignerTest, EachToolInsertsItsControlWithItsText) {
    const QString picture = Picture(QStringLiteral("logo.bmp"), 300, 200);
    const std::pair<Type, QString> expected[] = {
        {Type::TextlineVar, QStringLiteral("Linea de texto")},
        {Type::ParrafoVar, QStringLiteral("Parrafo de texto")},
        {Type::CuadrosVar, QStringLiteral("Texto en cuadros")},
        {Type::MarcaVar, QStringLiteral("Marca de verificación")},
        {Type::FmtGrid, QStringLiteral("Tabla")},
        {Type::ConsText, QStringLiteral("Linea constante")},
        {Type::ConsParrafo, QStringLiteral("Parrafo de texto\r\nParrafo constante")},
        {Type::Linea, QStringLiteral("Linea")},
        {Type::Rectangulo, QStringLiteral("Rectangulo")},
        {Type::Imagen, picture},
        {Type::Etiqueta, QStringLiteral("Etiqueta")},
        {Type::DateInput, QStringLiteral("Fecha")},
    };
    for (const auto& [type, text] : expected) {
        DesignDocument fresh;
        fresh.ArmInsertion(type);
        CControles* c = fresh.Insert(type, Point{500, -500}, picture);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->Type(), type);
        EXPECT_EQ(c->text, text);
        EXPECT_EQ(fresh.Selected(), c);
        EXPECT_TRUE(c->selected);
        EXPECT_EQ(fresh.CurrentTool(), DesignDocument::Tool::Selection);
        EXPECT_EQ(c->GetFont(), CControles::DefaultFont());
        EXPECT_EQ(fresh.UndoStack().text(0),
                  QStringLiteral("Insertar %1").arg(ControlType::DisplayName(type)));
    }
    DesignDocument fresh;
    EXPECT_EQ(fresh.Insert(Type::Imagen, Point{500, -500}, picture)->pageRect,
              PageRect(500, -700, 800, -500)); // lower edge first, as a read image has it
}

TEST_F(DesignerTest, NewControlGoesBeneathWithThePreviousFont) {
    doc.Insert(Type::ConsText, Point{0, -100});
    doc.SetFontOfSelected(Courier(60)); // a cell height: stored as a character height
    CControles* first = doc.Selected();
    ASSERT_EQ(first->font.height, -60);

    CControles* second = doc.Insert(Type::TextlineVar, Point{1000, -2000});
    EXPECT_EQ(doc.ControlAt(0), second);
    EXPECT_EQ(doc.ControlAt(1), first);
    EXPECT_EQ(second->GetFont(), first->GetFont());
    EXPECT_EQ(second->pageRect, PageRect(1000, -2000 + 65, 1400, -2000));
    EXPECT_FALSE(first->selected);

    // A line takes the font record too, and keeps its size.
    CControles* line = doc.Insert(Type::Linea, Point{0, -3000});
    EXPECT_EQ(line->GetFont(), first->GetFont());
    EXPECT_EQ(line->pageRect, PageRect(0, -2980, 400, -3020));
    // The next control takes the line's font: the font of the control inserted before it.
    EXPECT_EQ(doc.Insert(Type::Etiqueta, Point{0, 0})->GetFont(), first->GetFont());
}

TEST_F(DesignerTest, UnreadablePictureInsertsNothing) {
    const QString path = dir.filePath(QStringLiteral("not.bmp"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture at all");
    file.close();
    doc.ArmInsertion(Type::Imagen);
    try {
        EXPECT_EQ(doc.Insert(Type::Imagen, Point{0, 0}, path), nullptr);
    } catch (const PlenovaError&) {
    }
    EXPECT_TRUE(doc.IsEmpty());
    EXPECT_EQ(doc.UndoStack().count(), 0);
    EXPECT_EQ(doc.CurrentTool(), DesignDocument::Tool::Selection);
}

TEST_F(DesignerTest, FontForAllReachesEveryType) {
    InsertOneOfEach();
    doc.Select(-1);
    doc.SetFontOfAll(Courier(50));
    // Lines, rectangles and images store the record as chosen: they have no text to fit.
    for (const auto& c : doc.Controls())
        EXPECT_EQ(c->GetFont(), Courier(c->HasFont() ? -50 : 50)) << c->TypeName().toStdString();
    EXPECT_EQ(doc.UndoStack().count(), 13);
    EXPECT_EQ(doc.UndoStack().text(12), QStringLiteral("Fuente"));
}

TEST_F(DesignerTest, AlignmentCodesFollowTheControlAndTheTableColumn) {
    InsertOneOfEach();
    auto alignOf = [this](Type type, DesignDocument::Alignment a) {
        doc.Select(Find(type));
        doc.AlignSelected(a);
        return doc.Selected()->alignment;
    };
    using A = DesignDocument::Alignment;
    EXPECT_EQ(alignOf(Type::TextlineVar, A::Centre), 6);
    EXPECT_EQ(alignOf(Type::TextlineVar, A::Right), 2);
    EXPECT_EQ(alignOf(Type::TextlineVar, A::Left), 0);
    EXPECT_EQ(alignOf(Type::ParrafoVar, A::Centre), 1);
    EXPECT_EQ(alignOf(Type::ConsParrafo, A::Centre), 1);
    EXPECT_EQ(alignOf(Type::ConsParrafo, A::Right), 2);
    const int steps = doc.UndoStack().count();
    EXPECT_EQ(alignOf(Type::Linea, A::Centre), 0); // no font, no alignment
    EXPECT_EQ(doc.UndoStack().count(), steps);

    doc.Select(Find(Type::FmtGrid));
    auto* table = static_cast<CFmtGrid*>(doc.Selected());
    const PageRect rect = table->pageRect;
    doc.PickTableHeader(2, -1);
    doc.AlignSelected(A::Centre);
    EXPECT_EQ(table->alignment, 6);
    EXPECT_EQ(table->Columns()[2].alignment, 6);
    EXPECT_EQ(table->Columns()[1].alignment, 0);
    EXPECT_EQ(table->pageRect, rect);
    doc.PickTableHeader(-1, -1);
    doc.AlignSelected(A::Right);
    EXPECT_EQ(table->alignment, 2);
    EXPECT_EQ(table->Columns()[2].alignment, 6);
}

TEST_F(DesignerTest, LayersMoveTheSelectedControlAndKeepIt) {
    for (int i = 0; i < 3; ++i)
        doc.Insert(Type::Etiqueta, Point{0, -100 * i});
    CControles* bottom = doc.ControlAt(0);
    doc.Select(0);
    doc.BringSelectedToFront();
    EXPECT_EQ(doc.ControlAt(2), bottom);
    EXPECT_EQ(doc.Selected(), bottom);
    EXPECT_EQ(doc.UndoStack().text(doc.UndoStack().index() - 1), QStringLiteral("Traer al frente"));
    const int steps = doc.UndoStack().count();
    doc.BringSelectedToFront(); // already on top: no step
    EXPECT_EQ(doc.UndoStack().count(), steps);
    doc.SendSelectedToBack();
    EXPECT_EQ(doc.ControlAt(0), bottom);
    EXPECT_EQ(doc.Selected(), bottom);
    doc.UndoStack().undo();
    EXPECT_EQ(doc.ControlAt(2), bottom);
    EXPECT_EQ(doc.Selected(), bottom);
}

// The capture fields are numbered from the last layer to the first whenever a control is added,
// removed or moved to another layer; other changes, opening and saving leave the orders alone.
TEST_F(DesignerTest, CaptureOrdersFollowTheLayersAndNothingElse) {
    const auto orders = [this] {
        std::vector<int> all;
        for (const auto& c : doc.Controls())
            all.push_back(c->captureOrder);
        return all;
    };
    doc.Insert(Type::TextlineVar, Point{0, -100});
    doc.Insert(Type::ConsText, Point{0, -200});
    doc.Insert(Type::Etiqueta, Point{0, -300});
    doc.Insert(Type::MarcaVar, Point{0, -400});
    EXPECT_EQ(orders(), (std::vector<int>{2, 0, 0, 1})); // the list from its first layer
    doc.Select(3);
    doc.SendSelectedToBack();
    EXPECT_EQ(orders(), (std::vector<int>{2, 1, 0, 0}));
    doc.UndoStack().undo();
    EXPECT_EQ(orders(), (std::vector<int>{2, 0, 0, 1}));
    doc.Select(0);
    doc.DeleteSelected();
    EXPECT_EQ(orders(), (std::vector<int>{0, 0, 1}));
    doc.UndoStack().undo();
    EXPECT_EQ(orders(), (std::vector<int>{2, 0, 0, 1}));

    // A file whose orders were set elsewhere, or are damaged, keeps them through an edit and a
    // save; the next control added numbers them again.
    Format arranged;
    arranged.controls.push_back(CTextlineVar::Create(0, -100));
    arranged.controls.push_back(CTextlineVar::Create(0, -200));
    arranged.controls[0]->captureOrder = 7;
    arranged.controls[1]->captureOrder = 7;
    const QString path = dir.filePath(QStringLiteral("orden.fmt"));
    FormatFile::Save(path, arranged, FormatSettings());
    doc.Open(path);
    doc.Select(0);
    doc.MoveSelected(10, 0);
    doc.Save(path);
    Format read;
    FormatSettings settings;
    FormatFile::Load(path, read, settings);
    EXPECT_EQ(read.controls[0]->captureOrder, 7);
    EXPECT_EQ(read.controls[1]->captureOrder, 7);
    doc.Insert(Type::ConsText, Point{0, -300});
    EXPECT_EQ(orders(), (std::vector<int>{0, 2, 1}));
}

// What the design view used to work out as it drew, the designer keeps as the controls change:
// a label's rectangle around its text, a table's column widths on the capture screen.
TEST_F(DesignerTest, LabelsFitTheirTextAndTablesTheirScreenWidthsAsTheyChange) {
    CControles* label = doc.Insert(Type::Etiqueta, Point{0, -300});
    const PageRect fitted = label->pageRect;
    EXPECT_EQ(fitted.top, -255);
    EXPECT_LT(fitted.Width(), 400); // "Etiqueta", narrower than where it was put
    doc.SetNameOfSelected(QStringLiteral("Etiqueta del cliente"));
    EXPECT_GT(label->pageRect.Width(), 2 * fitted.Width());
    doc.UndoStack().undo();
    EXPECT_EQ(label->pageRect, fitted);

    auto* table = static_cast<CFmtGrid*>(doc.Insert(Type::FmtGrid, Point{0, -600}));
    EXPECT_EQ(table->Columns()[0].screenWidth, 151); // 40 mm at 96 pixels to the inch
    doc.MoveColumnDivider(0, 100);
    EXPECT_EQ(table->Columns()[0].screenWidth, 189);
}

TEST_F(DesignerTest, UpperCaseTogglesOnTheFieldsThatTakeIt) {
    doc.Insert(Type::ConsText, Point{0, 0});
    doc.ToggleUpperCaseOfSelected();
    EXPECT_FALSE(doc.Selected()->IsUpperCase());
    EXPECT_EQ(doc.UndoStack().count(), 1);

    doc.Insert(Type::DateInput, Point{0, -500});
    doc.ToggleUpperCaseOfSelected();
    EXPECT_TRUE(doc.Selected()->IsUpperCase());
    doc.ToggleUpperCaseOfSelected();
    EXPECT_FALSE(doc.Selected()->IsUpperCase());
    EXPECT_EQ(doc.UndoStack().count(), 4);
}

TEST_F(DesignerTest, CommandsAreEnabledByTheSelectedType) {
    InsertOneOfEach();
    doc.Select(-1);
    EXPECT_FALSE(doc.SelectedHasFont() || doc.SelectedTakesColor() ||
                 doc.SelectedTakesUpperCase() || doc.SelectedIsLine());
    for (int code = 0; code <= 11; ++code) {
        const auto type = static_cast<Type>(code);
        doc.Select(Find(type));
        SCOPED_TRACE(code);
        EXPECT_EQ(doc.SelectedHasFont(), code < 7 || code > 9);
        EXPECT_EQ(doc.SelectedTakesColor(), code <= 8 || code == 11);
        EXPECT_EQ(doc.SelectedTakesUpperCase(), code <= 2 || code == 11);
        EXPECT_EQ(doc.SelectedIsLine(), code == 7);
    }
    // A disabled command does nothing when called all the same.
    doc.Select(Find(Type::Imagen));
    const int steps = doc.UndoStack().count();
    doc.SetColorOfSelected(MakeColorRef(0, 0, 255));
    doc.MakeSelectedLineVertical();
    doc.SetFontOfSelected(Courier(50));
    EXPECT_EQ(doc.UndoStack().count(), steps);
}

TEST_F(DesignerTest, LineTurnsAboutItsEnd) {
    doc.Insert(Type::Linea, Point{1000, -500});
    doc.MakeSelectedLineVertical();
    EXPECT_EQ(doc.Selected()->pageRect, PageRect(980, -500, 1020, -900));
    doc.MakeSelectedLineHorizontal();
    EXPECT_EQ(doc.Selected()->pageRect, PageRect(1000, -480, 1400, -520));
    const int steps = doc.UndoStack().count();
    doc.MakeSelectedLineHorizontal();
    EXPECT_EQ(doc.UndoStack().count(), steps);
}

TEST_F(DesignerTest, FormatMadeFromNothingReadsBackToTheSameBytes) {
    InsertOneOfEach();
    doc.SetDescription(QStringLiteral("Factura de prueba"));
    doc.Settings().decimals = 3;
    doc.Settings().author = QStringLiteral("Ana");
    doc.Settings().key = QStringLiteral("clave");
    const QString first = dir.filePath(QStringLiteral("a.fmt"));
    const QString second = dir.filePath(QStringLiteral("b.fmt"));
    doc.Save(first);

    DesignDocument other;
    other.Open(first);
    EXPECT_EQ(other.Controls().size(), 12u);
    EXPECT_EQ(other.Description(), QStringLiteral("Factura de prueba"));
    EXPECT_EQ(other.Settings(), doc.Settings());
    other.Save(second);
    QFile a(first), b(second);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(b.readAll(), a.readAll());

    DesignDocument third;
    third.Open(second);
    EXPECT_EQ(third.Bytes(), other.Bytes());
}

TEST_F(DesignerTest, OpenAndSaveMakeTheDocumentClean) {
    EXPECT_FALSE(doc.IsModified());
    doc.Insert(Type::ConsText, Point{0, 0});
    EXPECT_TRUE(doc.IsModified());
    const QString path = dir.filePath(QStringLiteral("f.fmt"));
    doc.Save(path);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Path(), path);
    doc.MoveSelected(1, 0);
    EXPECT_TRUE(doc.IsModified());
    doc.UndoStack().undo();
    EXPECT_FALSE(doc.IsModified());
    doc.MoveSelected(0, 1);

    DesignDocument other;
    other.Open(path);
    EXPECT_FALSE(other.IsModified());
    EXPECT_EQ(other.UndoStack().count(), 0);
    EXPECT_EQ(other.Path(), path);
    doc.Open(path);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.UndoStack().count(), 0);
    EXPECT_EQ(doc.Selected(), nullptr);
    EXPECT_EQ(doc.Bytes(), other.Bytes());
}

TEST_F(DesignerTest, FailedOpenChangesNothing) {
    doc.Insert(Type::ConsText, Point{0, 0});
    doc.SetDescription(QStringLiteral("mío"));
    doc.Settings().decimals = 5;
    const QString path = dir.filePath(QStringLiteral("mine.fmt"));
    doc.Save(path);
    doc.MoveSelected(10, 0);
    const QByteArray bytes = doc.Bytes();

    const QString broken = dir.filePath(QStringLiteral("broken.fmt"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // A description, the version marker and a settings record cut short.
    file.write(QByteArray::fromHex("0378797afeffffff0200"));
    file.close();
    for (const QString& bad : {broken, dir.filePath(QStringLiteral("missing.fmt"))}) {
        EXPECT_THROW(doc.Open(bad), PlenovaError);
        EXPECT_EQ(doc.Bytes(), bytes);
        EXPECT_EQ(doc.Path(), path);
        EXPECT_EQ(doc.UndoStack().count(), 3);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(doc.SelectedIndex(), 0);
        EXPECT_EQ(doc.Settings().decimals, 5);
    }
}

} // namespace
