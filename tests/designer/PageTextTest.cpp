// Text typed on the page over the control that shows it, and texts sized to what they say, as a
// user works with them: double clicks and keys on the real view, the command of the window.
#include "DesignerTestSupport.h"

#include "capture_model/CTextlineVar.h"
#include "commands/CommandId.h"
#include "designer/CFmtdesignFrm.h"
#include "designer/CFmtdesignView.h"
#include "designer/FieldNames.h"
#include "designer/PageTextEditor.h"
#include "designer/TextFit.h"
#include "model/CConsParrafo.h"
#include "model/CConsText.h"
#include "model/CRectangulo.h"
#include "model/TrueScale.h"
#include "platform/PainterSurface.h"

#include <QAction>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

#include <memory>
#include <vector>

namespace {

class PageTextTest : public DesignerTest {
protected:
    PageTextTest() : view(doc) {
        view.resize(780, 580);
        view.SetScale(1.0);
        view.SetMessageReporter([this](const QString& m) { told.push_back(m); });
        view.show();
        view.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&view));
    }

    CControles& Add(std::unique_ptr<CControles> control) {
        doc.Controls().push_back(std::move(control));
        return *doc.Controls().back();
    }
    // The point 2 mm inside a control's lower-left corner.
    static Point Inside(const CControles& control) {
        const Rect r = control.pageRect.Normalized();
        return Point{r.left + 20, r.top + 20};
    }
    // As the window system gives a double click: a click, then a press that is also a double
    // click, then the release.
    void DoubleClick(const CControles& control) { DoubleClickAt(Inside(control)); }
    void DoubleClickAt(Point p) {
        QWidget* surface = view.viewport();
        const QPoint pixel = view.ToPixel(p);
        QTest::mouseMove(surface, pixel);
        QTest::mouseClick(surface, Qt::LeftButton, {}, pixel);
        QTest::mousePress(surface, Qt::LeftButton, {}, pixel);
        QTest::mouseDClick(surface, Qt::LeftButton, {}, pixel);
        QTest::mouseRelease(surface, Qt::LeftButton, {}, pixel);
    }
    QLineEdit* Line() const { return qobject_cast<QLineEdit*>(view.TextEditor().Editor()); }

    CFmtdesignView view;
    std::vector<QString> told;
};

TEST_F(PageTextTest, EscLeavesTheTextAndEnterAppliesItAsOneStep) {
    CControles& text = Add(CConsText::Create(100, -100, QStringLiteral("Texto")));
    const QByteArray before = doc.Bytes();
    view.SetZoom(200);

    DoubleClick(text);
    QLineEdit* line = Line();
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->selectedText(), u"Texto");
    EXPECT_TRUE(line->hasFocus());
    // The control's 4 mm, at twice the true size the view shows at a pixel a unit.
    EXPECT_EQ(line->font().pixelSize(), 80);
    EXPECT_EQ(line->font().family(), u"Arial");
    QTest::keyClicks(line, QStringLiteral("Nuevo"));
    QTest::keyClick(line, Qt::Key_Escape);
    EXPECT_FALSE(view.TextEditor().IsEditing());
    EXPECT_EQ(doc.Bytes(), before);
    EXPECT_EQ(doc.UndoStack().count(), 0);

    DoubleClick(text);
    ASSERT_NE(Line(), nullptr);
    QTest::keyClicks(Line(), QStringLiteral("Total a pagar"));
    QTest::keyClick(Line(), Qt::Key_Return);
    EXPECT_FALSE(view.TextEditor().IsEditing());
    EXPECT_EQ(text.text, u"Total a pagar");
    ASSERT_EQ(doc.UndoStack().count(), 1);
    EXPECT_TRUE(view.hasFocus()) << "the arrows and Delete act on the page again";
    doc.UndoStack().undo();
    EXPECT_EQ(doc.Bytes(), before);
    EXPECT_EQ(doc.Selection(), std::vector<int>{0});
    doc.UndoStack().redo();
    EXPECT_EQ(text.text, u"Total a pagar");
}

TEST_F(PageTextTest, AClickElsewhereOrAScrollAppliesWhatWasTyped) {
    CControles& first = Add(CConsText::Create(100, -100, QStringLiteral("Uno")));
    CControles& second = Add(CConsText::Create(100, -300, QStringLiteral("Dos")));
    DoubleClick(first);
    QTest::keyClicks(Line(), QStringLiteral("Fecha:"));
    // The click both applies the text and picks what it lands on.
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.ToPixel(Inside(second)));
    EXPECT_FALSE(view.TextEditor().IsEditing());
    EXPECT_EQ(first.text, u"Fecha:");
    EXPECT_EQ(doc.Selection(), std::vector<int>{1});

    DoubleClick(second);
    QTest::keyClicks(Line(), QStringLiteral("Lugar:"));
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->value() + 40);
    EXPECT_FALSE(view.TextEditor().IsEditing());
    EXPECT_EQ(second.text, u"Lugar:");
    EXPECT_EQ(doc.UndoStack().count(), 2);
}

