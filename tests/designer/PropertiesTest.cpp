#include "DesignerTestSupport.h"
#include "commands/CommandId.h"

#include "capture_model/CCuadrosVar.h"
#include "capture_model/CDateInput.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CTextlineVar.h"
#include "designer/CFmtdesignFrm.h"
#include "designer/CFmtdesignView.h"
#include "designer/ExpressionValidator.h"
#include "designer/PropertiesDialog.h"
#include "model/FormatFile.h"
#include "platform_widgets/CSizingControlBar.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <optional>
#include <vector>

namespace {

using D = PropertiesDialog;

class PropertiesTest : public DesignerTest {
protected:
    PropertiesTest() : dialog(doc) {
        dialog.SetMessenger([this](const QString& m) { told.push_back(m); });
    }

    QString Text(D::Field field) const { return dialog.FieldText(field); }
    bool Shown(D::Field field) const { return !dialog.FieldWidget(field)->isHidden(); }
    QLineEdit* Edit(D::Field field) const {
        return static_cast<QLineEdit*>(dialog.FieldWidget(field));
    }
    // Types text over what the field holds, then Enter.
    void Enter(D::Field field, const QString& text) {
        QLineEdit* edit = Edit(field);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    D dialog;
    std::vector<QString> told;
};

TEST_F(PropertiesTest, ShowsATextLineAndItsCalculation) {
    doc.Insert(ControlTypeCode::TextlineVar, Point{100, -100});
    EXPECT_EQ(Text(D::TypeNameField), u"Línea de texto variable");
    EXPECT_EQ(Text(D::PositionField), u"X=1.00 cm., Y=-1.00 cm.");
    EXPECT_EQ(Text(D::WidthField), u"4.00 cm.");
    EXPECT_EQ(Text(D::Row1Caption), u"Tipo de dato");
    EXPECT_EQ(Text(D::DataTypeField), u"Texto");
    EXPECT_FALSE(Shown(D::ExpressionField));
    EXPECT_FALSE(Shown(D::TextField));

    // "Número calculado" asks for a calculation, empty to begin with.
    auto* list = static_cast<QComboBox*>(dialog.FieldWidget(D::DataTypeField));
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    auto& line = static_cast<CTextlineVar&>(*doc.Selected());
    EXPECT_EQ(line.dataType, DataTypeCode::NumeroCalculado);
    EXPECT_EQ(Text(D::Row2Caption), u"Cálculo:");
    EXPECT_TRUE(Shown(D::ExpressionField));
    EXPECT_EQ(Text(D::ExpressionField), u"");

    Enter(D::ExpressionField, QStringLiteral("PRECIO*CANTIDAD"));
    EXPECT_EQ(line.expression, u"PRECIO*CANTIDAD");

    // Back to "Texto": the calculation goes.
    QTest::keyClick(list, Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(line.dataType, DataTypeCode::Texto);
    EXPECT_TRUE(line.expression.isEmpty());
    EXPECT_FALSE(Shown(D::ExpressionField));
    EXPECT_EQ(Text(D::Row2Caption), u"");
}

TEST_F(PropertiesTest, APickedColumnShowsTheColumnAndUnpickingTheCounts) {
    doc.Insert(ControlTypeCode::FmtGrid, Point{100, -100});
    auto& table = static_cast<CFmtGrid&>(*doc.Selected());
    EXPECT_EQ(Text(D::Row1Caption), u"Número de columnas:");
    EXPECT_EQ(Text(D::CountField), QString::number(table.ColumnCount()));
    EXPECT_EQ(Text(D::Row2Caption), u"Número de filas:");
    EXPECT_EQ(Text(D::SecondNumberField), QString::number(table.RowCount()));

    doc.PickTableHeader(1, -1);
    EXPECT_EQ(Text(D::TypeNameField), u"Columna de tabla");
    EXPECT_EQ(Text(D::NameField), table.Columns()[1].title);
    EXPECT_EQ(Text(D::WidthField), u"4.00 cm.");
    EXPECT_EQ(Text(D::PositionField), u"");
    EXPECT_TRUE(Shown(D::DataTypeField));
    EXPECT_FALSE(Shown(D::CountField));
    EXPECT_FALSE(Shown(D::SecondNumberField));
    EXPECT_EQ(dialog.Validator().GetKind(), ExpressionValidator::Kind::TableColumn);

    // The name and a calculation go to the column, not to the table.
    const QString tableName = table.text;
    Enter(D::NameField, QStringLiteral("IMPORTE"));
    EXPECT_EQ(table.Columns()[1].title, u"IMPORTE");
    EXPECT_EQ(table.text, tableName);
    auto* list = static_cast<QComboBox*>(dialog.FieldWidget(D::DataTypeField));
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(table.Columns()[1].dataType, DataTypeCode::MonedaCalculado);
    // Letters other than C and blanks cannot be typed into a column's formula.
    Enter(D::ExpressionField, QStringLiteral("C1 * X2"));
    EXPECT_EQ(table.Columns()[1].expression, u"C1*2");

    doc.PickTableHeader(-1, -1);
    EXPECT_EQ(Text(D::TypeNameField), u"Tabla");
    EXPECT_EQ(Text(D::Row1Caption), u"Número de columnas:");
    EXPECT_TRUE(Shown(D::CountField));
    EXPECT_FALSE(Shown(D::DataTypeField));

    // Fewer columns through the field; the picked column is dropped with them.
    doc.PickTableHeader(1, -1);
    doc.PickTableHeader(-1, -1);
    Enter(D::CountField, QStringLiteral("1"));
    EXPECT_EQ(table.ColumnCount(), 1);
    Enter(D::SecondNumberField, QStringLiteral("5"));
    EXPECT_EQ(table.RowCount(), 5);
}

TEST_F(PropertiesTest, TheDescriptionIsEditedWithNothingSelectedAndSaved) {
    doc.Insert(ControlTypeCode::ConsText, Point{100, -100});
    doc.Select(-1);
    EXPECT_TRUE(Shown(D::TextField));
    EXPECT_FALSE(Shown(D::NameField));
    EXPECT_FALSE(Shown(D::Row1Caption));
    EXPECT_FALSE(Shown(D::DataTypeField));

    auto* text = static_cast<QPlainTextEdit*>(dialog.FieldWidget(D::TextField));
    QTest::keyClicks(text, QStringLiteral("Factura de venta"));
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(doc.Description(), u"Factura de venta");

    const QString path = dir.filePath(QStringLiteral("f.fmt"));
    doc.Save(path);
    Format read;
    FormatSettings settings;
    FormatFile::Load(path, read, settings);
    EXPECT_EQ(read.description, u"Factura de venta");
}

TEST_F(PropertiesTest, IntegerFieldsRefuseWhatIsNotAWholeNumber) {
    doc.Insert(ControlTypeCode::CuadrosVar, Point{100, -100});
    auto& boxes = static_cast<CCuadrosVar&>(*doc.Selected());
    EXPECT_EQ(Text(D::Row3Caption), u"Dist. entre cuadros (mm/10):");
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    Edit(D::CountField)->setFocus();
    const int steps = doc.UndoStack().count();

    // Leaving the field with Tab refuses the text and brings the focus back.
    Edit(D::CountField)->selectAll();
    QTest::keyClicks(Edit(D::CountField), QStringLiteral("abc"));
    QTest::keyClick(Edit(D::CountField), Qt::Key_Tab);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], u"Introduzca un número entero.");
    EXPECT_EQ(boxes.boxCount, 8);
    EXPECT_EQ(doc.UndoStack().count(), steps);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return QApplication::focusWidget() == Edit(D::CountField); }));
    // Enter refuses it as well, once.
    Enter(D::CountField, QStringLiteral("1x"));
    EXPECT_EQ(told.size(), 2u);
    EXPECT_EQ(boxes.boxCount, 8);

    Enter(D::CountField, QStringLiteral("12"));
    EXPECT_EQ(boxes.boxCount, 12);
    Enter(D::SecondNumberField, QStringLiteral("40"));
    Enter(D::ThirdNumberField, QStringLiteral("5"));
    EXPECT_EQ(boxes.boxWidth, 40);
    EXPECT_EQ(boxes.boxDistance, 5);
    EXPECT_EQ(boxes.pageRect.right - boxes.pageRect.left, (5 + 40 - 1) * 12);
    EXPECT_EQ(told.size(), 2u);
}

