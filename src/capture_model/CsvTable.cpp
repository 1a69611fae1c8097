#include "capture_model/CsvTable.h"

#include "capture_model/BatchError.h"
#include "platform/FileError.h"
#include "platform/InputFile.h"

#include <QSet>
#include <QStringDecoder>

#include <utility>

namespace {

[[noreturn]] void Fail(const QString& name, int line, const QString& what) {
    throw BatchError(QStringLiteral("%1, línea %2: %3").arg(name).arg(line).arg(what));
}

// The line of the first byte that is not UTF-8, for the message.
int FirstBadLine(const QByteArray& bytes) {
    int line = 1;
    qsizetype start = 0;
    while (start <= bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString ignored = decoder.decode(QByteArrayView(bytes).sliced(start, end - start));
        if (decoder.hasError())
            return line;
        start = end + 1;
        ++line;
    }
    return line;
}

// No format has more fields and table cells than this (its tables hold at most 4,194,304 cells
// between them): a header naming more columns is refused before they are all held.
constexpr qsizetype kMostColumns = 4'194'304 + 65'536;

// Splits the text into records of values. A record may run over several lines inside quotes.
class Splitter {
public:
    // From the character at at, which lies on line.
    Splitter(const QString& text, QChar separator, const QString& name, qsizetype at = 0,
             int line = 1)
        : m_text(text), m_separator(separator), m_name(name), m_at(at), m_line(line) {}

    bool AtEnd() const { return m_at >= m_text.size(); }
    int Line() const { return m_line; }
    qsizetype At() const { return m_at; }

    // The next record; a blank line gives no values. With cells, a separator between brackets
    // does not split: the header names table cells as PARTIDAS[2,3] without quotes. A record
    // of more than most values stops at most + 1 of them: it is a fault the caller reports, and
    // the rest of a line of millions of separators is never held.
    QStringList Next(bool cells = false, qsizetype most = kMostColumns) {
        QStringList values;
        QString value;
        bool any = false;
        bool inBrackets = false;
        for (;;) {
            if (m_at >= m_text.size()) {
                if (any)
                    values << value;
                return values;
            }
            const QChar c = m_text.at(m_at);
            if (c == QLatin1Char('"') && value.isEmpty()) {
                value = Quoted();
                any = true;
                continue;
            }
            ++m_at;
            if (cells && (c == QLatin1Char('[') || c == QLatin1Char(']')))
                inBrackets = c == QLatin1Char('[');
            if (c == m_separator && !inBrackets) {
                values << value;
                value.clear();
                any = true;
                if (values.size() > most)
                    return values;
            } else if (c == QLatin1Char('\n')) {
                ++m_line;
                if (any || !value.isEmpty())
                    values << value;
                return values;
            } else if (c == QLatin1Char('\r') && m_at < m_text.size() &&
                       m_text.at(m_at) == QLatin1Char('\n')) {
                // The LF that follows ends the record.
            } else {
                value += c;
                any = true;
            }
        }
    }

private:
    // A value in quotes, from its opening quote to what follows its closing one, which must be
    // the separator or the end of the line.
    QString Quoted() {
        const int opened = m_line;
        QString value;
        ++m_at;
        for (;;) {
            if (m_at >= m_text.size())
                Fail(m_name, opened, QStringLiteral("las comillas abiertas aquí no se cierran"));
            const QChar c = m_text.at(m_at++);
            if (c == QLatin1Char('\n'))
                ++m_line;
            if (c != QLatin1Char('"')) {
                value += c;
                continue;
            }
            if (m_at < m_text.size() && m_text.at(m_at) == QLatin1Char('"')) {
                value += c;
                ++m_at;
                continue;
            }
            break;
        }
        if (m_at < m_text.size()) {
            const QChar next = m_text.at(m_at);
            const bool lineEnd = next == QLatin1Char('\n') ||
                                 (next == QLatin1Char('\r') && m_at + 1 < m_text.size() &&
                                  m_text.at(m_at + 1) == QLatin1Char('\n'));
            if (next != m_separator && !lineEnd)
                Fail(m_name, m_line,
                     QStringLiteral("después de cerrar comillas sigue «%1»; un valor entre "
                                    "comillas termina en el separador o en el fin de línea")
                         .arg(next));
        }
        return value;
    }

