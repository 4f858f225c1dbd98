// The round-robin system as the kit's exports see it: the rules' answers to what the host
// asks. Handles, guards and buffers are the kit's.
#include "CreationDialog.h"
#include "InfoDialog.h"
#include "MatchLists.h"
#include "ParametersDialog.h"
#include "Reports.h"
#include "ResultDialog.h"
#include "System.h"
#include "TablePage.h"
#include "TournamentFile.h"
#include "Ui.h"

using namespace rr;
using namespace rr::ui;

namespace {

class RoundRobinEvent : public kit::EventOf<Tournament> {
public:
    using EventOf::EventOf;

    QList<int> Games(kit::GameList list) const override {
        return Pick(list, NearestGames, CurrentGames, LastGames);
    }
    QString GameLine(int game) const override { return rr::GameLine(*m_t, game); }

    void EditResult(int game) override {
        if (m_t->Cancelled(game)) {
            ShowError(QStringLiteral("Встреча «%1» аннулирована вместе с результатами выбывшего "
                                     "участника. Чтобы её изменить, верните его в параметрах "
                                     "турнира.")
                          .arg(rr::GameLine(*m_t, game)));
            return;
        }
        ResultDialog dialog(*m_t, game);
        if (RunDialog(dialog) != QDialog::Accepted)
            return;
        const Result result = dialog.GetResult();
        if (result.IsSet())
            m_t->SetResult(game, result);
    }

    void DeleteResult(int game) override {
        if (!m_t->Games()[size_t(game)].result.IsSet() || m_t->Cancelled(game)) {
            ShowError(QStringLiteral("У встречи «%1» нет введённого результата, который можно "
                                     "удалить: её исход задаёт выбывание участника. Верните его "
                                     "в параметрах турнира.")
                          .arg(rr::GameLine(*m_t, game)));
            return;
        }
        m_t->SetResult(game, Result{});
    }

    bool EditParameters() override {
        ParametersDialog dialog(*m_t);
        Settings settings;
        if (!kit::AskSettings(dialog, QStringLiteral("Параметры не изменены"), &settings,
                              CheckSettings))
            return false;
        m_t->SetSettings(settings);
        const QList<Withdrawal> withdrawals = dialog.GetWithdrawals();
        for (int i = 0; i < withdrawals.size(); ++i)
            m_t->SetWithdrawal(i, withdrawals[i]);
        const QList<Deduction> deductions = dialog.GetDeductions();
        if (deductions != m_t->Deductions()) {
            while (!m_t->Deductions().isEmpty())
                m_t->RemoveDeduction(int(m_t->Deductions().size()) - 1);
            for (const Deduction& d : deductions)
                m_t->AddDeduction(d);
        }
        return true;
    }

    bool EditInfo() override {
        InfoDialog dialog(*m_t);
        return TakeInfo(dialog);
    }

    QByteArray FileContent() const override { return SerializeTournament(*m_t); }
    QByteArray TablePage() const override { return TablePageHtml(*m_t).toUtf8(); }
    QByteArray Report(int index) const override { return ReportContent(*m_t, rr::Report(index)); }
};

class RoundRobinSystem : public kit::SystemOf {
public:
    RoundRobinSystem()
        : SystemOf(
              QStringLiteral("Круговая система"),
              QStringLiteral(
                  "Каждый участник встречается с каждым: один раз за круг, от одного до четырёх "
                  "кругов. Расписание составляется по таблицам Бергера, принятым ФИДЕ; при "
                  "нечётном числе участников один из них в каждом туре отдыхает, во втором круге "
                  "цвет фигур (хозяева и гости) меняется. Результаты вводятся как исходы партий "
                  "(1–0, ½–½, 0–1, неявки) или как счёт для командных видов спорта; очки за "
                  "победу, ничью и поражение задаются. Места при равенстве очков делят "
                  "дополнительные показатели: личная встреча, число побед, коэффициент Бергера, "
                  "система Койя и другие."),
              kFormatId, rr::Reports()) {}

    std::unique_ptr<kit::CreationParameters> AskCreationParameters() override {
        CreationDialog dialog(kit::WizardPlayerCount());
        return kit::AskCreationSettings(dialog, CheckSettings);
    }

    std::unique_ptr<kit::Event> Create(const QString& name,
                                       const kit::CreationParameters* parameters,
                                       const PlayerList& players) override {
        if (!kit::WithinPlayerLimit(players, kMaxPlayers, QStringLiteral("В круговом турнире")))
            return nullptr;
        const Settings settings =
            kit::SettingsChosen(parameters, DefaultSettings(ResultKind::Games));
        return std::make_unique<RoundRobinEvent>(
            std::make_unique<Tournament>(name, players.Players(), settings, players.Draw()));
    }

    std::unique_ptr<kit::Event> Load(const QString& path, QString* error) override {
        return kit::EventFor<RoundRobinEvent>(LoadTournament(path, error));
    }
};

} // namespace

kit::System& kit::TheSystem() {
    static RoundRobinSystem system;
    return system;
}
