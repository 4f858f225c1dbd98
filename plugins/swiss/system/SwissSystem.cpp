// The Swiss system as the kit's exports see it: the rules' answers to what the host asks.
// Handles, guards and buffers are the kit's.
#include "MatchLists.h"
#include "OutcomeDialog.h"
#include "Pairing.h"
#include "PairingDialog.h"
#include "Reports.h"
#include "SwissDialogs.h"
#include "System.h"
#include "TablePage.h"
#include "TournamentFile.h"
#include "Ui.h"

#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>

#include <numeric>

using namespace sw;
using namespace sw::ui;

namespace {

bool Confirm(const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Швейцарская система"), text,
                    QMessageBox::Yes | QMessageBox::No);
    box.setObjectName(QStringLiteral("confirmation"));
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
    return RunDialog(box) == QMessageBox::Yes;
}

class SwissEvent : public kit::EventOf<Tournament> {
public:
    using EventOf::EventOf;

    QList<int> Games(kit::GameList list) const override {
        return Pick(list, NearestGames, CurrentGames, LastGames);
    }
    QString GameLine(int game) const override { return sw::GameLine(*m_t, game); }

    void EditResult(int game) override {
        if (game == kNextRoundLine) {
            PairNextRound();
            return;
        }
        if (game == kUnpairLine) {
            if (Confirm(QStringLiteral("Отменить жеребьёвку %1 тура?").arg(m_t->PairedRounds()))) {
                const QString error = m_t->UnpairLastRound();
                if (!error.isEmpty())
                    ShowError(error);
            }
            return;
        }
        if (!m_t->ValidGame(game))
            return;
        const Board& b = m_t->Boards()[size_t(game)];
        OutcomeDialog dialog(QStringLiteral("%1 тур, доска %2").arg(b.round).arg(b.board),
                             m_t->PlayerAt(b.white).name, m_t->PlayerAt(b.black).name, false,
                             b.result);
        if (RunDialog(dialog) != QDialog::Accepted)
            return;
        const Result result = dialog.GetResult();
        if (result.IsSet())
            m_t->SetResult(game, result);
    }

    void DeleteResult(int game) override {
        const QString error = m_t->DeleteResult(game);
        if (!error.isEmpty())
            ShowError(error);
    }

    bool EditParameters() override {
        ParametersDialog dialog(*m_t);
        Settings settings;
        if (!kit::AskSettings(dialog, QStringLiteral("Параметры не изменены"), &settings,
                              CheckSettings))
            return false;
        m_t->SetSettingsAndForbidden(settings, dialog.GetForbidden());
        const QList<bool> withdrawn = dialog.GetWithdrawn();
        for (int i = 0; i < withdrawn.size() && i < m_t->PlayerCount(); ++i) {
            const int from = m_t->Entrants()[i].withdrawnFrom;
            if (withdrawn[i] && from == 0)
                m_t->SetWithdrawnFrom(i, m_t->PairedRounds() + 1);
            else if (!withdrawn[i] && from > 0)
                m_t->SetWithdrawnFrom(i, 0);
        }
        return true;
    }

    bool EditInfo() override {
        InfoDialog dialog(*m_t);
        return TakeInfo(dialog);
    }

    QByteArray FileContent() const override { return SerializeTournament(*m_t); }
    QByteArray TablePage() const override { return TablePageHtml(*m_t).toUtf8(); }
    QByteArray Report(int index) const override {
        return index >= 0 && index < sw::Reports().size() ? ReportContent(*m_t, sw::Report(index))
                                                  : QByteArray();
    }

private:
    // Who skips the round, then the pairing board by board; nothing changes until the
    // organiser accepts it.
    void PairNextRound() {
        const int round = m_t->PairedRounds() + 1;
        if (round > m_t->TotalRounds() || (round > 1 && !m_t->RoundComplete(round - 1)))
            return;
        ByesDialog byes(*m_t, round);
        if (RunDialog(byes) != QDialog::Accepted)
            return;
        Tournament trial = *m_t;
        trial.SetByes(byes.GetByes());
        for (const Entrant& late : byes.GetLateEntrants())
            trial.AddLateEntrant(late, byes.MissedRounds());
        QString error;
        const std::vector<Board> boards = PairRound(trial, &error);
        if (!error.isEmpty()) {
            ShowError(error);
            return;
        }
        PairingPreview preview(trial, boards);
        if (RunDialog(preview) != QDialog::Accepted)
            return;
        // The late entrants renumber the players: the trial is the tournament from now on.
        *m_t = trial;
        m_t->AppendRound(preview.GetBoards());
    }
};

