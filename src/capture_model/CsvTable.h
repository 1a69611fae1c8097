#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>

#include <vector>

// The rows of a comma-separated values file as spreadsheets write them: UTF-8 (with or without
// its byte-order mark), a first line of column names, values separated by commas (or by
// semicolons, where the first line has those and no commas; a column name may hold the separator
// between brackets, as table cells are named: PARTIDAS[2,3]), a value in double quotes holding
// commas, line breaks and doubled quotes, lines ending in LF or CR LF. Blank lines are skipped.
// Every row remembers the line of the file it starts on, so that a fault can be shown where the
// user will find it.
//
// The whole file is checked when it is read, but a row's values are split out only when the row
// is asked for: a batch of many thousand rows holds the text of its file, not every value apart.
class CsvTable {
public:
    struct Row {
        int line = 0;
        QStringList values;
    };

    // A data file larger than this is refused before it is read.
    static constexpr qint64 kLargestFile = 64 * 1024 * 1024;

    // Reads the file; one that cannot be read, is too large or does not read as a table is a
    // BatchError naming the file and, where there is one, the line.
    static CsvTable Read(const QString& path);
    // The same from bytes already read; name stands for the file in messages.
    static CsvTable Parse(const QByteArray& bytes, const QString& name);

    const QString& Name() const { return m_name; }
    // The column names, blanks around them removed; none is empty and no two are the same
    // without regard to case.
    const QStringList& Header() const { return m_header; }
    std::size_t RowCount() const { return m_rows.size(); }
    // The row at index (from 0), with as many values as the header has names.
    Row RowAt(std::size_t index) const;
    QChar Separator() const { return m_separator; }

private:
    // Where a row starts in the text.
    struct RowStart {
        int line;
        qsizetype at;
    };

    QString m_name;
    QString m_text;
    QStringList m_header;
    std::vector<RowStart> m_rows;
    QChar m_separator = QLatin1Char(',');
};