TEST_F(PropertiesTest, TheMarkAndTheNameAreAppliedByEnter) {
    doc.Insert(ControlTypeCode::MarcaVar, Point{100, -100});
    Enter(D::MarkField, QStringLiteral("YZ"));
    EXPECT_EQ(static_cast<CMarcaVar&>(*doc.Selected()).mark, u"Y");

    Enter(D::NameField, QStringLiteral("PAGADO"));
    EXPECT_EQ(doc.Selected()->text, u"PAGADO");
    doc.UndoStack().undo();
    EXPECT_NE(doc.Selected()->text, u"PAGADO");
    EXPECT_NE(Text(D::NameField), u"PAGADO");

    doc.Insert(ControlTypeCode::DateInput, Point{100, -400});
    EXPECT_EQ(Text(D::Row1Caption), u"Formato de la fecha");
    auto* list = static_cast<QComboBox*>(dialog.FieldWidget(D::DateFormatField));
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(static_cast<CDateInput&>(*doc.Selected()).dateLayout, DateText::Layout::FullMonth);
}

TEST_F(PropertiesTest, ATextLineExpressionTakesNamesButNoBlanksNorAccents) {
    ExpressionValidator validator;
    for (QChar c : QStringLiteral("$&ñÑzZ09.+-*/"))
        EXPECT_TRUE(validator.Accepts(c)) << int(c.unicode());
    for (QChar c : QStringLiteral(" éá(%_"))
        EXPECT_FALSE(validator.Accepts(c)) << int(c.unicode());
    EXPECT_TRUE(validator.Accepts(QChar(8)));
    validator.SetKind(ExpressionValidator::Kind::TableColumn);
    EXPECT_TRUE(validator.Accepts(QChar(u'c')));
    EXPECT_FALSE(validator.Accepts(QChar(u'D')));
    EXPECT_FALSE(validator.Accepts(QChar(u'$')));
}