TEST_F(PageTextTest, AParagraphTakesNewLinesAndCtrlEnterAppliesThem) {
    CControles& paragraph =
        Add(CConsParrafo::Create(100, -100, QStringLiteral("Primera\r\nSegunda")));
    DoubleClick(paragraph);
    auto* box = qobject_cast<QPlainTextEdit*>(view.TextEditor().Editor());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->toPlainText(), u"Primera\nSegunda");
    QTest::keyClicks(box, QStringLiteral("Una"));
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClicks(box, QStringLiteral("Dos"));
    EXPECT_TRUE(view.TextEditor().IsEditing());
    QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(paragraph.text, u"Una\r\nDos");
    EXPECT_EQ(doc.UndoStack().count(), 1);
}

TEST_F(PageTextTest, AFieldNameTakenByAnotherIsRefusedAsThePropertiesWindowRefusesIt) {
    Add(CTextlineVar::Create(100, -100)).text = QStringLiteral("FOLIO");
    CControles& total = Add(CTextlineVar::Create(100, -300));
    total.text = QStringLiteral("TOTAL");
    const QByteArray before = doc.Bytes();

    DoubleClick(total);
    ASSERT_NE(Line(), nullptr);
    EXPECT_EQ(Line()->selectedText(), u"TOTAL");
    QTest::keyClicks(Line(), QStringLiteral("folio"));
    QTest::keyClick(Line(), Qt::Key_Return);
    const QString refusal = FieldNames::Refusal(doc.Controls(), total, QStringLiteral("folio"));
    EXPECT_EQ(refusal, u"Ya existe un campo llamado \"FOLIO\". Escriba otro nombre.");
    EXPECT_EQ(told, std::vector<QString>{refusal});
    // The box stays for another try; Esc gives up.
    EXPECT_TRUE(view.TextEditor().IsEditing());
    QTest::keyClick(Line(), Qt::Key_Escape);
    EXPECT_EQ(doc.Bytes(), before);

    // An empty name is no name, and a free one passes.
    DoubleClick(total);
    QTest::keyClick(Line(), Qt::Key_Delete);
    QTest::keyClick(Line(), Qt::Key_Return);
    EXPECT_EQ(told.back(), u"El nombre del campo no puede quedar vacío.");
    QTest::keyClicks(Line(), QStringLiteral("IMPORTE"));
    QTest::keyClick(Line(), Qt::Key_Return);
    EXPECT_EQ(total.text, u"IMPORTE");
}

TEST_F(PageTextTest, ADoubleClickOnAControlWithoutTextOnlyPicksIt) {
    Add(CRectangulo::Create(100, -100));
    // On its stroke: a rectangle is picked only there.
    const PageRect& r = doc.ControlAt(0)->pageRect;
    DoubleClickAt(Point{r.left, (r.top + r.bottom) / 2});
    EXPECT_FALSE(view.TextEditor().IsEditing());
    EXPECT_EQ(doc.Selection(), std::vector<int>{0});
}

// ---- Texts sized to what they say ---------------------------------------------------------

