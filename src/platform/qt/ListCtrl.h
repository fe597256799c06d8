#pragma once
// Report-style list control: columns with titles and widths, rows inserted
// at a position, whole-row selection. Selection changes reach the page as
// the notification LVN_ITEMCHANGED with the control's id.
#include <QTableWidget>

#include <cstdint>
#include <vector>

namespace orv {

constexpr uint32_t LVS_SINGLESEL = 0x0004;
constexpr uint32_t LVS_NOCOLUMNHEADER = 0x4000;
constexpr uint32_t LVS_EX_GRIDLINES = 0x0001;
constexpr uint32_t LVS_EX_FULLROWSELECT = 0x0020;

class CListCtrl : public QTableWidget {
    Q_OBJECT
public:
    CListCtrl(QWidget* page, int id, uint32_t style);

    void SetExtendedStyle(uint32_t exStyle);
    // Inserts a column at `index` (at the end when past it); returns where.
    int InsertColumn(int index, const QString& title, int width);
    // Inserts a row at `row` (clamped) with `text` in column 0; returns it.
    int InsertItem(int row, const QString& text);
    bool SetItemText(int row, int column, const QString& text);
    QString GetItemText(int row, int column) const;
    int GetItemCount() const { return rowCount(); }
    void DeleteAllItems() { setRowCount(0); }
    void SetItemSelected(int row, bool selected);
    // Selected rows in row order.
    std::vector<int> SelectedRows() const;
};

} // namespace orv