TEST_F(PropertiesTest, UndoOfEachEditGivesTheBytesBack) {
    InsertOneOfEach();
    const auto select = [this](ControlTypeCode type) { doc.Select(Find(type)); };
    const std::vector<std::function<void()>> edits = {
        [&] {
            select(ControlTypeCode::TextlineVar);
            doc.SetNameOfSelected(QStringLiteral("N"));
        },
        [&] { doc.SetDataTypeOfSelected(DataTypeCode::MonedaCalculado); },
        [&] { doc.SetExpressionOfSelected(QStringLiteral("A+B")); },
        [&] {
            select(ControlTypeCode::CuadrosVar);
            doc.SetBoxCount(3);
        },
        [&] { doc.SetBoxWidth(70); },
        [&] { doc.SetBoxDistance(0); },
        [&] {
            select(ControlTypeCode::MarcaVar);
            doc.SetMarkCharacter(QStringLiteral("V"));
        },
        [&] {
            select(ControlTypeCode::FmtGrid);
            doc.SetColumnCount(6);
        },
        [&] { doc.SetRowCount(2); },
        [&] {
            doc.PickTableHeader(1, -1);
            doc.SetNameOfSelected(QStringLiteral("C"));
        },
        [&] { doc.SetDataTypeOfSelected(DataTypeCode::NumeroCalculado); },
        [&] { doc.SetExpressionOfSelected(QStringLiteral("C1*2")); },
        [&] {
            select(ControlTypeCode::ConsParrafo);
            doc.SetParagraphText(QStringLiteral("x"));
        },
        [&] {
            select(ControlTypeCode::DateInput);
            doc.SetDateLayout(1);
        },
    };
    for (std::size_t k = 0; k < edits.size(); ++k) {
        const QByteArray before = doc.Bytes();
        const int steps = doc.UndoStack().count();
        edits[k]();
        const QByteArray after = doc.Bytes();
        EXPECT_NE(after, before) << k;
        EXPECT_EQ(doc.UndoStack().count(), steps + 1) << k;
        doc.UndoStack().undo();
        EXPECT_EQ(doc.Bytes(), before) << k;
        doc.UndoStack().redo();
        EXPECT_EQ(doc.Bytes(), after) << k;
    }
    // Undoing more columns leaves no pick beyond the last column.
    select(ControlTypeCode::FmtGrid);
    auto& table = static_cast<CFmtGrid&>(*doc.Selected());
    doc.SetColumnCount(8);
    doc.PickTableHeader(7, -1);
    doc.UndoStack().undo();
    EXPECT_LT(table.SelectedColumn(), table.ColumnCount());
}

