// The view's commands that put the table page on paper or into a PDF file.
#include "CVelmoraView.h"

#include "core/Prompts.h"
#include "systems/PathHelpers.h"
#include "tournament/CVelmoraDoc.h"
#include "tournament/CWebBrowser.h"
#include "tournament/TablePrinter.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The print dialogs belong to the main window, as the program's other dialogs do.
QWidget* PrintOwner(const CVelmoraDoc* document, QWidget* fallback) {
    if (QWidget* owner = document ? document->DialogOwner() : nullptr)
        return owner;
    return fallback;
}

} // namespace

void CVelmoraView::OnPrint() {
    if (m_wndBrowser)
        TablePrinter::Print(m_wndBrowser->GetEngine(), PrintOwner(m_pDocument, this));
}

void CVelmoraView::OnPrintPreview() {
    if (m_wndBrowser)
        TablePrinter::Preview(m_wndBrowser->GetEngine(), PrintOwner(m_pDocument, this));
}

void CVelmoraView::OnSaveAsPdf() {
    if (!m_pDocument)
        return;
    Prompts::FileRequest request;
    request.save = true;
    request.owner = PrintOwner(m_pDocument, this);
    request.title = QStringLiteral("Сохранить как PDF");
    request.filters = {QStringLiteral("PDF (*.pdf)")};
    request.defaultSuffix = QStringLiteral("pdf");
    // Beside the tournament, under its name.
    const QFileInfo tournament(m_pDocument->m_strTournamentPath);
    request.initialName = tournament.absolutePath() + u'/' + tournament.completeBaseName() +
                          QStringLiteral(".pdf");
    request.confirmOverwrite = true;
    const QString path = Prompts::FileDialog(request);
    if (path.isEmpty())
        return;
    if (!TablePrinter::SaveAsPdf(m_wndBrowser ? m_wndBrowser->GetEngine() : nullptr, path))
        Prompts::Message(request.owner,
                         QStringLiteral("Таблица не сохранена в файл «%1»")
                             .arg(QDir::toNativeSeparators(path)),
                         QStringLiteral("Ошибка"), Prompts::Icon::Error, QMessageBox::Ok);
}
