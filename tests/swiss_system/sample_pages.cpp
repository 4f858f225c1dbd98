// Writes the table page of generated tournaments into a folder, once per skin, for looking
// at (not a test): swiss_sample_pages <folder> <skins folder>. A 12-player Swiss after
// three of five rounds with a bye request, a late entrant, a forbidden pair and a withdrawal,
// and 300 players after five of nine rounds, each also as a tournament file to open in the
// program. Also pictures of the pairing dialogs for round 4 of the first, one with a hand
// change that breaks a rule, and of the parameters dialog.
#include "SwissSystemTestUtil.h"

#include "AtomicFile.h"
#include "Pairing.h"
#include "PairingDialog.h"
#include "HandPairing.h"
#include "SwissDialogs.h"
#include "TablePage.h"
#include "TournamentFile.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTableWidget>
#include <QTextStream>

using namespace swisstest;

namespace {

std::unique_ptr<Tournament> Sample(int players, int rounds, int played) {
    QList<Entrant> entrants = MakeEntrants(players);
    entrants[2].player.name = QStringLiteral("<script>alert(1)</script>");
    entrants[0].player.title = QStringLiteral("GM");
    for (int i = 0; i < players; ++i)
        entrants[i].player.club = i % 3 ? QStringLiteral("Ладья") : QStringLiteral("ДЮСШ №2");
    auto t = std::make_unique<Tournament>(QStringLiteral("Первенство города"), entrants,
                                          RoundsOf(rounds));
    t->SetInfo({QStringLiteral("Москва"), QStringLiteral("8–10 декабря"), QStringLiteral("Петров П."), {}});
    for (int r = 1; r <= played; ++r) {
        if (r == 2) {
            t->SetByes({{2, 4, ByeKind::Half}});
            t->SetForbidden({{0, 1}});
            Entrant late;
            late.player.name = QStringLiteral("Опоздавший Олег");
            late.player.rating = 2350;
            late.player.fideId = QStringLiteral("24100001");
            t->AddLateEntrant(late, ByeKind::Zero);
        }
        if (r == 3)
            t->SetWithdrawnFrom(5, 3);
        t->PairNextRound();
        if (r < played)
            PlayCurrentRound(*t, true);
    }
    // The last round half played.
    for (int i = 0; i < int(t->Boards().size()); ++i)
        if (t->Boards()[size_t(i)].round == played && t->Boards()[size_t(i)].board % 2)
            t->SetResult(i, Result::Of(Outcome::Draw));
    return t;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QDir skins(QString::fromLocal8Bit(argv[2]));
    const std::pair<QString, std::unique_ptr<Tournament>> samples[] = {
        {QStringLiteral("twelve"), Sample(12, 5, 3)}, {QStringLiteral("three-hundred"), Sample(300, 9, 5)}};
    for (const QString& skin : skins.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        out.mkpath(skin);
        QFile::remove(out.filePath(skin + QStringLiteral("/style.css")));
        QFile::copy(skins.filePath(skin + QStringLiteral("/style.css")),
                    out.filePath(skin + QStringLiteral("/style.css")));
        for (const auto& [name, t] : samples)
            kit::WriteFileAtomically(out.filePath(skin + u'/' + name + QStringLiteral(".html")),
                                     TablePageHtml(*t).toUtf8());
    }
    for (const auto& [name, t] : samples)
        kit::WriteFileAtomically(out.filePath(name + QStringLiteral(".trn")), SerializeTournament(*t));
    // The pairing dialogs of round 4 of the first sample, its round 3 complete.
    Tournament& t = *samples[0].second;
    PlayCurrentRound(t);
    sw::ui::ByesDialog byes(t, 4);
    byes.findChild<QComboBox*>(QStringLiteral("choice8"))->setCurrentIndex(1);
    byes.grab().save(out.filePath(QStringLiteral("byes-dialog.png")));
    Tournament trial = t;
    trial.SetByes(byes.GetByes());
    QString error;
    const std::vector<Board> boards = sw::PairRound(trial, &error);
    sw::ui::PairingPreview preview(trial, boards);
    preview.grab().save(out.filePath(QStringLiteral("pairing-preview.png")));
    // The first board's white and the second board's black picked for a swap, and what the
    // warning would say of it.
    auto* table = preview.findChild<QTableWidget*>(QStringLiteral("boards"));
    table->item(0, 1)->setSelected(true);
    table->item(1, 2)->setSelected(true);
    preview.grab().save(out.filePath(QStringLiteral("pairing-preview-selected.png")));
    std::vector<Board> swapped = boards;
    sw::SwapSeats(swapped, {0, false}, {1, true});
    QTextStream(stdout) << sw::PairingWarnings(trial, swapped).join(u'\n') << '\n';
    sw::ui::ParametersDialog parameters(t);
    parameters.grab().save(out.filePath(QStringLiteral("parameters-dialog.png")));
    return error.isEmpty() ? 0 : 1;
}
