#pragma once

#include "grid/GridOwner.h"

#include <QString>
#include <QStringList>

#include <map>
#include <utility>
#include <vector>

// An owner with a cell store of its own that writes down every request and report it gets, in
// the order it gets them.
class GridTestOwner : public GridOwner {
public:
    struct Note {
        QString what; // "text", "changed", "newrow", "delete", "addrow", "header", "list", "row",
                      // "rowheader"
        int gridId = 0;
        int row = 0;
        int column = 0;
        QString text;
    };

    void CellTextWanted(int gridId, GridCell& cell) override;
    void CellChanged(int gridId, const GridCell& cell) override;
    bool DeleteRowsAllowed(int gridId, int lastRow, int firstRow) override;
    void NewRowCellChanged(int gridId, const GridCell& cell) override;
    bool AddRowAllowed(int gridId) override;
    void HeaderClicked(int gridId, int column) override;
    void FillList(int gridId, const GridCell& cell, QStringList& entries) override;
    void CurrentRowChanged(int gridId, int row) override;
    void RowHeaderTextWanted(int gridId, GridCell& cell) override;

    // Notes of one kind only.
    std::vector<Note> Of(const QString& what) const;
    // Notes of every kind but cell-text requests, which drawing makes in numbers.
    std::vector<Note> Reports() const;
    void Clear() { notes.clear(); }

    std::map<std::pair<int, int>, QString> cells; // (row, column) -> text
    std::vector<Note> notes;
    bool allowDelete = true;
    bool allowAddRow = true;
    QStringList listEntries;
};
