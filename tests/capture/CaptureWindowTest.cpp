#include "capture_model/CaptureScreenForm.h"
#include "commands/CommandId.h"

#include "capture/CFmtcapturaFrm.h"
#include "capture/CFmtcaptureView.h"
#include "capture/PrinterDialogs.h"
#include "capture_controls/CCaptureEdit.h"
#include "capture_model/CalculatedFields.h"
#include "capture_model/CaptureDocument.h"
#include "grid/CEditCell.h"
#include "grid/CVrGrid.h"
#include "model/FormatError.h"
#include "platform_widgets/WrongEntry.h"

#include <QApplication>
#include <QFile>
#include <QFocusEvent>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPrinter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

int IdOf(const QWidget* widget) {
    return widget ? widget->property("captureId").toInt() : 0;
}

// Shows the view as a window of its own and waits until it has the keyboard.
void ShowActive(QWidget& window) {
    window.resize(500, 400);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

QLineEdit* EditOf(CFmtcaptureView& view, int id) {
    return qobject_cast<QLineEdit*>(view.EntryWidget(id));
}

// The focus leaves a field, as Tab takes it elsewhere.
void Leave(QWidget* field) {
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(field, &leave);
}

// Three fields whose capture order is not their order in the list.
CaptureScreenForm ThreeFields() {
    CaptureScreenForm form;
    form.Line("TERCERO", 3, 100, 90);
    form.Line("PRIMERO", 1, 100, 10);
    form.Line("SEGUNDO", 2, 100, 50);
    return form;
}

} // namespace

TEST(CaptureWindowTest, FieldsTakeTheKeyboardInCaptureOrder) {
    QTemporaryDir dir;
    CaptureScreenForm form = ThreeFields();
    CaptureDocument document;
    CFmtcaptureView view(document);
    document.OpenFormat(form.Save(dir));
    ShowActive(view);

    for (int id : {1174, 1175, 1176}) {
        ASSERT_NE(view.EntryWidget(id), nullptr) << id;
        EXPECT_EQ(IdOf(view.EntryWidget(id)), id);
        EXPECT_EQ(view.EntryWidget(id)->parentWidget(), view.Screen());
    }
    EXPECT_EQ(view.EntryWidget(1177), nullptr);
    EXPECT_EQ(view.EntryWidget(1174)->geometry(), QRect(100, 10, 150, 20));

    // The focus starts in the first field; Tab and Enter both go on in capture order and come
    // back round to the first.
    EXPECT_EQ(IdOf(QApplication::focusWidget()), 1174);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(IdOf(QApplication::focusWidget()), 1175);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(IdOf(QApplication::focusWidget()), 1176);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(IdOf(QApplication::focusWidget()), 1174);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(IdOf(QApplication::focusWidget()), 1175);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(IdOf(QApplication::focusWidget()), 1176);
}