TEST_F(PropertiesTest, CtrlOrShiftEnterStartsANewLineAndEnterMovesOn) {
    auto* text = static_cast<QPlainTextEdit*>(dialog.FieldWidget(D::TextField));
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    text->setFocus();
    QTest::keyClicks(text, QStringLiteral("Factura"));
    QTest::keyClick(text, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(text, QStringLiteral("de venta"));
    QTest::keyClick(text, Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier);
    QTest::keyClicks(text, QStringLiteral("2024"));
    EXPECT_TRUE(doc.Description().isEmpty());
    QTest::keyClick(text, Qt::Key_Return);
    // The lines end as a format's do.
    EXPECT_EQ(doc.Description(), u"Factura\r\nde venta\r\n2024");
    EXPECT_NE(QApplication::focusWidget(), text);

    // A paragraph's text left as it was is no change, however its lines end.
    doc.Insert(ControlTypeCode::ConsParrafo, Point{100, -100});
    EXPECT_EQ(Text(D::TextField), u"Parrafo de texto\nParrafo constante");
    const QByteArray before = doc.Bytes();
    const int steps = doc.UndoStack().count();
    text->setFocus();
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(doc.Bytes(), before);
    EXPECT_EQ(doc.UndoStack().count(), steps);
}

// Every caption, field and button of the floating window shows whole, whatever it shows.
TEST_F(PropertiesTest, NothingIsCutOffAtAnyType) {
    CFmtdesignFrm frame;
    frame.show();
    DesignDocument& shown = frame.Document();
    for (int code = ControlType::kFirstCode; code <= ControlType::kLastCode; ++code) {
        const auto type = static_cast<ControlTypeCode>(code);
        const QString image =
            type == ControlTypeCode::Imagen ? Picture(QStringLiteral("p.bmp"), 30, 20) : QString();
        ASSERT_NE(shown.Insert(type, Point{100, -100 - 300 * code}, image), nullptr);
    }
    frame.ShowProperties();
    const QWidget& window = *frame.Properties();
    const auto check = [&window](const QString& what) {
        QApplication::processEvents();
        for (const QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!child->isVisibleTo(&window))
                continue;
            // A caption or a button needs all its text; a field at least its smallest size.
            const bool text =
                qobject_cast<const QLabel*>(child) || qobject_cast<const QPushButton*>(child);
            const int needed = text ? child->sizeHint().width() : child->minimumSizeHint().width();
            const QString name = what + u' ' + child->property("text").toString();
            EXPECT_TRUE(window.rect().contains(child->geometry())) << name.toStdString();
            EXPECT_GE(child->width(), needed) << name.toStdString();
        }
    };
    check(QStringLiteral("sin selección"));
    for (int i = 0; i < static_cast<int>(shown.Controls().size()); ++i) {
        shown.Select(i);
        check(shown.Selected()->TypeName());
        if (shown.Selected()->Type() == ControlTypeCode::FmtGrid) {
            shown.PickTableHeader(1, -1);
            check(QStringLiteral("columna"));
            shown.PickTableHeader(-1, -1);
        }
    }
}