// The control drawn alone at scale pixels a unit as the view draws it, its upper-left corner
// near the picture's.
QImage Drawn(const CControles& control, double scale) {
    QImage image(1400, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterSurface::DeviceInfo info;
    info.dpiX = info.dpiY = scale * 254.0;
    PainterSurface dc(painter, info);
    dc.SetMapMode(MapMode::LoMetric);
    dc.SetBkMode(BkMode::Transparent);
    const Rect r = control.pageRect.Normalized(); // bottom is the upper edge
    const auto pixel = [scale](int units) { return static_cast<int>(units * scale); };
    dc.SetViewportOrg(Point{20 - pixel(r.left + 50), 20 + pixel(r.bottom - 50)});
    control.Draw(dc);
    return image;
}

// Whether a fitted text shows whole at every zoom: drawn in its box and in a box far larger on
// the sides it grows to, it looks the same.
void ExpectWhole(const CControles& fitted) {
    const bool paragraph = fitted.Type() == ControlTypeCode::ConsParrafo;
    const auto copy = [&](int wider, int deeper) {
        std::unique_ptr<CControles> c =
            paragraph ? std::unique_ptr<CControles>(CConsParrafo::Create(0, 0, fitted.text))
                      : std::unique_ptr<CControles>(CConsText::Create(0, 0, fitted.text));
        c->font = fitted.font;
        c->alignment = fitted.alignment;
        c->pageRect = fitted.pageRect;
        c->pageRect.right += wider;
        if (paragraph)
            c->pageRect.bottom -= deeper;
        return c;
    };
    const auto asFitted = copy(0, 0);
    const auto roomy = copy(3000, 1000);
    for (double scale : {TrueScale::kPixelsPerInch / 254.0, 0.5, 1.0, 1.5}) {
        EXPECT_EQ(Drawn(*asFitted, scale), Drawn(*roomy, scale))
            << fitted.text.toStdString() << " cut at " << scale << " pixels a unit";
    }
}

TEST_F(DesignerTest, ANewTextIsAsWideAsItsTextInItsFont) {
    CControles* text = doc.Insert(ControlTypeCode::ConsText, Point{100, -100});
    ASSERT_NE(text, nullptr);
    const PageRect r = text->pageRect;
    // Left edge and height kept, the right edge on the millimetre grid, narrower than the 4 cm
    // it once took: "Linea constante" in Arial 4 mm.
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top - r.bottom, 45);
    EXPECT_EQ(r.Width() % 10, 0);
    EXPECT_LT(r.Width(), 400);
    ExpectWhole(*text);

    // One taking a larger font from the text before it is wider.
    doc.SetFontOfSelected(LogFont::Make(-90, 0, 700, QStringLiteral("Arial")));
    CControles* large = doc.Insert(ControlTypeCode::ConsText, Point{100, -600});
    EXPECT_GT(large->pageRect.Width(), 2 * r.Width());
    ExpectWhole(*large);
}

TEST_F(DesignerTest, FitToTextGrowsAndShrinksEachSelectedTextAsOneStep) {
    auto narrow = CConsText::Create(100, -100, QStringLiteral("Nombre del contribuyente:"));
    narrow->pageRect.right = 200;
    auto wide = CConsText::Create(100, -300, QStringLiteral("RFC"));
    wide->alignment = 2; // right: the text keeps its right edge
    wide->pageRect.right = 1500;
    doc.Controls().push_back(std::move(narrow));
    doc.Controls().push_back(std::move(wide));
    doc.Controls().push_back(CRectangulo::Create(100, -600));
    const QByteArray before = doc.Bytes();

    doc.SelectAll();
    doc.FitSelectionToText();
    const CControles& grown = *doc.ControlAt(0);
    const CControles& shrunk = *doc.ControlAt(1);
    EXPECT_GT(grown.pageRect.Width(), 400);
    ExpectWhole(grown);
    EXPECT_LT(shrunk.pageRect.Width(), 200);
    EXPECT_EQ(shrunk.pageRect.right, 1500);
    EXPECT_EQ(doc.ControlAt(2)->pageRect, CRectangulo::Create(100, -600)->pageRect);
    ASSERT_EQ(doc.UndoStack().count(), 1);
    doc.UndoStack().undo();
    EXPECT_EQ(doc.Bytes(), before);

    // A new paragraph shows each of its two lines whole, one under the other.
    doc.Select(-1);
    CControles* paragraph = doc.Insert(ControlTypeCode::ConsParrafo, Point{100, -100});
    EXPECT_EQ(paragraph->pageRect.top, -100);
    EXPECT_GT(paragraph->pageRect.Normalized().Height(), 2 * 45);
    EXPECT_LT(paragraph->pageRect.Normalized().Height(), 3 * 45);
    ExpectWhole(*paragraph);
}

TEST_F(DesignerTest, FitToTextIsGreyedWithoutATextSelected) {
    CFmtdesignFrm frame;
    DesignDocument& d = frame.Document();
    d.Controls().push_back(CRectangulo::Create(100, -600));
    auto text = CConsText::Create(100, -100, QStringLiteral("Importe"));
    text->pageRect.right = 1000;
    d.Controls().push_back(std::move(text));
    QAction* fit = frame.CommandAction(CommandId::FitToText);
    d.Select(0);
    EXPECT_FALSE(fit->isEnabled());
    d.ToggleSelected(1);
    EXPECT_TRUE(fit->isEnabled());
    fit->trigger();
    EXPECT_LT(d.ControlAt(1)->pageRect.right, 1000);
}

} // namespace
