#include "TablePrinter.h"

#include "tournament/FileStamp.h"

#include <QEventLoop>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace TablePrinter {
namespace {

// A page that prints or renders for ever must not take the program with it.
constexpr int kPatienceMs = 60000;

// Prints into the printer and waits: the engine fills the printer in the background, and the
// printer (or the preview) must not be touched before it has finished.
bool PrintAndWait(QWebEngineView* view, QPrinter* printer) {
    QEventLoop loop;
    bool printed = false;
    const auto finished = QObject::connect(view, &QWebEngineView::printFinished, &loop,
                                           [&](bool success) {
                                               printed = success;
                                               loop.quit();
                                           });
    QTimer::singleShot(kPatienceMs, &loop, &QEventLoop::quit);
    view->print(printer);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    QObject::disconnect(finished);
    return printed;
}

} // namespace

bool SaveAsPdf(QWebEngineView* view, const QString& path) {
    if (!view || path.isEmpty())
        return false;
    const FileStamp before = FileStamp::Take(path);
    QEventLoop loop;
    bool written = false;
    const auto finished = QObject::connect(
        view->page(), &QWebEnginePage::pdfPrintingFinished, &loop,
        [&](const QString& file, bool success) {
            if (file != path)
                return;
            written = success;
            loop.quit();
        });
    QTimer::singleShot(kPatienceMs, &loop, &QEventLoop::quit);
    view->page()->printToPdf(path, QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                               QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    QObject::disconnect(finished);
    // The engine's word and the disk's must agree.
    return written && FileStamp::Take(path).RewrittenSince(before);
}

bool Print(QWebEngineView* view, QWidget* owner) {
    if (!view)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, owner);
    dialog.setObjectName(QStringLiteral("printDialog"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return PrintAndWait(view, &printer);
}

void Preview(QWebEngineView* view, QWidget* owner) {
    if (!view)
        return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, owner);
    preview.setObjectName(QStringLiteral("printPreview"));
    preview.setWindowTitle(QStringLiteral("Предварительный просмотр"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, view,
                     [view](QPrinter* target) { PrintAndWait(view, target); });
    preview.exec();
}

} // namespace TablePrinter