// Of many controls the window shows what they share; a field left alone changes none of them,
// and an edit goes to every one as one step.
TEST_F(PropertiesTest, ManyShowWhatTheyShareAndTakeAnEditTogether) {
    auto& a = static_cast<CCuadrosVar&>(*doc.Insert(ControlTypeCode::CuadrosVar, Point{100, -100}));
    auto& b = static_cast<CCuadrosVar&>(*doc.Insert(ControlTypeCode::CuadrosVar, Point{100, -400}));
    a.boxCount = 5;
    b.boxWidth = a.boxWidth;
    doc.SelectAll();
    EXPECT_EQ(Text(D::TypeNameField), u"2 controles: Texto en cuadros");
    EXPECT_EQ(Text(D::CountField), u"");
    EXPECT_EQ(Text(D::SecondNumberField), QString::number(a.boxWidth));
    EXPECT_EQ(Text(D::PositionField), u"");
    EXPECT_EQ(Text(D::WidthField), u"");
    // Two fields a capture fills never take one name.
    EXPECT_TRUE(Edit(D::NameField)->isReadOnly());

    // Passing over the blank count leaves each its own; a new width goes to both at once.
    const int steps = doc.UndoStack().count();
    Edit(D::CountField)->setFocus();
    QTest::keyClick(Edit(D::CountField), Qt::Key_Return);
    EXPECT_EQ(a.boxCount, 5);
    EXPECT_EQ(b.boxCount, 8);
    EXPECT_EQ(doc.UndoStack().count(), steps);
    const QByteArray before = doc.Bytes();
    Enter(D::SecondNumberField, QStringLiteral("30"));
    EXPECT_EQ(a.boxWidth, 30);
    EXPECT_EQ(b.boxWidth, 30);
    EXPECT_EQ(doc.UndoStack().count(), steps + 1);
    doc.UndoStack().undo();
    EXPECT_EQ(doc.Bytes(), before);

    // A text line and a date share a name, a font and a colour, and no setting of their type.
    const CControles* line = doc.Insert(ControlTypeCode::TextlineVar, Point{100, -700});
    doc.Insert(ControlTypeCode::DateInput, Point{100, -900});
    doc.ToggleSelected(doc.IndexOf(line));
    EXPECT_EQ(Text(D::TypeNameField), u"2 controles");
    EXPECT_FALSE(Shown(D::DataTypeField));
    EXPECT_FALSE(Shown(D::DateFormatField));
    EXPECT_TRUE(Shown(D::FontField));
    EXPECT_EQ(Text(D::ColorField), u"#000000");
    // A line has no font: with one selected, the font is not offered.
    doc.Insert(ControlTypeCode::Linea, Point{100, -1100});
    doc.ToggleSelected(doc.IndexOf(line));
    EXPECT_FALSE(Shown(D::FontField));
    EXPECT_TRUE(Shown(D::ColorField));
}

TEST(PropertiesBar, TwoTextsOfOneColourTakeRedTogetherAndOneUndoGivesBothBack) {
    CaptureControlTypes::RegisterAll();
    CFmtdesignFrm frame;
    DesignDocument& doc = frame.Document();
    doc.Insert(ControlTypeCode::ConsText, Point{100, -100});
    CControles& first = *doc.Selected();
    doc.Insert(ControlTypeCode::ConsText, Point{100, -300});
    CControles& second = *doc.Selected();
    doc.SetFontOfSelected(LogFont::Make(-60, 0, 700, QStringLiteral("Courier New")));
    doc.SelectAll();
    frame.ShowProperties();
    const PropertiesDialog& window = *frame.Properties();
    EXPECT_EQ(window.FieldText(D::ColorField), u"#000000");
    EXPECT_TRUE(window.FieldWidget(D::FontField)->isVisibleTo(&window));
    EXPECT_EQ(window.FieldText(D::FontField), u"");

    std::vector<QColor> offered;
    frame.SetColorChooser([&offered](const QColor& initial) {
        offered.push_back(initial);
        return std::optional<QColor>(Qt::red);
    });
    const QByteArray before = doc.Bytes();
    const int steps = doc.UndoStack().count();
    QTest::mouseClick(static_cast<QPushButton*>(window.FieldWidget(D::ColorField)), Qt::LeftButton);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(first.color, FromQColor(Qt::red));
    EXPECT_EQ(second.color, FromQColor(Qt::red));
    EXPECT_EQ(window.FieldText(D::ColorField), u"#FF0000");
    EXPECT_EQ(doc.UndoStack().count(), steps + 1);
    doc.UndoStack().undo();
    EXPECT_EQ(doc.Bytes(), before);
    EXPECT_EQ(window.FieldText(D::ColorField), u"#000000");

    // A font picked there goes to both as well.
    frame.SetFontChooser([](const QFont&, bool) {
        return std::optional<QFont>(QFont(QStringLiteral("Courier New"), 14));
    });
    QTest::mouseClick(static_cast<QPushButton*>(window.FieldWidget(D::FontField)), Qt::LeftButton);
    EXPECT_EQ(first.font, second.font);
    EXPECT_NE(window.FieldText(D::FontField), u"");
}