TEST(CaptureWindowTest, ScreenLargerThanTheWindowScrollsToTheField) {
    QTemporaryDir dir;
    CaptureScreenForm form;
    form.Line("ARRIBA", 1, 100, 10);
    form.Line("ABAJO", 2, 100, 600);
    CaptureDocument document;
    CFmtcaptureView view(document);
    document.OpenFormat(form.Save(dir));
    ShowActive(view);
    view.resize(300, 200);
    QApplication::processEvents();
    EXPECT_EQ(view.Screen()->size(), QSize(258, 628));
    EXPECT_EQ(view.verticalScrollBar()->value(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(IdOf(QApplication::focusWidget()), 1175);
    EXPECT_GT(view.verticalScrollBar()->value(), 400);
}

TEST(CaptureWindowTest, FormatWithoutCaptureFieldsOpensWithoutFocus) {
    QTemporaryDir dir;
    CaptureScreenForm form;
    form.Label("Sólo constantes", 10, 10);
    CaptureDocument document;
    CFmtcaptureView view(document);
    EXPECT_TRUE(document.OpenFormat(form.Save(dir)).isEmpty());
    ShowActive(view);
    EXPECT_EQ(document.Controls().size(), 1u);
    EXPECT_EQ(view.EntryWidget(1174), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), nullptr);
    ASSERT_NE(document.Calculation(), nullptr);
    EXPECT_TRUE(document.Calculation()->FieldList().empty());
    EXPECT_EQ(document.FormatName(), "forma.fmt");
}

TEST(CaptureWindowTest, LeavingAFieldRecomputesTheFieldsThatNameIt) {
    QTemporaryDir dir;
    CaptureScreenForm form;
    form.Line("CANTIDAD", 1, 100, 10);
    form.Line("PRECIO", 2, 100, 40);
    form.Line("IMPORTE", 3, 100, 70, "CANTIDAD*PRECIO");
    CaptureDocument document;
    CFmtcaptureView view(document);
    document.OpenFormat(form.Save(dir));
    ShowActive(view);
    ASSERT_EQ(document.Calculation()->FieldList(), std::vector<std::int32_t>{1176});

    // Calculated fields start empty and follow as soon as a field they name is left.
    EXPECT_EQ(EditOf(view, 1176)->text(), "");
    QTest::keyClicks(EditOf(view, 1174), "3");
    QTest::keyClick(EditOf(view, 1174), Qt::Key_Tab);
    QTest::keyClicks(EditOf(view, 1175), "2.5");
    EXPECT_EQ(EditOf(view, 1176)->text(), "0.00");
    QTest::keyClick(EditOf(view, 1175), Qt::Key_Return);
    EXPECT_EQ(EditOf(view, 1176)->text(), "7.50");

    // "Limpiar" empties every field and forgets what the calculation kept: the same entry again
    // gives the same result.
    document.ClearValues();
    for (int id : {1174, 1175, 1176})
        EXPECT_EQ(EditOf(view, id)->text(), "") << id;
    EditOf(view, 1174)->setFocus();
    QTest::keyClicks(EditOf(view, 1174), "3");
    QTest::keyClick(EditOf(view, 1174), Qt::Key_Tab);
    QTest::keyClicks(EditOf(view, 1175), "2.5");
    QTest::keyClick(EditOf(view, 1175), Qt::Key_Tab);
    EXPECT_EQ(EditOf(view, 1176)->text(), "7.50");
}

TEST(CaptureWindowTest, TableTotalsReachTheFieldsOnTheScreen) {
    QTemporaryDir dir;
    CaptureScreenForm form;
    form.settings.decimals = 3;
    form.Partidas(1, 20, 20);
    form.Line("SUBTOTAL", 2, 100, 160, "PARTIDAS&IMPORTE");
    form.Line("IVA", 3, 100, 190, "SUBTOTAL*0.16");
    CaptureDocument document;
    CFmtcaptureView view(document);
    document.OpenFormat(form.Save(dir));
    auto* table = dynamic_cast<CFmtGrid*>(document.Controls()[0].get());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(IdOf(view.EntryWidget(1174)), 1174);
    ASSERT_NE(qobject_cast<CVrGrid*>(view.EntryWidget(*table)), nullptr);

    // The user confirms cells: the row's product, then the total and what is computed from it,
    // with the format's own decimals, reach the screen.
    auto edit = [table, &document](int column, int row, const QString& text) {
        document.ConfirmCell(*table, column, row, text);
    };
    edit(1, 1, "2");
    edit(2, 1, "3");
    edit(1, 2, "1");
    edit(2, 2, "4");
    EXPECT_EQ(table->Cells().GetCell(3, 1), "6.000");
    EXPECT_EQ(EditOf(view, 1175)->text(), "10.000");
    EXPECT_EQ(EditOf(view, 1176)->text(), "1.600");
}

TEST(CaptureWindowTest, DeletingRowsThroughTheGridMovesTheLaterRowsUp) {
    QTemporaryDir dir;
    CaptureScreenForm form;
    form.Partidas(1, 20, 20, 5);
    form.Line("SUBTOTAL", 2, 100, 160, "PARTIDAS&IMPORTE");
    CaptureDocument document;
    CFmtcaptureView view(document);
    document.OpenFormat(form.Save(dir));
    CFmtGrid* table = dynamic_cast<CFmtGrid*>(document.Controls()[0].get());
    ASSERT_NE(table, nullptr);
    auto* grid = qobject_cast<CVrGrid*>(view.EntryWidget(*table));
    ASSERT_NE(grid, nullptr);

    // The quantity of row r is r and its price 2, typed into the cells as a user does.
    auto type = [grid](int column, int row, char digit) {
        grid->SetCurrentCell(column, row);
        grid->BeginEdit(digit);
        grid->EndEdit(Qt::Key_Return);
    };
    for (int row = 1; row <= 5; ++row) {
        type(1, row, static_cast<char>('0' + row));
        type(2, row, '2');
    }
    EXPECT_EQ(EditOf(view, 1175)->text(), "30.00");
    const QString fourth = table->Cells().GetCell(1, 4);
    const QString fifth = table->Cells().GetCell(1, 5);
    EXPECT_FALSE(fourth.isEmpty());
    const int rowLimit = grid->GetRowLimit();

    grid->SelectRows(2, 3);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(table->Cells().GetCell(1, 2), fourth);
    EXPECT_EQ(table->Cells().GetCell(1, 3), fifth);
    for (int row : {4, 5}) {
        for (int column = 1; column <= 3; ++column)
            EXPECT_EQ(table->Cells().GetCell(column, row), "") << column << "," << row;
    }
    EXPECT_EQ(grid->GetRowLimit(), rowLimit - 2);
    EXPECT_EQ(EditOf(view, 1175)->text(), "20.00");
}

TEST(CaptureWindowTest, EachWindowFormatsWithItsOwnFormatsSettings) {
    QTemporaryDir dir;
    // One layout saved twice, with the settings of two countries.
    CaptureScreenForm form;
    form.settings.decimals = 0;
    form.Line("TOTAL", 1, 100, 10);
    form.Line("LETRA", 2, 100, 40, "$TOTAL");
    const QString pesos = form.Save(dir, QStringLiteral("pesos.fmt"));
    form.settings.decimals = 3;
    form.settings.currencyName = QStringLiteral("DOLARES");
    form.settings.postfix = QStringLiteral("USD");
    const QString dollars = form.Save(dir, QStringLiteral("dolares.fmt"));
    CaptureDocument pesosDocument;
    CaptureDocument dollarsDocument;
    CFmtcaptureView first(pesosDocument);
    CFmtcaptureView second(dollarsDocument);
    pesosDocument.OpenFormat(pesos);
    dollarsDocument.OpenFormat(dollars);
    ShowActive(first);
    ShowActive(second);

    for (CFmtcaptureView* view : {&first, &second}) {
        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view));
        EditOf(*view, 1174)->setFocus();
        QTest::keyClicks(EditOf(*view, 1174), "1234.25");
        QTest::keyClick(EditOf(*view, 1174), Qt::Key_Tab);
    }
    EXPECT_EQ(EditOf(first, 1174)->text(), "1234");
    EXPECT_EQ(EditOf(first, 1175)->text(), "UN MIL DOSCIENTOS TREINTA Y CUATRO PESOS 25/100 M.N.");
    EXPECT_EQ(EditOf(second, 1174)->text(), "1234.250");
    EXPECT_EQ(EditOf(second, 1175)->text(),
              "UN MIL DOSCIENTOS TREINTA Y CUATRO DOLARES 25/100 USD");
}

