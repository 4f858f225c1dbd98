#include "CPublishDlg.h"

#include "CLiveService.h"
#include "CPublisher.h"

#include "core/Profile.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <array>
#include <vector>

CPublishDlg::CPublishDlg(const QStringList& reportNames, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Опубликовать"));
    setObjectName(QStringLiteral("CPublishDlg"));
    m_checkOn = new QCheckBox(QStringLiteral("Публиковать после каждого изменения"));
    m_checkOn->setObjectName(QStringLiteral("checkOn"));
    m_editDestination = new QLineEdit;
    m_editDestination->setObjectName(QStringLiteral("editDestination"));
    m_editDestination->setPlaceholderText(QStringLiteral("папка или пользователь@сервер:путь"));
    m_btnBrowse = new QPushButton(QStringLiteral("Обзор..."));
    connect(m_btnBrowse, &QPushButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(
            this, QStringLiteral("Папка для публикации"), m_editDestination->text());
        if (!folder.isEmpty())
            m_editDestination->setText(QDir::toNativeSeparators(folder));
    });
    auto* destination = new QHBoxLayout;
    destination->addWidget(m_editDestination, 1);
    destination->addWidget(m_btnBrowse);
    auto* hint = new QLabel(QStringLiteral(
        "Папка: синхронизируемая папка, общая папка сети или папка веб-сервера. Сервер: "
        "«пользователь@сервер:путь», файлы передаёт rsync по ssh с вашими ключами ssh; пароли "
        "программа не хранит. Передаются только изменившиеся файлы."));
    hint->setWordWrap(true);
    m_listReports = new QListWidget;
    m_listReports->setObjectName(QStringLiteral("listReports"));
    for (const QString& name : reportNames) {
        auto* item = new QListWidgetItem(name, m_listReports);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Куда:"), destination);
    form->addRow(QString(), hint);
    form->addRow(QStringLiteral("Отчёты:"), m_listReports);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_checkOn);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CPublishDlg::accept() {
    const QString destination = m_editDestination->text().trimmed();
    if (m_checkOn->isChecked() && destination.isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("Ошибка"),
                             QStringLiteral("Укажите папку или сервер для публикации"));
        m_editDestination->setFocus();
        return;
    }
    QDialog::accept();
}

namespace {

// A system's text, never trusted: cut at the buffer's end, invalid UTF-8 replaced.
QString SystemText(char* buffer, size_t size) {
    buffer[size - 1] = '\0';
    return QString::fromUtf8(buffer);
}

QStringList ReportNames(const SystemEntryTable& entries) {
    const int count = entries.GetReportsCount ? entries.GetReportsCount() : 0;
    if (count <= 0 || count > 1000 || !entries.GetReportsNames)
        return {};
    std::vector<std::array<char, VELMORA_NAME_SIZE>> buffers(static_cast<size_t>(count));
    std::vector<char*> pointers;
    for (auto& buffer : buffers) {
        buffer.fill('\0');
        pointers.push_back(buffer.data());
    }
    entries.GetReportsNames(pointers.data(), count);
    QStringList names;
    for (auto& buffer : buffers)
        names.append(SystemText(buffer.data(), buffer.size()));
    return names;
}

} // namespace

void CPublishDlg::Run(QWidget* parent, CLiveService* service, const void* key,
                      const SystemEntryTable& entries, VelmoraTournament tournament,
                      const QString& tournamentPath) {
    const QStringList reportNames = ReportNames(entries);

    CPublishDlg dlg(reportNames, parent);
    CPublisher* publisher = service->Publisher(key);
    // What is under way, or else what this tournament had when it was last published.
    Profile::PublishChoice choice = Profile::RememberedPublishing(tournamentPath);
    if (publisher) {
        choice.on = true;
        choice.destination = publisher->Destination();
        choice.reports.clear();
        for (const CPublisher::Report& report : publisher->Reports())
            choice.reports.append(report.index);
    }
    dlg.m_checkOn->setChecked(choice.on);
    dlg.m_editDestination->setText(CPublisher::IsRemote(choice.destination)
                                       ? choice.destination
                                       : QDir::toNativeSeparators(choice.destination));
    for (const int index : std::as_const(choice.reports))
        if (QListWidgetItem* item = dlg.m_listReports->item(index))
            item->setCheckState(Qt::Checked);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const QString destination = dlg.m_editDestination->text().trimmed();
    choice.on = dlg.m_checkOn->isChecked();
    choice.destination =
        CPublisher::IsRemote(destination) ? destination : QDir::fromNativeSeparators(destination);
    choice.reports.clear();
    for (int i = 0; i < dlg.m_listReports->count(); ++i)
        if (dlg.m_listReports->item(i)->checkState() == Qt::Checked)
            choice.reports.append(i);
    Profile::RememberPublishing(tournamentPath, choice);
    if (!choice.on) {
        service->EndPublishing(key);
        return;
    }
    publisher = service->StartPublishing(key);
    publisher->SetDestination(choice.destination);
    QList<CPublisher::Report> reports;
    const QString base = QFileInfo(service->TablePage(key)).completeBaseName();
    static const QRegularExpression unsafe(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    for (int i = 0; i < dlg.m_listReports->count(); ++i) {
        if (dlg.m_listReports->item(i)->checkState() != Qt::Checked)
            continue;
        char extension[VELMORA_EXTENSION_SIZE] = {};
        if (entries.GetReportExtention)
            entries.GetReportExtention(extension, i);
        QString suffix = SystemText(extension, sizeof extension);
        suffix.remove(unsafe);
        QString name = base + QStringLiteral(" - ") + reportNames.value(i);
        name.replace(unsafe, QStringLiteral("_"));
        reports.append({i, suffix.isEmpty() ? name : name + u'.' + suffix});
    }
    // The system writes its reports the way the reports command has it write them.
    const SystemEntryTable table = entries;
    publisher->SetReports(reports, [table, tournament](int index, const QString& path) {
        if (table.SaveReport)
            table.SaveReport(tournament, index, path.toUtf8().constData());
    });
    publisher->Publish(service->TablePage(key), service->SkinFolder(key));
}