class SwissSystem : public kit::SystemOf {
public:
    SwissSystem()
        : SystemOf(
              QStringLiteral("Швейцарская система"),
              QStringLiteral(
                  "Для турниров с большим числом участников и небольшим числом туров: в каждом "
                  "туре "
                  "пары составляются из участников с равными или близкими очками, и никто не "
                  "встречается дважды. Пары составляются по голландской системе ФИДЕ, с "
                  "чередованием цвета, свободным от игры участником при нечётном их числе, "
                  "ускоренной жеребьёвкой по желанию. Места при равенстве очков делят "
                  "дополнительные показатели: коэффициент Бухгольца, Зоннеборна — Бергера, "
                  "прогрессивный счёт, личная встреча и другие. Турнир выгружается в файл TRF."),
              kFormatId, sw::Reports()) {}

    std::unique_ptr<kit::CreationParameters> AskCreationParameters() override {
        CreationDialog dialog;
        return kit::AskCreationSettings(dialog, CheckSettings);
    }

    std::unique_ptr<kit::Event> Create(const QString& name,
                                       const kit::CreationParameters* parameters,
                                       const PlayerList& players) override {
        if (!kit::WithinPlayerLimit(players, kMaxPlayers,
                                    QStringLiteral("В турнире по швейцарской системе")))
            return nullptr;
        Settings settings = kit::SettingsChosen(parameters, Settings{});
        if (settings.firstColour == FirstColour::Random)
            settings.firstColour = QRandomGenerator::global()->bounded(2) ? FirstColour::Black
                                                                          : FirstColour::White;
        auto t = NewTournament(name, settings, players);
        if (t->PlayerCount() > 0) {
            const QString error = t->PairNextRound();
            if (!error.isEmpty())
                ShowError(error);
        }
        return std::make_unique<SwissEvent>(std::move(t));
    }

    bool AsksRatingIds() const override { return true; }

    std::unique_ptr<kit::Event> Load(const QString& path, QString* error) override {
        return kit::EventFor<SwissEvent>(LoadTournament(path, error));
    }

private:
    // The players get their pairing numbers by rating, title and name; the host's draw
    // settles only those still level, and the entry order is kept for the file.
    static std::unique_ptr<Tournament> NewTournament(const QString& name, const Settings& settings,
                                                     const PlayerList& players) {
        QList<Entrant> entrants;
        for (const Player& p : players.Players())
            entrants.append({p, 0});
        const QList<Entrant> ordered = StartingOrder(entrants);
        DrawRecord draw = players.Draw();
        if (draw.entryOrder.size() == entrants.size()) {
            // StartingOrder is stable, so equal entrants keep their relative order: match
            // each place back to the first unused list position holding the same entrant.
            QList<int> entry;
            QList<bool> used(entrants.size(), false);
            for (const Entrant& e : ordered) {
                for (int i = 0; i < entrants.size(); ++i) {
                    if (!used[i] && entrants[i] == e) {
                        used[i] = true;
                        entry.append(draw.entryOrder[i]);
                        break;
                    }
                }
            }
            draw.entryOrder = entry;
        }
        return std::make_unique<Tournament>(name, ordered, settings, draw);
    }
};

} // namespace

kit::System& kit::TheSystem() {
    static SwissSystem system;
    return system;
}