TEST(CaptureWindowTest, TwoWindowsOnOneFormatKeepTheirOwnValues) {
    QTemporaryDir dir;
    CaptureScreenForm form = ThreeFields();
    form.settings.decimals = 3;
    const QString path = form.Save(dir);
    CaptureDocument firstDocument;
    CaptureDocument secondDocument;
    CFmtcaptureView first(firstDocument);
    CFmtcaptureView second(secondDocument);
    firstDocument.OpenFormat(path);
    secondDocument.OpenFormat(path);
    EditOf(first, 1175)->setText("uno");
    EXPECT_EQ(EditOf(second, 1175)->text(), "");
    EXPECT_NE(EditOf(first, 1175), EditOf(second, 1175));
    EXPECT_EQ(firstDocument.Settings().decimals, 3);
    EXPECT_EQ(secondDocument.Settings().decimals, 3);
}

TEST(CaptureWindowTest, AFormatThatCannotBeReadLeavesTheWindowAsItWas) {
    QTemporaryDir dir;
    CaptureScreenForm form = ThreeFields();
    CaptureDocument document;
    CFmtcaptureView view(document);
    document.OpenFormat(form.Save(dir));
    EditOf(view, 1174)->setText("guardado");

    const QString damaged = dir.filePath("dañado.fmt");
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromHex("0500000041424344"));
    file.close();
    EXPECT_THROW(document.OpenFormat(damaged), FormatError);
    EXPECT_THROW(document.OpenFormat(dir.filePath("no existe.fmt")), FormatError);
    EXPECT_EQ(document.Controls().size(), 3u);
    ASSERT_NE(EditOf(view, 1174), nullptr);
    EXPECT_EQ(EditOf(view, 1174)->text(), "guardado");
    EXPECT_EQ(document.FormatName(), "forma.fmt");
}