    const QString& m_text;
    QChar m_separator;
    const QString& m_name;
    qsizetype m_at;
    int m_line;
};

} // namespace

CsvTable CsvTable::Read(const QString& path) {
    QByteArray bytes;
    try {
        // A FIFO or a device named like a data file is refused rather than read without end.
        InputFile input(path, kLargestFile);
        bytes = input.Device().readAll();
        if (bytes.size() != input.Size())
            throw FileError(path, QStringLiteral("no se puede leer"), input.Device().errorString());
    } catch (const FileError& e) {
        throw BatchError(e.Message());
    }
    return Parse(bytes, path);
}

CsvTable CsvTable::Parse(const QByteArray& bytes, const QString& name) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        Fail(name, FirstBadLine(bytes),
             QStringLiteral("el texto no está en UTF-8; guárdelo como «CSV UTF-8»"));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    // Spreadsheets of older Macs end each line with a carriage return alone.
    if (!text.contains(QLatin1Char('\n')))
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));

    CsvTable table;
    table.m_name = name;
    const QString firstLine = text.left(text.indexOf(QLatin1Char('\n')));
    if (!firstLine.contains(QLatin1Char(',')) && firstLine.contains(QLatin1Char(';')))
        table.m_separator = QLatin1Char(';');

    Splitter splitter(text, table.m_separator, name);
    while (!splitter.AtEnd() && table.m_header.isEmpty()) {
        const int line = splitter.Line();
        table.m_header = splitter.Next(true);
        if (table.m_header.size() > kMostColumns)
            Fail(name, line,
                 QStringLiteral("el encabezado nombra más de %1 columnas").arg(kMostColumns));
        for (QString& column : table.m_header) {
            column = column.trimmed();
            if (column.isEmpty())
                Fail(name, line, QStringLiteral("una columna del encabezado no tiene nombre"));
        }
        // Names compare as the fields do, without regard to letter case; a set keeps a header of
        // many thousands of columns linear.
        QSet<QString> seen;
        seen.reserve(table.m_header.size());
        for (const QString& column : std::as_const(table.m_header)) {
            const QString folded = column.toCaseFolded();
            if (seen.contains(folded))
                Fail(name, line, QStringLiteral("la columna «%1» aparece dos veces").arg(column));
            seen.insert(folded);
        }
    }
    if (table.m_header.isEmpty())
        throw BatchError(
            QStringLiteral("%1: está vacío; la primera línea debe nombrar los campos").arg(name));
    while (!splitter.AtEnd()) {
        const RowStart start{splitter.Line(), splitter.At()};
        const QStringList values = splitter.Next(false, table.m_header.size());
        if (values.isEmpty())
            continue;
        if (values.size() > table.m_header.size())
            Fail(name, start.line,
                 QStringLiteral("tiene más valores que las %1 columnas que nombra el encabezado")
                     .arg(table.m_header.size()));
        if (values.size() != table.m_header.size())
            Fail(name, start.line,
                 QStringLiteral("tiene %1 valores y el encabezado nombra %2 columnas")
                     .arg(values.size())
                     .arg(table.m_header.size()));
        table.m_rows.push_back(start);
    }
    if (table.m_rows.empty())
        throw BatchError(
            QStringLiteral("%1: tiene el encabezado y ningún renglón de datos; no hay nada que "
                           "llenar")
                .arg(name));
    table.m_text = std::move(text);
    return table;
}

CsvTable::Row CsvTable::RowAt(std::size_t index) const {
    const RowStart& start = m_rows.at(index);
    // The row read soundly when the file was read: reading it again cannot fail.
    Splitter splitter(m_text, m_separator, m_name, start.at, start.line);
    return Row{start.line, splitter.Next()};
}
