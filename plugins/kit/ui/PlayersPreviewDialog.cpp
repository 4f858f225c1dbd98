#include "PlayersPreviewDialog.h"

#include "Ui.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kit::ui {

PlayersPreviewDialog::PlayersPreviewDialog(const PlayersSheet& sheet, const SheetLayout& proposal,
                                           QWidget* parent)
    : QDialog(parent), m_sheet(sheet), m_layout(proposal) {
    setObjectName(QStringLiteral("playersPreview"));
    setWindowTitle(QStringLiteral("Загрузка списка участников"));
    m_layout.fields.resize(sheet.columns, PlayerField::Ignore);

    QString text = QStringLiteral(
        "Проверьте, что в каждом столбце. Выберите над столбцом, что в нём, или «не "
        "загружать». Фамилия, имя и отчество из разных столбцов соединяются в имя участника.");
    const QString unplaced = UnplacedNotice(sheet, m_layout);
    if (!unplaced.isEmpty())
        text += u'\n' + unplaced;
    auto* note = new QLabel(text, this);
    note->setObjectName(QStringLiteral("note"));
    note->setTextFormat(Qt::PlainText);
    note->setWordWrap(true);

    // Row 0 holds the choices; the file's rows follow, the header (if any) first.
    const int first = std::max(0, m_layout.headerRow);
    const int shown = std::min<int>(int(sheet.rows.size()) - first,
                                    kPreviewRows + (m_layout.headerRow >= 0 ? 1 : 0));
    auto* table = new QTableWidget(1 + std::max(0, shown), sheet.columns, this);
    table->setObjectName(QStringLiteral("preview"));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QStringList letters;
    for (int c = 0; c < sheet.columns; ++c)
        letters << ColumnTitle(sheet, SheetLayout{}, c).section(u' ', 1);
    table->setHorizontalHeaderLabels(letters);
    QStringList lines{QStringLiteral("Что в столбце")};
    for (int r = 0; r < shown; ++r) {
        const SheetRow& row = sheet.rows[first + r];
        lines << (first + r == m_layout.headerRow ? QStringLiteral("Заголовок")
                                                  : QString::number(row.line));
        for (int c = 0; c < sheet.columns; ++c) {
            auto* item = new QTableWidgetItem(row.cells[c].simplified().left(100));
            if (first + r == m_layout.headerRow) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            table->setItem(1 + r, c, item);
        }
    }
    table->setVerticalHeaderLabels(lines);
    for (int c = 0; c < sheet.columns; ++c) {
        auto* choice = new QComboBox(table);
        choice->setObjectName(QStringLiteral("column%1").arg(c));
        for (int f = 0; f < kPlayerFieldCount; ++f)
            choice->addItem(PlayerFieldText(PlayerField(f)), f);
        choice->setCurrentIndex(choice->findData(int(m_layout.fields[c])));
        connect(choice, &QComboBox::currentIndexChanged, this, [this, c, choice] {
            m_layout.fields[c] = PlayerField(choice->currentData().toInt());
            Update();
        });
        table->setCellWidget(0, c, choice);
        m_choices << choice;
    }
    table->resizeColumnsToContents();

    m_example = new QLabel(this);
    m_example->setObjectName(QStringLiteral("example"));
    m_example->setTextFormat(Qt::PlainText);
    m_example->setWordWrap(true);

    m_buttons = OkCancelButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(table, 1);
    layout->addWidget(m_example);
    layout->addWidget(m_buttons);
    resize(760, 460);
    Update();
}

SheetLayout PlayersPreviewDialog::Layout() const {
    return m_layout;
}

// Shows the first player as the choices would load it, or why they cannot be loaded.
void PlayersPreviewDialog::Update() {
    const bool named = std::any_of(m_layout.fields.begin(), m_layout.fields.end(), [](auto f) {
        return f == PlayerField::Name || f == PlayerField::Surname || f == PlayerField::FirstName ||
               f == PlayerField::Patronymic;
    });
    QString text;
    if (!named) {
        text = QStringLiteral("Укажите хотя бы один столбец с именем или фамилией.");
    } else {
        const PlayersReadResult read = ReadPlayers(m_sheet, m_layout);
        if (!read.ok)
            text = read.error;
        else if (read.players.isEmpty())
            text = QStringLiteral("В файле нет участников.");
        else
            text = QStringLiteral("Участников: %1. Первый: %2")
                       .arg(read.players.size())
                       .arg(PlayerLine(read.players.front()));
    }
    m_example->setText(text);
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(named);
}

std::optional<QList<Player>> ImportPlayers(const QString& path) {
    const PlayersImport import = AnalysePlayersFile(path);
    if (!import.ok) {
        ShowError(import.error);
        return std::nullopt;
    }
    SheetLayout layout = import.guess.layout;
    if (!import.guess.certain) {
        PlayersPreviewDialog dialog(import.sheet, layout);
        if (RunDialog(dialog) != QDialog::Accepted)
            return std::nullopt;
        layout = dialog.Layout();
    }
    const PlayersReadResult read = ReadPlayers(import.sheet, layout);
    if (!read.ok) {
        ShowError(QStringLiteral("Не удалось прочитать список участников из файла «%1».\n%2")
                      .arg(QFileInfo(path).fileName(), read.error));
        return std::nullopt;
    }
    return read.players;
}

} // namespace kit::ui
