#include "core/ListRows.h"

#include "core/NaturalOrder.h"

#include <QListWidget>

int InsertSorted(QListWidget* list, const QString& text, int value) {
    // Binary search for the first row that sorts after the text.
    int low = 0, high = list->count();
    while (low < high) {
        const int mid = (low + high) / 2;
        if (NaturalCompare(list->item(mid)->text(), text) <= 0)
            low = mid + 1;
        else
            high = mid;
    }
    auto* item = new QListWidgetItem(text);
    item->setData(Qt::UserRole, value);
    list->insertItem(low, item);
    return low;
}

int SelectedItemValue(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    if (selected.isEmpty())
        return -1;
    bool ok = false;
    const int value = selected.first()->data(Qt::UserRole).toInt(&ok);
    return ok ? value : -1;
}

void FillSortedRows(QListWidget* list, const QStringList& names) {
    int row = list->currentRow();
    list->setUpdatesEnabled(false);
    list->clear();
    for (int j = 0; j < names.size(); ++j)
        InsertSorted(list, names.at(j), j);
    if (row < 0)
        row = 0;
    if (row >= list->count())
        row = list->count() - 1;
    if (row >= 0)
        list->setCurrentRow(row);
    list->setUpdatesEnabled(true);
    list->viewport()->update();
}
