#include "ResultDialog.h"

#include "Ui.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace ko::ui {

namespace {
QSpinBox* ScoreBox(QWidget* parent, const QString& name, bool optional) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    // −1 is "not played" in a series, shown as a dash.
    box->setRange(optional ? -1 : 0, kMaxScore);
    if (optional) {
        box->setSpecialValueText(QStringLiteral("—"));
        box->setValue(-1);
    }
    return box;
}
} // namespace

ResultDialog::ResultDialog(const Tournament& t, int match, QWidget* parent)
    : QDialog(parent), m_t(t), m_match(match) {
    const MatchState& st = t.State(match);
    const QString a = t.SideName(st.side[0]), b = t.SideName(st.side[1]);
    const MatchFormat& f = t.Format();
    setWindowTitle(t.Shape().Title(match));
    setObjectName(QStringLiteral("resultDialog"));

    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("<b>%1</b> — <b>%2</b>").arg(a.toHtmlEscaped(), b.toHtmlEscaped()), this);
    heading->setTextFormat(Qt::RichText);
    layout->addWidget(heading);

    m_played = new QRadioButton(f.bestOf == 1 ? QStringLiteral("Сыгран") : QStringLiteral("Игры серии"), this);
    m_played->setObjectName("played");
    m_played->setChecked(true);
    layout->addWidget(m_played);
    auto* grid = new QGridLayout;
    for (int g = 0; g < f.bestOf; ++g) {
        GameRow row;
        grid->addWidget(new QLabel(f.bestOf == 1 ? QStringLiteral("Счёт:") : QStringLiteral("Игра %1:").arg(g + 1), this), g, 0);
        if (f.scoring == Scoring::Scores) {
            row.a = ScoreBox(this, QStringLiteral("game%1a").arg(g + 1), f.bestOf > 1);
            row.b = ScoreBox(this, QStringLiteral("game%1b").arg(g + 1), f.bestOf > 1);
            grid->addWidget(row.a, g, 1);
            grid->addWidget(new QLabel(QStringLiteral(":"), this), g, 2);
            grid->addWidget(row.b, g, 3);
        } else {
            row.winner = new QComboBox(this);
            row.winner->setObjectName(QStringLiteral("game%1").arg(g + 1));
            row.winner->addItems({QStringLiteral("—"), QStringLiteral("Победа: ") + a, QStringLiteral("Победа: ") + b});
            grid->addWidget(row.winner, g, 1, 1, 3);
        }
        m_games.append(row);
    }
    layout->addLayout(grid);

    if (f.bestOf == 1 && f.scoring == Scoring::Scores) {
        // A level game needs a decider: who won it is read from the decider's score.
        auto* box = new QGroupBox(QStringLiteral("При равном счёте"), this);
        auto* row = new QGridLayout(box);
        m_decider = new QComboBox(box);
        m_decider->setObjectName("decider");
        for (Decider d : {Decider::None, Decider::ExtraTime, Decider::Penalties, Decider::Armageddon})
            m_decider->addItem(DeciderName(d), int(d));
        m_deciderA = ScoreBox(box, QStringLiteral("deciderA"), false);
        m_deciderB = ScoreBox(box, QStringLiteral("deciderB"), false);
        row->addWidget(m_decider, 0, 0);
        row->addWidget(m_deciderA, 0, 1);
        row->addWidget(new QLabel(QStringLiteral(":"), box), 0, 2);
        row->addWidget(m_deciderB, 0, 3);
        layout->addWidget(box);
        connect(m_games[0].a, &QSpinBox::valueChanged, this, [this] { Update(); });
        connect(m_games[0].b, &QSpinBox::valueChanged, this, [this] { Update(); });
        connect(m_decider, &QComboBox::currentIndexChanged, this, [this] { Update(); });
    }

    m_walkover = new QRadioButton(QStringLiteral("Неявка"), this);
    m_walkover->setObjectName("walkover");
    m_walkoverKind = new QComboBox(this);
    m_walkoverKind->setObjectName("walkoverKind");
    m_walkoverKind->addItems({QStringLiteral("+:− (не явился %1)").arg(b), QStringLiteral("−:+ (не явился %1)").arg(a),
                              QStringLiteral("−:− (не явились оба)")});
    auto* wo = new QHBoxLayout;
    wo->addWidget(m_walkover);
    wo->addWidget(m_walkoverKind, 1);
    layout->addLayout(wo);
    connect(m_walkover, &QRadioButton::toggled, this, [this] { Update(); });

    m_court = new QLineEdit(t.Court(match), this);
    m_court->setObjectName("court");
    m_court->setMaxLength(20);
    auto* court = new QFormLayout;
    court->addRow(QStringLiteral("Стол / корт:"), m_court);
    layout->addLayout(court);
    layout->addWidget(kit::ui::OkCancelButtons(this));

    // Show what is there: the stored result, or the walkover a withdrawal gives.
    if (const auto& stored = t.Stored(match)) {
        const MatchResult& r = stored->result;
        if (r.kind == MatchResult::Kind::Walkover) {
            m_walkover->setChecked(true);
            m_walkoverKind->setCurrentIndex(r.walkoverWinner == 0 ? 0 : r.walkoverWinner == 1 ? 1 : 2);
        }
        for (int g = 0; g < int(r.games.size()) && g < m_games.size(); ++g) {
            const GameScore& s = r.games[size_t(g)];
            if (m_games[g].a) {
                m_games[g].a->setValue(s.a);
                m_games[g].b->setValue(s.b);
            } else {
                m_games[g].winner->setCurrentIndex(s.Winner() + 1);
            }
            if (m_decider && s.decider != Decider::None) {
                m_decider->setCurrentIndex(m_decider->findData(int(s.decider)));
                m_deciderA->setValue(s.deciderA);
                m_deciderB->setValue(s.deciderB);
            }
        }
    }
    Update();
}

