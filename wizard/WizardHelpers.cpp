#include "wizard/WizardHelpers.h"

#include "systems/NaturalOrder.h"
#include "systems/PathHelpers.h"
#include "systems/SystemInfo.h"
#include "tournament/ProgressText.h"
#include "velmora_system.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QListWidget>

namespace {
std::function<void(const QString&)>& ProgressObserver() {
    static std::function<void(const QString&)> observer;
    return observer;
}
} // namespace

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

void FillSkinRows(QListWidget* list, const SystemInfo* system) {
    int row = list->currentRow();
    list->setUpdatesEnabled(false);
    list->clear();
    if (system)
        for (int j = 0; j < system->m_skins.size(); ++j)
            InsertSorted(list, system->m_skins.at(j), j);
    if (row < 0)
        row = 0;
    if (row >= list->count())
        row = list->count() - 1;
    if (row >= 0)
        list->setCurrentRow(row);
    list->setUpdatesEnabled(true);
    list->viewport()->update();
}

Prompts::FileRequest TournamentFileRequest(const QString& title, bool save) {
    Prompts::FileRequest request;
    request.save = save;
    request.title = title;
    request.filters = {QStringLiteral("Tournament Files (*.trn)")};
    request.defaultSuffix = QStringLiteral("trn");
    request.initialName = QStringLiteral("*.trn");
    request.initialFolder = GetFullPath(GetCurrentFolder()) + QStringLiteral("/Tournaments");
    return request;
}

void ShowWizardProgress(const QString& text, QWidget* alsoRepaint) {
    if (ProgressObserver())
        ProgressObserver()(text);
    ShowStatusLineProgress(text, alsoRepaint);
}

void SetWizardProgressObserver(std::function<void(const QString&)> observer) {
    ProgressObserver() = std::move(observer);
}

QSize DialogUnitsToPixels(const QWidget* widget, int width, int height) {
    const QFontMetrics metrics(widget->font());
    const int baseX = qMax(1, metrics.averageCharWidth());
    const int baseY = qMax(1, metrics.height());
    return {width * baseX / 4, height * baseY / 8};
}

bool ReadFormatIdentifier(const QString& path, QByteArray* identifier) {
    identifier->clear();
    const QFileInfo info(path);
    // Only regular files: a folder cannot be read, and reading a pipe or a device may block
    // or never end.
    if (path.isEmpty() || !info.isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // The longest identifier that can match, its carriage return and line feed, and one
    // byte more, so that a longer line is still seen to be longer.
    constexpr qint64 kEnough = VELMORA_NAME_SIZE + 2;
    QByteArray head = file.read(kEnough);
    file.close();
    const qsizetype lineFeed = head.indexOf('\n');
    if (lineFeed >= 0) {
        head.truncate(lineFeed);
        if (head.endsWith('\r'))
            head.chop(1);
    }
    *identifier = head;
    return true;
}
