#include "CReportsDlg.h"

#include "core/Prompts.h"
#include "systems/HostText.h"
#include "systems/PathHelpers.h"
#include "tournament/FileStamp.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CReportsDlg::CReportsDlg(VelmoraTournament hTournament, const SystemEntryTable* pEntries,
                         const QString* pTournamentPath, QWidget* parent)
    : QDialog(parent), m_hTournament(hTournament), m_pEntries(pEntries),
      m_pTournamentPath(pTournamentPath) {
    setObjectName(QStringLiteral("reportsDlg"));
    setWindowTitle(QStringLiteral("Отчёты"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Выберите отчёт:"), this);
    m_listReports = new QListWidget(this);
    m_listReports->setObjectName(QStringLiteral("listReports"));
    m_listReports->setSelectionMode(QAbstractItemView::SingleSelection);
    label->setBuddy(m_listReports);

    auto* buttons = new QHBoxLayout;
    m_btnSaveAs = new QPushButton(QStringLiteral("Сохранить как ..."), this);
    m_btnSaveAs->setObjectName(QStringLiteral("btnSaveAs"));
    m_btnSaveAs->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addStretch();
    buttons->addWidget(m_btnSaveAs);
    buttons->addWidget(cancel);

    layout->addWidget(label);
    layout->addWidget(m_listReports);
    layout->addLayout(buttons);
    resize(280, 270);

    connect(m_btnSaveAs, &QPushButton::clicked, this, &CReportsDlg::OnSaveAs);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_listReports, &QListWidget::itemDoubleClicked, this, &CReportsDlg::OnSaveAs);
}

int CReportsDlg::exec() {
    OnInitDialog();
    return QDialog::exec();
}

void CReportsDlg::OnInitDialog() {
    m_listReports->setUpdatesEnabled(false);
    m_listReports->clear();
    const int n = m_pEntries && m_pEntries->GetReportsCount ? m_pEntries->GetReportsCount() : 0;
    TextBufferArray names(n);
    if (names.Count() > 0 && m_pEntries->GetReportsNames) {
        m_pEntries->GetReportsNames(names.Pointers(), names.Count());
        m_listReports->addItems(names.Texts());
    }
    m_listReports->setCurrentRow(0);
    m_listReports->setUpdatesEnabled(true);
    m_listReports->update();
}

QString CReportsDlg::SafeExtension(const QString& extension) {
    QString text = extension.trimmed();
    while (text.startsWith(u'.'))
        text.remove(0, 1);
    for (const QChar c : text)
        if (!c.isLetterOrNumber() && c != u'_' && c != u'-' && c != u'+')
            return {};
    return text;
}

void CReportsDlg::OnSaveAs() {
    const int report = m_listReports->currentRow();
    if (report < 0 || !m_pEntries)
        return;
    char buffer[VELMORA_EXTENSION_SIZE] = {};
    if (m_pEntries->GetReportExtention)
        m_pEntries->GetReportExtention(buffer, report);
    const QString extension = SafeExtension(TextFromBuffer(buffer, sizeof buffer));

    Prompts::FileRequest request;
    request.save = true;
    request.owner = this;
    request.title = QStringLiteral("Сохранить отчёт");
    const QString pattern =
        extension.isEmpty() ? QStringLiteral("*") : QStringLiteral("*.") + extension;
    request.filters = {QStringLiteral("Tournament Report (%1)").arg(pattern)};
    request.initialName = pattern;
    request.defaultSuffix = extension;
    request.confirmOverwrite = true;
    // The dialog starts in the tournament's folder.
    if (m_pTournamentPath && !m_pTournamentPath->isEmpty())
        request.initialFolder = GetPathFolder(*m_pTournamentPath);
    const QString path = Prompts::FileDialog(request);
    if (path.isEmpty())
        return;

    // Plug-ins' answers say nothing reliable here (many answer 0 either way); the disk does.
    // A report that was not written must not be announced as saved.
    const FileStamp before = FileStamp::Take(path);
    const QByteArray file = path.toUtf8();
    if (m_pEntries->SaveReport)
        m_pEntries->SaveReport(m_hTournament, m_listReports->currentRow(), file.constData());
    if (!FileStamp::Take(path).RewrittenSince(before)) {
        Prompts::Message(
            this,
            QStringLiteral("Отчёт не сохранён в файл «%1»").arg(QDir::toNativeSeparators(path)),
            QStringLiteral("Создание отчёта"), Prompts::Icon::Error, QMessageBox::Ok);
        return;
    }
    Prompts::Message(this, QStringLiteral("Отчёт сохранён"), QStringLiteral("Создание отчёта"),
                     Prompts::Icon::Information, QMessageBox::Ok);
}
