// A grid of invoice lines to try the grid control by hand: a unit list, an upper-case
// description, an amount worked out from quantity and price, a paid check box, row numbers,
// rows added by typing into the new row and deleted from the row headers.
//
//   plenova-grid-demo [--grab picture.png]
//
// With --grab the window shows rows 3 and 4 selected and an edit in progress, saves a picture of
// itself once the event loop runs, and quits.
#include "grid/CEditCell.h"
#include "grid/CVrGrid.h"
#include "grid/GridOwner.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

enum Column { Quantity = 1, Unit, Description, Price, Amount, Paid, ColumnCount = Paid };

class InvoiceLines : public GridOwner {
public:
    InvoiceLines() {
        Add({u"2"_s, u"Pieza"_s, u"TORNILLO 1/4"_s, u"3.50"_s, u""_s, u"T"_s});
        Add({u"1"_s, u"Caja"_s, u"CLAVOS 2 PULGADAS"_s, u"48.00"_s, u""_s, u""_s});
        Add({u"5"_s, u"Kilo"_s, u"ALAMBRE RECOCIDO"_s, u"27.90"_s, u""_s, u"T"_s});
        Add({u"3"_s, u"Litro"_s, u"PINTURA BLANCA"_s, u"112.00"_s, u""_s, u""_s});
        Add({u"10"_s, u"Pieza"_s, u"BROCHA 2 PULGADAS"_s, u"18.50"_s, u""_s, u"T"_s});
        Add({u"4"_s, u"Pieza"_s, u"LIJA DE AGUA 120"_s, u"6.00"_s, u""_s, u""_s});
    }

    int Rows() const { return static_cast<int>(m_rows.size()); }

    void CellTextWanted(int, GridCell& cell) override { cell.text = At(cell.row, cell.column); }

    void CellChanged(int, const GridCell& cell) override {
        if (cell.row < 1 || cell.row > Rows())
            return;
        m_rows[cell.row - 1][cell.column - 1] = cell.text;
        Recalculate(m_rows[cell.row - 1]);
    }

    bool DeleteRowsAllowed(int, int lastRow, int firstRow) override {
        if (firstRow < 1 || lastRow > Rows() || firstRow > lastRow)
            return false;
        m_rows.erase(m_rows.begin() + (firstRow - 1), m_rows.begin() + lastRow);
        return true;
    }

    void NewRowCellChanged(int, const GridCell& cell) override {
        m_typed[cell.column - 1] = cell.text;
    }

    bool AddRowAllowed(int) override {
        Add(m_typed);
        m_typed = QStringList(ColumnCount, QString());
        return true;
    }

    void FillList(int, const GridCell&, QStringList& entries) override {
        entries = {u"Caja"_s, u"Kilo"_s, u"Litro"_s, u"Metro"_s, u"Pieza"_s};
    }

private:
    QString At(int row, int column) const {
        if (row < 1 || row > Rows() || column < 1 || column > ColumnCount)
            return {};
        return m_rows[row - 1][column - 1];
    }

    void Add(QStringList row) {
        row.resize(ColumnCount);
        Recalculate(row);
        m_rows.push_back(row);
    }

    static void Recalculate(QStringList& row) {
        const double amount = row[Quantity - 1].toDouble() * row[Price - 1].toDouble();
        row[Amount - 1] = amount == 0 ? QString() : QString::asprintf("%.2f", amount);
    }

    std::vector<QStringList> m_rows;
    QStringList m_typed = QStringList(ColumnCount, QString());
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString grabPath;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--grab") && i + 1 < args.size()) {
            grabPath = args[++i];
        } else {
            std::fprintf(stderr, "usage: plenova-grid-demo [--grab picture.png]\n");
            return 2;
        }
    }

    InvoiceLines lines;
    QWidget window;
    window.setWindowTitle(QStringLiteral("Plenova: partidas de factura"));
    window.resize(600, 300);
    auto* grid = new CVrGrid(&window, QRect(10, 10, 580, 240), &lines, 1173, true);
    grid->SetColumnCount(ColumnCount);
    grid->ShowFrame(true);
    grid->SetRowNumbers(true);
    grid->SetColumn(Quantity, QStringLiteral("Cantidad"), 70, false, TextAlign::Right);
    grid->SetColumn(Unit, QStringLiteral("Unidad"), 70, false, TextAlign::Left);
    grid->SetColumn(Description, QStringLiteral("Descripción"), 170, false, TextAlign::Left);
    grid->SetColumn(Price, QStringLiteral("Precio"), 70, false, TextAlign::Right);
    grid->SetColumn(Amount, QStringLiteral("Importe"), 80, true, TextAlign::Right);
    grid->SetColumn(Paid, QStringLiteral("Pagado"), 56, false, TextAlign::Center);
    grid->SetColumnList(Unit, true);
    grid->SetColumnUpperCase(Description, true);
    grid->SetColumnCheck(Paid, true);
    grid->SetRowCount(lines.Rows());
    auto* hint = new QLabel(
        QStringLiteral("Escriba sobre una celda, F2 para corregirla, Supr para borrar; arrastre "
                       "sobre los números para marcar renglones."),
        &window);
    hint->setGeometry(10, 260, 580, 30);
    hint->setWordWrap(true);
    window.show();
    window.activateWindow();
    grid->setFocus();

    if (!grabPath.isEmpty()) {
        QTimer::singleShot(200, &window, [&] {
            // As a user would: to row 6, over to the description, start typing.
            auto press = [&](int key, const QString& text = QString()) {
                QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
                QCoreApplication::sendEvent(QApplication::focusWidget(), &event);
            };
            grid->setFocus();
            press(Qt::Key_Home);
            for (int i = 0; i < 5; ++i)
                press(Qt::Key_Down);
            press(Qt::Key_Right);
            press(Qt::Key_Right);
            press('L', QStringLiteral("l"));
            grid->EditBox()->insert(QStringLiteral("ija de agua 180"));
            grid->SelectRows(3, 4);
        });
        QTimer::singleShot(800, &window, [&] {
            if (!window.grab().save(grabPath)) {
                std::fprintf(stderr, "could not write %s\n", qPrintable(grabPath));
                app.exit(1);
                return;
            }
            app.quit();
        });
    }
    return app.exec();
}
