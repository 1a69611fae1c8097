// The seeds of the text harnesses: the forms, formulas and amounts the tests check, written in
// the inputs fuzz_expression and fuzz_amount read.
#include "AmountInput.h"
#include "Seeds.h"

#include <QStringList>

void Seeds::WriteExpressions(const QDir& out) {
    out.mkpath(QStringLiteral("expression"));
    const QDir folder(out.filePath(QStringLiteral("expression")));
    const QStringList forms = {
        // Arithmetic from left to right, operands that name no field, a table named in it.
        QStringLiteral("L A=\nL B=\nL R1=A-B\nL R2=A+B-2\nL R3=A/B*2\nL R4=-A\nL R5=A--B\n"
                       "L R6=A+X\nL R7=A+3.5x\nL R8=A&B$B\nV A=10\nV B=4\nX 2+3*4\nX A/0-1\n"
                       "X 1e999\nX 0.1e-999\nX 1.2.3"),
        // Names without regard to case, the first of a name, letters beyond ASCII.
        QStringLiteral("L Total=\nL Doble=total*2\nL TOTAL=\nL Año=AÑO+1\nV total=21\n"
                       "V TOTAL=100\nV año=7"),
        // The invoice: a table's column total, the tax on it, the total and its words.
        QStringLiteral("T PARTIDAS\nC CANTIDAD=\nC PRECIO=\nK IMPORTE=C1*C2\n"
                       "M SUBTOTAL=PARTIDAS&IMPORTE\nM IVA=SUBTOTAL*0.16\nM TOTAL=SUBTOTAL+IVA\n"
                       "M LETRA=$TOTAL\nE 1,1=2\nE 2,1=150\nE 1,2=1\nE 2,2=99.50\nD 1\n"
                       "E 9,9=1\nV TOTAL=123456.78"),
        // Table totals that name a missing column or carry arithmetic after the column.
        QStringLiteral("T PARTIDAS\nC CANTIDAD=\nC PRECIO=\nC IMPORTE=C1*C2\n"
                       "L TOTAL=PARTIDAS&importe\nL IVA=Total*0.16\nL NADA=PARTIDAS&FALTA\n"
                       "L JUNTO=PARTIDAS&IMPORTE*2\nL X=\nL MEZCLA=X+PARTIDAS+X\n"
                       "L DESPUES=X*2+CANTIDAD\nE 1,1=2\nE 2,1=10\nE 1,2=1\nE 2,2=5.5\nD 1\nV X=5"),
        // Fields that name each other in a cycle, and one that names itself.
        QStringLiteral("L A=X+B\nL B=A+1\nL C=B*21+D\nL D=\nL S=S+A\nL Q=A/B\nM M=Q\nL W=$Q\n"
                       "V D=0\nV A=3\nV X=1"),
        // Formulas that name each other, themselves and columns outside the table.
        QStringLiteral("T T\nC A=\nC B=C1+C3\nC C=C2*2\nC D=C0+C1+C9\nC E=C1/C2\nC F=c1*c2\n"
                       "E 1,1=3\nE 1,2=2\nE 3,1=7\nE 0,0=1\nD 0\nD 5"),
        // Amounts in words, of a field and of what names it.
        QStringLiteral("L A=\nM Letra=$a\nL Otro=Letra*2\nL Cuarto=A/4\nV A=999999.99\n"
                       "V A=1000000\nV A=-1\nV A=0"),
    };
    int n = 0;
    for (const QString& form : forms)
        Put(folder, QStringLiteral("seed%1").arg(++n), form.toUtf8());
}

void Seeds::WriteAmounts(const QDir& out) {
    out.mkpath(QStringLiteral("amount"));
    const QDir folder(out.filePath(QStringLiteral("amount")));
    const QStringList texts = {
        QStringLiteral("1234.5"),
        QStringLiteral("1,234.50"),
        QStringLiteral("$1,234.5678"),
        QStringLiteral("$-1,234.50"),
        QStringLiteral("-$5"),
        QStringLiteral("($1,234.50)"),
        QStringLiteral("12-"),
        QStringLiteral("  +7 "),
        QStringLiteral("1.234,50\u00a0€"),
        QStringLiteral("1 234,5"),
        QStringLiteral("1\u202f234,5"),
        QStringLiteral("\u0661\u0662\u0663"),
        QStringLiteral("\u0661\u066c\u0662\u0663\u0664\u066b\u0665\u0660"),
        QStringLiteral("1e3"),
        QStringLiteral("25E-1"),
        QStringLiteral(".5"),
        QStringLiteral("1.005"),
        QStringLiteral("0.123456"),
        QStringLiteral("922337203685477.5807"),
        QStringLiteral("99999999999999999999"),
        QStringLiteral("999999.99"),
        QStringLiteral("abc"),
        QStringLiteral("1.2.3"),
    };
    int n = 0;
    for (std::size_t locale = 0; locale < AmountInput::Locales().size(); ++locale) {
        for (const QString& text : texts) {
            ++n;
            // The decimals go round every choice the harness knows.
            Put(folder, QStringLiteral("seed%1").arg(n),
                AmountInput::Write(locale, n % 9 - 1, text));
        }
    }
}