void ResultDialog::Update() {
    const bool played = !m_walkover->isChecked();
    for (const GameRow& row : m_games)
        for (QWidget* w : {static_cast<QWidget*>(row.a), static_cast<QWidget*>(row.b), static_cast<QWidget*>(row.winner)})
            if (w)
                w->setEnabled(played);
    m_walkoverKind->setEnabled(!played);
    if (m_decider) {
        const bool level = m_games[0].a->value() == m_games[0].b->value();
        m_decider->setEnabled(played && level);
        const bool scores = played && level && m_decider->currentData().toInt() != int(Decider::None);
        m_deciderA->setEnabled(scores);
        m_deciderB->setEnabled(scores);
    }
}

MatchResult ResultDialog::GetResult() const {
    if (m_walkover->isChecked())
        return MatchResult::Walkover(m_walkoverKind->currentIndex() == 2 ? -1 : m_walkoverKind->currentIndex());
    MatchResult r;
    r.kind = MatchResult::Kind::Games;
    for (const GameRow& row : m_games) {
        GameScore g;
        if (row.winner) {
            if (row.winner->currentIndex() == 0)
                continue;
            g = row.winner->currentIndex() == 1 ? GameScore{1, 0} : GameScore{0, 1};
        } else {
            if (row.a->value() < 0 && row.b->value() < 0)
                continue;
            g.a = std::max(row.a->value(), 0);
            g.b = std::max(row.b->value(), 0);
        }
        r.games.push_back(g);
    }
    if (m_decider && r.games.size() == 1 && r.games[0].a == r.games[0].b) {
        GameScore& g = r.games[0];
        g.decider = Decider(m_decider->currentData().toInt());
        if (g.decider != Decider::None) {
            g.deciderA = m_deciderA->value();
            g.deciderB = m_deciderB->value();
        }
    }
    if (r.games.empty())
        r.kind = MatchResult::Kind::None;
    return r;
}

QString ResultDialog::GetCourt() const { return m_court->text().trimmed(); }

void ResultDialog::accept() {
    const MatchResult r = GetResult();
    if (r.IsSet()) {
        const QString problem = r.Check(m_t.Format());
        if (!problem.isEmpty()) {
            kit::ui::ShowError(problem);
            return;
        }
        // A new winner changes who plays later: say which results go before they go.
        const QList<int> cleared = m_t.WouldClear(m_match, r);
        if (!cleared.isEmpty()) {
            QStringList names;
            for (int m : cleared)
                names << QStringLiteral("• ") + m_t.Shape().Title(m);
            QMessageBox ask(QMessageBox::Warning, QStringLiteral("Изменение результата"),
                            QStringLiteral("Победитель матча меняется. Результаты этих матчей будут удалены:\n%1\n\nПродолжить?")
                                .arg(names.join(u'\n')),
                            QMessageBox::Yes | QMessageBox::No, this);
            ask.setObjectName("clearQuestion");
            ask.setTextFormat(Qt::PlainText);
            if (kit::ui::RunDialog(ask) != QMessageBox::Yes)
                return;
        }
    }
    QDialog::accept();
}

} // namespace ko::ui
