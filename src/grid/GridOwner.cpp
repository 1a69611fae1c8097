#include "grid/GridOwner.h"

void GridOwner::NewRowCellChanged(int, const GridCell&) {}

bool GridOwner::AddRowAllowed(int) {
    return false;
}

void GridOwner::HeaderClicked(int, int) {}

void GridOwner::FillList(int, const GridCell&, QStringList&) {}

void GridOwner::CurrentRowChanged(int, int) {}

void GridOwner::RowHeaderTextWanted(int, GridCell&) {}

bool GridOwner::CellMarked(int, int, int) {
    return false;
}