TEST(PropertiesBar, IsShownAgainWhereItWasLeft) {
    CaptureControlTypes::RegisterAll();
    CFmtdesignFrm frame;
    QAction* command = frame.CommandAction(CommandId::Properties);
    EXPECT_TRUE(command->isEnabled());
    EXPECT_EQ(frame.PropertiesBar(), nullptr);

    command->trigger();
    QDockWidget* bar = frame.PropertiesBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->windowTitle(), u"Propiedades");
    EXPECT_NE(qobject_cast<CSizingControlBar*>(bar), nullptr);
    EXPECT_TRUE(bar->isFloating());
    EXPECT_EQ(bar->allowedAreas(), Qt::NoDockWidgetArea);
    EXPECT_EQ(bar->pos(), QPoint(100, 50));
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(command->isChecked());

    bar->move(240, 130);
    QTest::mouseClick(static_cast<QPushButton*>(frame.Properties()->FieldWidget(D::CloseButton)),
                      Qt::LeftButton);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_FALSE(command->isChecked());

    command->trigger();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(command->isChecked());
    EXPECT_EQ(bar->pos(), QPoint(240, 130));

    // Enter in the view asks for the window as well, where a control is selected.
    bar->hide();
    frame.Document().Insert(ControlTypeCode::TextlineVar, Point{100, -100});
    QTest::keyClick(frame.View(), Qt::Key_Return);
    EXPECT_TRUE(bar->isVisible());
}

// The floating window is a window of its own: leaving it for the page with a refused number
// brings it back with the field, and Ctrl+S there saves the format of its design window.
TEST(PropertiesBar, KeepsTheFocusOnARefusedNumberAndSavesWithCtrlS) {
    CaptureControlTypes::RegisterAll();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cuadros.fmt"));
    CFmtdesignFrm frame;
    std::vector<QString> told;
    frame.SetMessenger([&told](const QString& message) { told.push_back(message); });
    frame.SetFileChooser([&path](CFmtdesignFrm::FormatDialog) { return path; });
    frame.show();
    auto& boxes = static_cast<CCuadrosVar&>(
        *frame.Document().Insert(ControlTypeCode::CuadrosVar, Point{100, -100}));
    frame.ShowProperties();
    QDockWidget* bar = frame.PropertiesBar();
    auto* count = static_cast<QLineEdit*>(frame.Properties()->FieldWidget(D::CountField));
    bar->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(bar));
    count->setFocus();
    count->selectAll();
    QTest::keyClicks(count, QStringLiteral("abc"));

    // A click on the page makes the design window the active one.
    frame.activateWindow();
    frame.View()->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(QTest::qWaitFor([&] { return told.size() == 1u; }));
    EXPECT_EQ(told[0], u"Introduzca un número entero.");
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == bar; }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == count; }));
    EXPECT_EQ(boxes.boxCount, 8);

    count->selectAll();
    QTest::keyClicks(count, QStringLiteral("10"));
    QTest::keyClick(count, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(boxes.boxCount, 10);
    EXPECT_FALSE(frame.Document().IsModified());
}

TEST_F(PropertiesTest, AFieldNameTakenByAnotherFieldIsRefused) {
    doc.Insert(ControlTypeCode::TextlineVar, Point{100, -100});
    doc.SetNameOfSelected(QStringLiteral("FOLIO"));
    doc.Insert(ControlTypeCode::DateInput, Point{100, -300});
    const QString name = doc.Selected()->text;
    Enter(D::NameField, QStringLiteral("Folio"));
    EXPECT_EQ(doc.Selected()->text, name);
    EXPECT_EQ(told, std::vector<QString>{QStringLiteral(
                        "Ya existe un campo llamado \"FOLIO\". Escriba otro nombre.")});
    Enter(D::NameField, QStringLiteral("FECHA"));
    EXPECT_EQ(doc.Selected()->text, u"FECHA");
}

} // namespace