TEST(CaptureWindowTest, FrameCaptionMenuAndToolbar) {
    QTemporaryDir dir;
    CaptureScreenForm form = ThreeFields();
    const QString path = form.Save(dir, "factura.fmt");
    QMdiArea area;
    auto* frame = new CFmtcapturaFrm;
    area.addSubWindow(frame);
    EXPECT_EQ(frame->windowTitle(), "Pantalla de captura - (nuevo)");

    QSignalSpy captions(frame, &CFmtcapturaFrm::captionChanged);
    QSignalSpy opened(frame, &CFmtcapturaFrm::formatOpened);
    frame->OpenFormat(path);
    EXPECT_EQ(frame->windowTitle(), "Pantalla de captura - " + path);
    EXPECT_EQ(frame->Path(), path);
    EXPECT_GE(captions.count(), 1);
    ASSERT_EQ(opened.count(), 1);
    EXPECT_EQ(opened.at(0).at(0).toString(), path);

    QStringList titles;
    for (const QMenu* menu : frame->Menus())
        titles << menu->title();
    EXPECT_EQ(titles, QStringList({"&Archivo", "&Ver", "A&yuda"}));
    QAction* clear = frame->CommandAction(CommandId::Clear);
    EXPECT_EQ(clear->text(), "&Limpiar formato");
    EXPECT_EQ(clear->statusTip(), "Borra el formato");
    EXPECT_TRUE(frame->CommandAction(CommandId::Print)->isEnabled());
    EXPECT_TRUE(frame->CommandAction(CommandId::Margins)->isEnabled());
    QStringList tips;
    for (const QAction* button : frame->ToolBar()->actions()) {
        if (!button->isSeparator())
            tips << button->toolTip();
    }
    EXPECT_EQ(tips, QStringList({"Abrir captura", "Imprimir", "Vista preliminar", "Márgenes",
                                 "Limpiar", "Acerca de"}));

    // The prompt of the command under the pointer goes to the window's status bar; the toolbar
    // comes and goes with its command.
    clear->hover();
    EXPECT_EQ(frame->StatusBar()->currentMessage(), "Borra el formato");
    QAction* toolBar = frame->CommandAction(CommandId::ToolBar);
    EXPECT_TRUE(toolBar->isChecked());
    toolBar->trigger();
    EXPECT_TRUE(frame->ToolBar()->isHidden());
    toolBar->trigger();
    EXPECT_FALSE(frame->ToolBar()->isHidden());

    // "Limpiar" from the menu empties the fields, once the typed value may go.
    auto* edit = EditOf(*frame->View(), 1175);
    edit->setText("12");
    frame->SetSaveAsker([](const QString&) { return SaveQuestion::Answer::Discard; });
    clear->trigger();
    EXPECT_EQ(edit->text(), "");
}

TEST(CaptureWindowTest, ScreenShowsCaptionsAndLabels) {
    QTemporaryDir dir;
    CaptureScreenForm form;
    form.format.screenExtent = ScreenRect{0, 0, 300, 100};
    form.Line("NOMBRE", 1, 150, 20);
    form.Label("Datos", 10, 60);
    // A field beyond the stored extent still fits on the screen.
    form.Line("LEJOS", 2, 150, 200);
    CaptureDocument document;
    CFmtcaptureView view(document);
    document.OpenFormat(form.Save(dir));
    EXPECT_EQ(view.Screen()->size(), QSize(308, 228));

    const QImage screen = view.Screen()->grab().toImage();
    // The caption "NOMBRE:" ends 2 pixels left of its field; the label stands at its place;
    // nothing is drawn where no control is.
    auto inkIn = [&screen](const QRect& area) {
        int dark = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                dark += qGray(screen.pixel(x, y)) < 128 ? 1 : 0;
        return dark;
    };
    EXPECT_GT(inkIn(QRect(100, 20, 48, 20)), 20);
    EXPECT_EQ(inkIn(QRect(0, 20, 40, 20)), 0);
    EXPECT_GT(inkIn(QRect(10, 60, 40, 18)), 20);
    EXPECT_EQ(inkIn(QRect(0, 120, 140, 60)), 0);
}

