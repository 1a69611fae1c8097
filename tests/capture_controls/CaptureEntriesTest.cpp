// The entry widgets of a capture document: what the user does in them reaches the document, and
// what the document does shows in them.
#include "capture_controls/CaptureEntries.h"
#include "capture_model/CCuadrosVar.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CaptureDocument.h"
#include "capture_model/CaptureScreenForm.h"
#include "grid/CEditCell.h"
#include "grid/CVrGrid.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A quantity, a price, their product, a code in 5 boxes, a mark and an invoice's lines.
struct Screen {
    Screen() {
        QLocale::setDefault(QLocale::c());
        CaptureScreenForm form;
        form.Line(QStringLiteral("CANTIDAD"), 1, 10, 10);
        form.Line(QStringLiteral("PRECIO"), 2, 10, 40);
        form.Line(QStringLiteral("IMPORTE"), 3, 10, 70, QStringLiteral("CANTIDAD*PRECIO"));
        auto code = CCuadrosVar::Create(100, -900);
        code->text = QStringLiteral("CLAVE");
        code->captureOrder = 4;
        code->SetBoxCount(5);
        form.format.controls.push_back(std::move(code));
        auto mark = CMarcaVar::Create(100, -1100);
        mark->text = QStringLiteral("PAGADO");
        mark->captureOrder = 5;
        form.format.controls.push_back(std::move(mark));
        form.Partidas(6, 10, 100);
        document.OpenFormat(form.Save(dir));
        widget.resize(400, 300);
        entries.Build();
        widget.show();
        widget.activateWindow();
        active = QTest::qWaitForWindowActive(&widget);
    }
    template <typename W>
    W* Entry(const QString& name) {
        return qobject_cast<W*>(entries.Widget(*document.FindField(name)));
    }
    QString Text(const QString& name) {
        return dynamic_cast<CTextlineVar*>(document.FindField(name))->Value();
    }

    QTemporaryDir dir;
    CaptureDocument document;
    QWidget widget;
    CaptureEntries entries{document, widget, QFont()};
    bool active = false;
};

TEST(CaptureEntriesTest, EveryCaptureFieldGetsItsWidgetInListOrder) {
    Screen screen;
    ASSERT_EQ(screen.entries.Entries().size(), 6u);
    EXPECT_EQ(screen.entries.Entries()[0].field->text, "CANTIDAD");
    EXPECT_NE(screen.Entry<QLineEdit>(QStringLiteral("CLAVE")), nullptr);
    EXPECT_NE(screen.Entry<QCheckBox>(QStringLiteral("PAGADO")), nullptr);
    EXPECT_NE(screen.Entry<CVrGrid>(QStringLiteral("PARTIDAS")), nullptr);
    EXPECT_EQ(screen.Entry<QLineEdit>(QStringLiteral("PRECIO"))->geometry(),
              QRect(10, 40, 150, 20));
    // Building again replaces the widgets rather than adding to them.
    screen.entries.Build();
    EXPECT_EQ(screen.entries.Entries().size(), 6u);
    EXPECT_EQ(screen.widget.findChildren<QCheckBox*>().size(), 1);
}

TEST(CaptureEntriesTest, TypingReachesTheDocumentAndItsResultsShowInTheWidgets) {
    Screen screen;
    ASSERT_TRUE(screen.active);
    QLineEdit* quantity = screen.Entry<QLineEdit>(QStringLiteral("CANTIDAD"));
    QLineEdit* price = screen.Entry<QLineEdit>(QStringLiteral("PRECIO"));
    QLineEdit* amount = screen.Entry<QLineEdit>(QStringLiteral("IMPORTE"));
    quantity->setFocus();
    QTest::keyClicks(quantity, QStringLiteral("3"));
    EXPECT_EQ(screen.Text(QStringLiteral("CANTIDAD")), "3");
    price->setFocus();
    QTest::keyClicks(price, QStringLiteral("2.5"));
    quantity->setFocus();
    EXPECT_EQ(screen.Text(QStringLiteral("IMPORTE")), "7.50");
    EXPECT_EQ(amount->text(), "7.50");
    EXPECT_EQ(price->text(), "2.50") << "leaving the field reformats it on the screen too";

    // The boxes stop the keyboard at the last box.
    QLineEdit* code = screen.Entry<QLineEdit>(QStringLiteral("CLAVE"));
    code->setFocus();
    QTest::keyClicks(code, QStringLiteral("abcdefg"));
    EXPECT_EQ(code->text(), "abcde");
    EXPECT_EQ(
        dynamic_cast<CCuadrosVar*>(screen.document.FindField(QStringLiteral("CLAVE")))->Value(),
        "abcde");

    QTest::mouseClick(screen.Entry<QCheckBox>(QStringLiteral("PAGADO")), Qt::LeftButton);
    EXPECT_TRUE(
        dynamic_cast<CMarcaVar*>(screen.document.FindField(QStringLiteral("PAGADO")))->IsChecked());

    // What the document does without the keyboard shows as well, and clearing empties the screen.
    screen.document.TypeText(*screen.document.FindField(QStringLiteral("CANTIDAD")),
                             QStringLiteral("8"));
    EXPECT_EQ(quantity->text(), "8");
    screen.document.ClearValues();
    EXPECT_TRUE(quantity->text().isEmpty());
    EXPECT_TRUE(amount->text().isEmpty());
    EXPECT_TRUE(code->text().isEmpty());
    EXPECT_FALSE(screen.Entry<QCheckBox>(QStringLiteral("PAGADO"))->isChecked());
}

TEST(CaptureEntriesTest, ACellConfirmedInTheGridIsTheDocumentsWithItsRow) {
    Screen screen;
    auto* grid = screen.Entry<CVrGrid>(QStringLiteral("PARTIDAS"));
    auto& table = dynamic_cast<CFmtGrid&>(*screen.document.FindField(QStringLiteral("PARTIDAS")));
    int told = 0;
    QObject::connect(&screen.entries, &CaptureEntries::tableEdited, [&told] { ++told; });
    grid->SetCurrentCell(1, 1);
    grid->BeginEdit(0);
    grid->EditBox()->setText(QStringLiteral("2"));
    grid->EndEdit(Qt::Key_Return);
    grid->SetCurrentCell(2, 1);
    grid->BeginEdit(0);
    grid->EditBox()->setText(QStringLiteral("4"));
    grid->EndEdit(Qt::Key_Return);
    EXPECT_EQ(table.Cells().GetCell(1, 1), "2.00");
    EXPECT_EQ(table.Cells().GetCell(3, 1), "8.00");
    EXPECT_EQ(told, 2);
}

} // namespace
