// The elimination-bracket system as the kit's exports see it: the rules' answers to what the
// host asks. Handles, guards and buffers are the kit's.
#include "BracketPage.h"
#include "CreationDialog.h"
#include "DetailsDialog.h"
#include "MatchLists.h"
#include "ParametersDialog.h"
#include "Reports.h"
#include "ResultDialog.h"
#include "System.h"
#include "TournamentFile.h"
#include "Ui.h"

#include <QMessageBox>

using namespace ko;
using namespace ko::ui;
using kit::ui::RunDialog;
using kit::ui::ShowError;

namespace {

Entrant FromPlayer(const kit::Player& p) { return {p.name, p.rating, p.club, p.title, p.city}; }

class KnockoutEvent : public kit::EventOf<Tournament> {
public:
    using EventOf::EventOf;

    QList<int> Games(kit::GameList list) const override {
        return Pick(list, NearestMatches, CurrentMatches, LastMatches);
    }
    QString GameLine(int match) const override { return MatchLine(*m_t, match); }

    void EditResult(int match) override {
        if (!m_t->CanEnter(match))
            return;
        ResultDialog dialog(*m_t, match);
        if (RunDialog(dialog) != QDialog::Accepted)
            return;
        m_t->SetCourt(match, dialog.GetCourt());
        const MatchResult result = dialog.GetResult();
        if (result.IsSet())
            m_t->SetResult(match, result);
    }

    void DeleteResult(int match) override {
        if (!m_t->ValidMatch(match))
            return;
        if (!m_t->Stored(match)) {
            ShowError(QStringLiteral("У матча «%1» нет введённого результата: неявка засчитана, "
                                     "потому что участник снят с турнира. Верните его в параметрах "
                                     "турнира.")
                          .arg(MatchLine(*m_t, match)));
            return;
        }
        // The host's question has said that the dependent matches go too.
        m_t->ClearResult(match);
    }

    bool EditParameters() override {
        ParametersDialog dialog(*m_t);
        if (RunDialog(dialog) != QDialog::Accepted)
            return false;
        m_t->SetFormat(dialog.GetFormat());
        const QList<bool> withdrawn = dialog.GetWithdrawn();
        for (int e = 0; e < withdrawn.size() && e < m_t->EntrantCount(); ++e) {
            if (withdrawn[e] == m_t->Withdrawn(e))
                continue;
            const QList<int> cleared = m_t->WouldClearWithdrawal(e, withdrawn[e]);
            if (!cleared.isEmpty()) {
                QStringList names;
                for (int m : cleared)
                    names << QStringLiteral("• ") + m_t->Shape().Title(m);
                QMessageBox ask(QMessageBox::Warning, QStringLiteral("Снятие участника"),
                                QStringLiteral("Изменение для участника «%1» удалит результаты матчей:\n%2\n\nПродолжить?")
                                    .arg(m_t->Entrants()[e].name, names.join(u'\n')),
                                QMessageBox::Yes | QMessageBox::No);
                ask.setTextFormat(Qt::PlainText);
                ask.setObjectName("withdrawQuestion");
                if (RunDialog(ask) != QMessageBox::Yes)
                    continue;
            }
            m_t->SetWithdrawn(e, withdrawn[e]);
        }
        return true;
    }

    bool EditInfo() override {
        const int champion = m_t->Champion();
        kit::ui::DetailsDialog dialog(
            m_t->Name(), m_t->Info(),
            {{"entrants", QStringLiteral("Участников:"), QString::number(m_t->EntrantCount())},
             {"played", QStringLiteral("Сыграно матчей:"),
              QString::number(LastMatches(*m_t).size())},
             {"champion", QStringLiteral("Победитель:"),
              champion >= 0 ? m_t->Entrants()[champion].name : QStringLiteral("—")}});
        return TakeInfo(dialog);
    }

    QByteArray FileContent() const override { return SerializeTournament(*m_t); }
    QByteArray TablePage() const override { return BracketPageHtml(*m_t).toUtf8(); }
    QByteArray Report(int index) const override { return ReportContent(*m_t, ko::Report(index)); }
};

class KnockoutSystem : public kit::SystemOf {
public:
    KnockoutSystem()
        : SystemOf(
              QStringLiteral("Олимпийская система"),
              QStringLiteral(
                  "Турнир на выбывание: проигравший выбывает (или, в сетке с двумя поражениями, "
                  "переходит в нижнюю сетку и выбывает после второго поражения). От 2 до 256 "
                  "участников; сетка — ближайшая степень двойки, свободные места достаются "
                  "сильнейшим по посеву, и посев разводит первых двух до финала. Матч — одна игра "
                  "или серия до 2, 3 или 4 побед, со счётом каждой игры или только с победителем; "
                  "ничья решается дополнительным временем, серией пенальти или армагеддоном. "
                  "Матч за 3-е место, суперфинал, неявки и снятие участников, разведение "
                  "участников одного клуба в первом круге."),
              kFormatId, ko::Reports()) {}

    std::unique_ptr<kit::CreationParameters> AskCreationParameters() override {
        CreationDialog dialog;
        if (RunDialog(dialog) != QDialog::Accepted)
            return nullptr;
        return std::make_unique<kit::ChosenSettings<Options>>(dialog.GetOptions());
    }

    std::unique_ptr<kit::Event> Create(const QString& name, const kit::CreationParameters* parameters,
                                       const kit::PlayerList& players) override {
        const Options options = kit::SettingsChosen(parameters, Options{});
        const QString problem = CheckOptions(options, players.Count());
        if (!problem.isEmpty()) {
            ShowError(problem);
            return nullptr;
        }
        QList<Entrant> entrants;
        for (const kit::Player& p : players.Players())
            entrants.append(FromPlayer(p));
        SeedingRecord seeding;
        switch (players.Draw().method) {
        case kit::DrawMethod::ByRating:
            seeding.method = Seeding::ByRating;
            break;
        case kit::DrawMethod::Random:
            seeding.method = Seeding::Random;
            break;
        case kit::DrawMethod::ListOrder:
            seeding.method = Seeding::ListOrder;
            break;
        }
        seeding.seed = players.Draw().seed;
        return std::make_unique<KnockoutEvent>(std::make_unique<Tournament>(name, entrants, options, seeding));
    }

    std::unique_ptr<kit::Event> Load(const QString& path, QString* error) override {
        return kit::EventFor<KnockoutEvent>(LoadTournament(path, error));
    }
};

} // namespace

kit::System& kit::TheSystem() {
    static KnockoutSystem system;
    return system;
}
