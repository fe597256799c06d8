#include "platform/qt/ListCtrl.h"

#include "platform/qt/PageWindow.h"
#include "platform/qt/StdControls.h"
#include "platform/qt/WinDefs.h"

#include <QHeaderView>

#include <algorithm>

namespace orv {

CListCtrl::CListCtrl(QWidget* page, int id, uint32_t style) : QTableWidget(page)
{
    SetDlgCtrlID(this, id);
    verticalHeader()->hide();
    horizontalHeader()->setVisible((style & LVS_NOCOLUMNHEADER) == 0);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setStretchLastSection(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode((style & LVS_SINGLESEL) ? QAbstractItemView::SingleSelection
                                             : QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setShowGrid(false);
    setWordWrap(false);
    // Tab leaves the list for the page's next control; the arrows move
    // between rows (Tab walking the cells would change the pick on the way).
    setTabKeyNavigation(false);
    connect(this, &QTableWidget::itemSelectionChanged, this, [this] {
        if (auto* p = dynamic_cast<CPageWindow*>(parentWidget()))
            p->SendNotify(GetDlgCtrlID(this), LVN_ITEMCHANGED);
    });
}

void CListCtrl::SetExtendedStyle(uint32_t exStyle)
{
    setShowGrid((exStyle & LVS_EX_GRIDLINES) != 0);
    setSelectionBehavior((exStyle & LVS_EX_FULLROWSELECT) ? QAbstractItemView::SelectRows
                                                          : QAbstractItemView::SelectItems);
}

int CListCtrl::InsertColumn(int index, const QString& title, int width)
{
    const int at = std::clamp(index, 0, columnCount());
    insertColumn(at);
    setHorizontalHeaderItem(at, new QTableWidgetItem(title));
    setColumnWidth(at, std::max(0, width));
    return at;
}

int CListCtrl::InsertItem(int row, const QString& text)
{
    const int at = std::clamp(row, 0, rowCount());
    insertRow(at);
    // Without columns the row exists but has nothing to show.
    if (columnCount() > 0)
        setItem(at, 0, new QTableWidgetItem(text));
    return at;
}

bool CListCtrl::SetItemText(int row, int column, const QString& text)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return false;
    if (QTableWidgetItem* it = item(row, column))
        it->setText(text);
    else
        setItem(row, column, new QTableWidgetItem(text));
    return true;
}

QString CListCtrl::GetItemText(int row, int column) const
{
    const QTableWidgetItem* it = item(row, column);
    return it ? it->text() : QString();
}

void CListCtrl::SetItemSelected(int row, bool selected)
{
    if (row < 0 || row >= rowCount())
        return;
    const QItemSelectionModel::SelectionFlags how =
        (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) | QItemSelectionModel::Rows;
    selectionModel()->select(model()->index(row, 0), how);
}

std::vector<int> CListCtrl::SelectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& i : selectionModel()->selectedIndexes())
        rows.push_back(i.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

} // namespace orv