namespace {

// A capture window on a format, with its file dialog, message box and save question replaced:
// the dialog answers with the next path given (an empty one cancels) and counts its questions,
// keeping the name it offered; the save question is answered with saveAnswer.
struct CaptureFrame {
    QMdiArea area;
    CFmtcapturaFrm* frame = new CFmtcapturaFrm;
    QStringList answers;
    int questions = 0;
    QString offered;
    QStringList messages;
    QStringList saveQuestions;
    SaveQuestion::Answer saveAnswer = SaveQuestion::Answer::Discard;

    explicit CaptureFrame(const QString& formatPath) {
        area.addSubWindow(frame);
        frame->OpenFormat(formatPath);
        frame->SetFileChooser([this](CFmtcapturaFrm::CaptureDialog, const QString& name) {
            ++questions;
            offered = name;
            return answers.isEmpty() ? QString() : answers.takeFirst();
        });
        frame->SetMessenger([this](const QString& message) { messages << message; });
        frame->SetSaveAsker([this](const QString& question) {
            saveQuestions << question;
            return saveAnswer;
        });
    }
    QLineEdit* Edit(int id) { return EditOf(*frame->View(), id); }
    void Run(CommandId id) { frame->CommandAction(id)->trigger(); }
};

CFmtGrid* TableOf(const CaptureDocument& document) {
    for (const auto& control : document.Controls()) {
        if (auto* table = dynamic_cast<CFmtGrid*>(control.get()))
            return table;
    }
    return nullptr;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(CaptureWindowTest, SavedCaptureLoadsIntoASecondWindow) {
    QTemporaryDir dir;
    CaptureScreenForm form = ThreeFields();
    form.Partidas(4, 10, 130);
    const QString format = form.Save(dir, "factura.fmt");
    CaptureFrame first(format);
    for (auto id : {CommandId::SaveCapture, CommandId::SaveCaptureAs, CommandId::OpenCapturedData})
        EXPECT_TRUE(first.frame->CommandAction(id)->isEnabled()) << static_cast<int>(id);
    EXPECT_EQ(first.frame->CommandAction(CommandId::OpenCapturedData)->statusTip(),
              "Abre un archivo con datos previamente capturados");

    // A cancelled dialog writes nothing and leaves no current file.
    first.Run(CommandId::SaveCapture);
    EXPECT_EQ(first.questions, 1);
    EXPECT_TRUE(first.frame->Document().CapturedDataPath().isEmpty());

    first.Edit(1174)->setText("uno");
    first.Edit(1175)->setText("dos");
    first.Edit(1176)->setText("tres");
    const QString cap = dir.filePath("datos.cap");
    first.answers << cap;
    first.Run(CommandId::SaveCapture);
    EXPECT_EQ(first.questions, 2);
    EXPECT_EQ(first.frame->Document().CapturedDataPath(), cap);

    // "Limpiar" keeps the current file: the next save overwrites it without asking.
    first.Run(CommandId::Clear);
    first.Edit(1175)->setText("otro");
    first.Run(CommandId::SaveCapture);
    EXPECT_EQ(first.questions, 2);
    EXPECT_TRUE(Contents(cap).contains("otro"));
    EXPECT_FALSE(Contents(cap).contains("uno"));

    // "Guardar captura como..." always asks.
    const QString copy = dir.filePath("copia.cap");
    first.Edit(1174)->setText("uno");
    CFmtGrid* table = TableOf(first.frame->Document());
    ASSERT_NE(table, nullptr);
    table->Cells().SetCell(1, 2, "3", false);
    table->Cells().SetCell(2, 2, "1.5", false);
    first.answers << copy;
    first.Run(CommandId::SaveCaptureAs);
    EXPECT_EQ(first.questions, 3);
    EXPECT_EQ(first.frame->Document().CapturedDataPath(), copy);

    CaptureFrame second(format);
    second.Edit(1176)->setText("previo");
    second.answers << copy;
    second.Run(CommandId::OpenCapturedData);
    EXPECT_TRUE(second.messages.isEmpty()) << second.messages.join('\n').toStdString();
    EXPECT_EQ(second.Edit(1174)->text(), "uno");
    EXPECT_EQ(second.Edit(1175)->text(), "otro");
    EXPECT_EQ(second.Edit(1176)->text(), "");
    CFmtGrid* loaded = TableOf(second.frame->Document());
    ASSERT_NE(loaded, nullptr);
    for (int column : {1, 2, 3})
        EXPECT_EQ(loaded->Cells().GetCell(column, 2), table->Cells().GetCell(column, 2)) << column;
    EXPECT_FALSE(loaded->Cells().GetCell(2, 2).isEmpty());
    EXPECT_EQ(second.frame->Document().CapturedDataPath(), copy);
    EXPECT_TRUE(first.messages.isEmpty());

    // A save that fails tells why, and the chosen path stays the current file.
    const QString nowhere = dir.filePath("no existe/datos.cap");
    second.answers << nowhere;
    second.Run(CommandId::SaveCaptureAs);
    EXPECT_EQ(second.messages.size(), 1);
    EXPECT_EQ(second.frame->Document().CapturedDataPath(), nowhere);
}

TEST(CaptureWindowTest, CaptureAnotherWindowHasIsNotWrittenOver) {
    QTemporaryDir dir;
    const QString format = ThreeFields().Save(dir, "factura.fmt");
    CaptureFrame first(format);
    first.Edit(1174)->setText("uno");
    const QString cap = dir.filePath("datos.cap");
    first.answers << cap;
    first.Run(CommandId::SaveCapture);
    ASSERT_TRUE(first.messages.isEmpty());
    const QByteArray saved = Contents(cap);

    // Another window reads the values, but neither "Guardar captura" nor a "Guardar captura
    // como..." onto that file writes over them.
    CaptureFrame second(format);
    second.answers << cap;
    second.Run(CommandId::OpenCapturedData);
    EXPECT_EQ(second.Edit(1174)->text(), "uno");
    second.Edit(1174)->setText("otro");
    second.Run(CommandId::SaveCapture);
    second.answers << cap;
    second.Run(CommandId::SaveCaptureAs);
    ASSERT_EQ(second.messages.size(), 2);
    EXPECT_TRUE(second.messages.at(0).startsWith("datos.cap está abierto por "));
    EXPECT_EQ(second.messages.at(1), second.messages.at(0));
    EXPECT_EQ(Contents(cap), saved);

    // Once the first window let it go, the file is the second's to write.
    first.frame->close();
    second.Run(CommandId::SaveCapture);
    EXPECT_EQ(second.messages.size(), 2);
    EXPECT_TRUE(Contents(cap).contains("otro"));
}

TEST(CaptureWindowTest, CaptureThatCannotBeLoadedChangesNoValue) {
    QTemporaryDir dir;
    const QString other = ThreeFields().Save(dir, "Factura.fmt");
    CaptureFrame foreign(other);
    const QString foreignCap = dir.filePath("ajeno.cap");
    foreign.answers << foreignCap;
    foreign.Run(CommandId::SaveCaptureAs);

    CaptureFrame window(ThreeFields().Save(dir, "factura.fmt"));
    window.Edit(1174)->setText("uno");
    window.Edit(1175)->setText("dos");
    const QString cap = dir.filePath("datos.cap");
    window.answers << cap;
    window.Run(CommandId::SaveCaptureAs);

    CaptureFrame target(window.frame->Path());
    target.Edit(1174)->setText("antes");
    target.answers << foreignCap;
    target.Run(CommandId::OpenCapturedData);
    EXPECT_EQ(target.messages, QStringList({"El archivo seleccionado es del tipo Factura.fmt y "
                                            "no del formato factura.fmt actual"}));
    EXPECT_EQ(target.Edit(1174)->text(), "antes");
    EXPECT_TRUE(target.frame->Document().CapturedDataPath().isEmpty());

    // A file cut short in its last record: the format matches, so the file becomes the current
    // one, but no value is set.
    QByteArray bytes = Contents(cap);
    const QString cut = dir.filePath("corto.cap");
    QFile file(cut);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.left(bytes.size() - 2));
    file.close();
    target.answers << cut;
    target.Run(CommandId::OpenCapturedData);
    ASSERT_EQ(target.messages.size(), 2);
    EXPECT_TRUE(target.messages.at(1).contains("No se cargó ningún valor"));
    EXPECT_EQ(target.Edit(1174)->text(), "antes");
    EXPECT_EQ(target.frame->Document().CapturedDataPath(), cut);
}

namespace {

// The user types text over what the field holds and leaves it.
void TypeAndLeave(QLineEdit* edit, const QString& text) {
    edit->setText(text);
    Leave(edit);
}

} // namespace

TEST(CaptureWindowTest, TextInANumberFieldStaysMarkedToldAndAskedAboutBeforePrinting) {
    QTemporaryDir dir;
    CaptureScreenForm form;
    form.Line("IMPORTE", 1, 100, 10);
    form.Line("DOBLE", 2, 100, 40, "IMPORTE*2");
    form.Line("LETRA", 3, 100, 70, "$IMPORTE").dataType = DataTypeCode::Texto;
    form.Partidas(4, 20, 100);
    CaptureFrame window(form.Save(dir, "factura.fmt"));
    CFmtcapturaFrm& frame = *window.frame;
    QStringList asked;
    bool goOn = false;
    frame.SetQuestion([&asked, &goOn](const QString& question) {
        asked << question;
        return goOn;
    });
    int printDialogs = 0;
    PrinterDialogs::ReplacePrintDialog([&printDialogs](QPrinter&, QWidget*) {
        ++printDialogs;
        return false;
    });
    window.area.resize(800, 600);
    window.area.show();
    frame.show();
    QLineEdit* amount = window.Edit(1174);

    // The text stays as typed, counts 0 in what names it, and is marked and told of.
    TypeAndLeave(amount, "ocho mil");
    EXPECT_EQ(amount->text(), "ocho mil");
    EXPECT_EQ(window.Edit(1175)->text(), "0.00");
    EXPECT_EQ(window.Edit(1176)->text(), "Cero PESOS 00/100 M.N.");
    EXPECT_TRUE(WrongEntry::IsMarked(*amount));
    EXPECT_EQ(amount->palette().color(QPalette::Base), WrongEntry::Background());
    EXPECT_FALSE(WrongEntry::IsMarked(*window.Edit(1175)));
    EXPECT_FALSE(WrongEntry::IsMarked(*window.Edit(1176)));
    EXPECT_EQ(frame.StatusBar()->currentMessage(), "«ocho mil» no es un número: se toma como 0");

    // So does a cell of a number column, drawn in the same colour.
    CFmtGrid* table = TableOf(frame.Document());
    ASSERT_NE(table, nullptr);
    auto* grid = qobject_cast<CVrGrid*>(frame.View()->EntryWidget(*table));
    ASSERT_NE(grid, nullptr);
    grid->SetCurrentCell(2, 1);
    grid->BeginEdit(0);
    grid->EditBox()->setText("dos");
    grid->EndEdit(Qt::Key_Return);
    EXPECT_EQ(table->Cells().GetCell(2, 1), "dos");
    EXPECT_EQ(frame.StatusBar()->currentMessage(), "«dos» no es un número: se toma como 0");
    const QRect cell = grid->CellRect(2, 1);
    ASSERT_FALSE(cell.isEmpty());
    EXPECT_EQ(grid->grab().toImage().pixelColor(cell.left() + 1, cell.top() + 1),
              WrongEntry::Background());
    EXPECT_NE(grid->grab().toImage().pixelColor(grid->CellRect(1, 1).topLeft() + QPoint(1, 1)),
              WrongEntry::Background());

    // The sheet does not go out until the user has been told which values will not count.
    const QString told = "Estos campos no tienen un número: se imprimen como están escritos y "
                         "cuentan como 0 en los cálculos y en el importe con letra.\n\n"
                         "IMPORTE: «ocho mil»\nPARTIDAS[1,2]: «dos»\n\n";
    EXPECT_FALSE(frame.PrintFormat());
    EXPECT_FALSE(frame.PreviewFormat());
    EXPECT_FALSE(frame.ExportPdf());
    EXPECT_EQ(asked, QStringList({told + "¿Desea imprimir de todos modos?",
                                  told + "¿Desea ver la vista preliminar de todos modos?",
                                  told + "¿Desea exportar el PDF de todos modos?"}));
    EXPECT_EQ(printDialogs, 0);
    goOn = true;
    frame.PrintFormat();
    EXPECT_EQ(printDialogs, 1);

    // Values loaded back are marked again; mended ones lose the mark and the status bar its
    // sentence, and printing asks no more.
    const QString cap = dir.filePath("datos.cap");
    frame.Document().SaveCapturedData(cap);
    frame.Document().ClearValues();
    EXPECT_FALSE(WrongEntry::IsMarked(*amount));
    EXPECT_TRUE(frame.StatusBar()->currentMessage().isEmpty());
    frame.Document().LoadCapturedData(cap);
    EXPECT_TRUE(WrongEntry::IsMarked(*amount));
    EXPECT_TRUE(table->Cells().IsUnreadNumber(2, 1));
    TypeAndLeave(amount, "1,500");
    EXPECT_EQ(amount->text(), "1500.00");
    EXPECT_EQ(window.Edit(1175)->text(), "3000.00");
    EXPECT_FALSE(WrongEntry::IsMarked(*amount));
    EXPECT_TRUE(frame.StatusBar()->currentMessage().isEmpty());
    table->Cells().SetCell(2, 1, "3", false);
    asked.clear();
    goOn = false;
    frame.PrintFormat();
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_EQ(printDialogs, 2);
    PrinterDialogs::ReplacePrintDialog({});
}

TEST(CaptureWindowTest, ChangedValuesAreNotLostWithoutAQuestion) {
    QTemporaryDir dir;
    CaptureScreenForm form;
    form.Line("CLIENTE", 1, 100, 10).dataType = DataTypeCode::Texto;
    form.Line("Folio", 2, 100, 40).dataType = DataTypeCode::Texto;
    form.Line("CANTIDAD", 3, 100, 70);
    form.Line("DOBLE", 4, 100, 100, "CANTIDAD*2");
    CaptureFrame w(form.Save(dir, "factura.fmt"));

    // Nothing typed, or a value typed back as it was: nothing to ask.
    w.Edit(1174)->setText("ZAPATA");
    w.Edit(1174)->setText("");
    w.Run(CommandId::Clear);
    w.Run(CommandId::OpenCapturedData);
    EXPECT_TRUE(w.saveQuestions.isEmpty());
    EXPECT_EQ(w.questions, 1);

    // Typed values: "Limpiar" asks; "Cancelar" keeps them, as does a name dialog cancelled
    // after "Sí". The name offered is the format's and the folio's, beside the format.
    w.Edit(1174)->setText("ZAPATA");
    w.Edit(1175)->setText("a/1024");
    w.Edit(1176)->setText("3");
    Leave(w.Edit(1176));
    EXPECT_EQ(w.Edit(1177)->text(), "6.00");
    w.saveAnswer = SaveQuestion::Answer::Cancel;
    w.Run(CommandId::Clear);
    EXPECT_EQ(w.saveQuestions, QStringList({"¿Desea guardar los datos capturados?"}));
    w.saveAnswer = SaveQuestion::Answer::Save;
    w.Run(CommandId::Clear);
    EXPECT_EQ(w.offered, dir.filePath("factura-a-1024.cap"));
    EXPECT_EQ(w.Edit(1174)->text(), "ZAPATA");

    // "Sí" saves under the name chosen, then "Limpiar" goes on; the empty fields ask nothing.
    const QString cap = w.offered;
    w.answers << cap;
    w.Run(CommandId::Clear);
    EXPECT_TRUE(Contents(cap).contains("ZAPATA"));
    EXPECT_EQ(w.Edit(1174)->text(), "");
    EXPECT_EQ(w.saveQuestions.size(), 3);
    w.Run(CommandId::OpenCapturedData);
    EXPECT_EQ(w.saveQuestions.size(), 3);

    // Loaded again, the values are as saved. A quantity changed and typed back as it was is no
    // change, and nor is the calculated field that followed it there and back.
    w.answers << cap;
    w.Run(CommandId::OpenCapturedData);
    EXPECT_EQ(w.Edit(1174)->text(), "ZAPATA");
    for (const char* quantity : {"4", "3"}) {
        w.Edit(1176)->setText(quantity);
        Leave(w.Edit(1176));
    }
    EXPECT_EQ(w.Edit(1177)->text(), "6.00");
    EXPECT_FALSE(w.frame->Document().HasChanges());

    // Closing with a change asks, naming the file; "Cancelar" keeps the window, "Sí" writes the
    // file it came from without another dialog and lets the window go.
    w.Edit(1174)->setText("MORELOS");
    w.saveAnswer = SaveQuestion::Answer::Cancel;
    EXPECT_FALSE(w.frame->close());
    EXPECT_EQ(w.saveQuestions.constLast(),
              "¿Desea guardar los datos capturados en factura-a-1024.cap?");
    EXPECT_EQ(w.area.subWindowList().size(), 1);
    const int dialogs = w.questions;
    w.saveAnswer = SaveQuestion::Answer::Save;
    EXPECT_TRUE(w.frame->close());
    EXPECT_EQ(w.questions, dialogs);
    EXPECT_TRUE(Contents(cap).contains("MORELOS"));
}
