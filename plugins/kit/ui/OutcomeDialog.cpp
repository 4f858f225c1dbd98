#include "OutcomeDialog.h"

#include "Ui.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <span>

namespace kit::ui {

namespace {
struct Choice {
    Outcome outcome;
    const char* objectName;
    const char* text;
};
const Choice kGameChoices[] = {
    {Outcome::WhiteWin, "resultWhiteWin", "1–0: победа белых"},
    {Outcome::Draw, "resultDraw", "½–½: ничья"},
    {Outcome::BlackWin, "resultBlackWin", "0–1: победа чёрных"},
    {Outcome::ForfeitWhite, "resultForfeitWhite", "+:− неявка чёрных"},
    {Outcome::ForfeitBlack, "resultForfeitBlack", "−:+ неявка белых"},
    {Outcome::DoubleForfeit, "resultDoubleForfeit", "−:− неявка обоих"},
};
const Choice kScoreChoices[] = {
    {Outcome::Score, "resultScore", "Счёт:"},
    {Outcome::ForfeitWhite, "resultForfeitWhite", "+:− техническое поражение гостям"},
    {Outcome::ForfeitBlack, "resultForfeitBlack", "−:+ техническое поражение хозяевам"},
    {Outcome::DoubleForfeit, "resultDoubleForfeit", "−:− техническое поражение обоим"},
};
} // namespace

OutcomeDialog::OutcomeDialog(const QString& headingText, const QString& white, const QString& black,
                             bool scores, const Result& current, QWidget* parent)
    : QDialog(parent), m_scores(scores) {
    setObjectName(QStringLiteral("resultDialog"));
    setWindowTitle(QStringLiteral("Результат"));
    auto* heading = new QLabel(headingText, this);
    heading->setObjectName(QStringLiteral("heading"));
    auto* pairing = new QLabel(this);
    pairing->setObjectName(QStringLiteral("pairing"));
    pairing->setTextFormat(Qt::PlainText);
    pairing->setText(white + QStringLiteral(" — ") + black);
    QFont bold = pairing->font();
    bold.setBold(true);
    pairing->setFont(bold);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(pairing);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    m_outcomes = new QButtonGroup(this);
    int row = 0;
    for (const Choice& c : m_scores ? std::span<const Choice>(kScoreChoices)
                                    : std::span<const Choice>(kGameChoices)) {
        auto* radio = new QRadioButton(QString::fromUtf8(c.text), this);
        radio->setObjectName(QLatin1String(c.objectName));
        m_outcomes->addButton(radio, int(c.outcome));
        grid->addWidget(radio, row, 0);
        if (c.outcome == Outcome::Score) {
            m_home = new QSpinBox(this);
            m_home->setObjectName(QStringLiteral("homeScore"));
            m_away = new QSpinBox(this);
            m_away->setObjectName(QStringLiteral("awayScore"));
            for (QSpinBox* box : {m_home, m_away}) {
                box->setRange(0, kMaxGoals);
                connect(box, &QSpinBox::valueChanged, radio, [radio] { radio->setChecked(true); });
            }
            m_home->setValue(current.home);
            m_away->setValue(current.away);
            auto* scoreRow = new QHBoxLayout;
            scoreRow->addWidget(m_home);
            scoreRow->addWidget(new QLabel(QStringLiteral(":"), this));
            scoreRow->addWidget(m_away);
            scoreRow->addStretch();
            grid->addLayout(scoreRow, row, 1);
        }
        ++row;
    }
    if (QAbstractButton* chosen = m_outcomes->button(int(current.outcome)))
        chosen->setChecked(true);
    else if (m_scores)
        m_outcomes->button(int(Outcome::Score))->setChecked(true);

    auto* buttons = OkCancelButtons(this);
    auto updateOk = [this, buttons] {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(m_outcomes->checkedId() >= 0);
    };
    connect(m_outcomes, &QButtonGroup::idToggled, this, updateOk);
    updateOk();
    layout->addWidget(buttons);
}

Result OutcomeDialog::GetResult() const {
    const int id = m_outcomes->checkedId();
    if (id < 0)
        return {};
    if (Outcome(id) == Outcome::Score)
        return Result::Goals(m_home->value(), m_away->value());
    return Result::Of(Outcome(id));
}

} // namespace kit::ui
