#pragma once
// The result table (a report-style list view) and the colours of its cells. The colours are
// drawn through the list view's custom draw, answered on the table's owner window, which is
// hooked from the first coloured cell until ResetCellColours or the owner's destruction.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "tracking/cell_colour.h"
#include "tracking/status_rules.h"

namespace radar {

int TableRowCount(HWND table);
// Appends an empty row at the end; returns its index, or -1.
int AppendTableRow(HWND table);
void SetTableCell(HWND table, int row, int column, const std::string& text);
std::string TableCell(HWND table, int row, int column);
void ClearTable(HWND table);

// The owner's answer to the table's custom draw: cells whose text holds line breaks (the
// courier names keep the CR LF of the service's list) are drawn on one line without them, so
// the breaks show as nothing rather than as boxes; every other cell is drawn by the table.
LRESULT AnswerTableCustomDraw(NMLVCUSTOMDRAW& draw);

// Gives cell (row, column) the colours, or, when they are the table's own, takes its colours
// away. Without useBackground the background is the table's own.
void SetCellColour(std::vector<CellColour>& colours, HWND owner, HWND table, int row, int column, COLORREF text,
                   COLORREF background, bool useBackground);
// Every cell back to the table's colours; the owner is no longer hooked.
void ResetCellColours(std::vector<CellColour>& colours);
// Cells 0 to 5 of the row in the colours.
void ColourRow(std::vector<CellColour>& colours, HWND owner, HWND table, int row, RowColours rowColours);

} // namespace radar
