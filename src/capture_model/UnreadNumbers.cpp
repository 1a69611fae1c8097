#include "capture_model/UnreadNumbers.h"

#include "capture_model/CFmtGrid.h"
#include "capture_model/CTableData.h"
#include "capture_model/CTextlineVar.h"
#include "model/CControles.h"

#include <QStringList>

namespace {

// Past this many the question names how many more there are.
constexpr std::size_t kPlacesListed = 8;
// A value is quoted up to this many characters.
constexpr qsizetype kQuotedLength = 40;

QString Quoted(const QString& text) {
    if (text.size() <= kQuotedLength)
        return QStringLiteral("«%1»").arg(text);
    return QStringLiteral("«%1…»").arg(text.left(kQuotedLength));
}

} // namespace

std::vector<UnreadNumbers::Place> UnreadNumbers::Find(const ControlList& controls,
                                                      const QLocale& locale) {
    std::vector<Place> places;
    for (const auto& control : controls) {
        if (const auto* line = dynamic_cast<const CTextlineVar*>(control.get())) {
            if (line->IsUnreadNumber(locale))
                places.push_back(Place{line->text, line->Value()});
            continue;
        }
        const auto* table = dynamic_cast<const CFmtGrid*>(control.get());
        if (!table)
            continue;
        const CTableData& cells = table->Cells();
        for (int row = 1; row <= cells.RowCount(); ++row) {
            for (int column = 1; column <= cells.ColumnCount(); ++column) {
                if (cells.IsUnreadNumber(column, row))
                    places.push_back(
                        Place{QStringLiteral("%1[%2,%3]").arg(table->text).arg(row).arg(column),
                              cells.GetCell(column, row)});
            }
        }
    }
    return places;
}

QString UnreadNumbers::Notice(const QString& text) {
    return QStringLiteral("%1 no es un número: se toma como 0").arg(Quoted(text));
}

QString UnreadNumbers::Question(const std::vector<Place>& places, const QString& ask) {
    QStringList lines;
    lines << (places.size() == 1
                  ? QStringLiteral("Este campo no tiene un número: se imprime como está escrito "
                                   "y cuenta como 0 en los cálculos y en el importe con letra.")
                  : QStringLiteral("Estos campos no tienen un número: se imprimen como están "
                                   "escritos y cuentan como 0 en los cálculos y en el importe "
                                   "con letra."));
    lines << QString();
    for (std::size_t i = 0; i < places.size() && i < kPlacesListed; ++i)
        lines << QStringLiteral("%1: %2").arg(places[i].field, Quoted(places[i].text));
    if (places.size() > kPlacesListed)
        lines << QStringLiteral("y %1 más").arg(places.size() - kPlacesListed);
    lines << QString() << ask;
    return lines.join(QLatin1Char('\n'));
}
