// The dialogs' own logic, without a person: what each one gives back for what is set.
#include "CreationDialog.h"
#include "DeductionsDialog.h"
#include "InfoDialog.h"
#include "ModalDriver.h"
#include "ParametersDialog.h"
#include "PlayerDialog.h"
#include "ResultDialog.h"
#include "RrTestUtil.h"
#include "SettingsEditor.h"
#include "Ui.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

using namespace rr;
using namespace rr::ui;

namespace {
template <class T> T* Find(QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QLatin1String(name));
    if (!child)
        qFatal("no %s", name);
    return child;
}
} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    // Names in messages are shown as typed, not as markup.
    void messagesShowNamesAsTyped() {
        const QString text = QStringLiteral("Нет результата у встречи «<b>Иванов</b> — Пётр».");
        // The real message box, not the stand-in the other tests of the system use.
        const QByteArray silent = qgetenv("VELMORA_RR_NO_MESSAGES");
        qunsetenv("VELMORA_RR_NO_MESSAGES");
        QString shown;
        Qt::TextFormat format = Qt::AutoText;
        bool clicked = false;
        ModalDriver driver;
        driver.On<QMessageBox>([&](QMessageBox* box) {
            shown = box->text();
            format = box->textFormat();
            if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
                ok->click();
                clicked = true;
            }
        });
        ShowError(text);
        if (!silent.isEmpty())
            qputenv("VELMORA_RR_NO_MESSAGES", silent);
        QVERIFY(clicked);
        QCOMPARE(shown, text);
        QCOMPARE(format, Qt::PlainText);
    }

    void creationDefaultsAreChess() {
        CreationDialog d;
        QCOMPARE(d.GetSettings(), DefaultSettings(ResultKind::Games));
        QCOMPARE(Find<QComboBox>(d, "pointsPreset")->currentIndex(), 0);
    }

    // Switching to scores offers the goal tie-breaks and football points; a custom value
    // shows as "Свои значения".
    void creationForTeamSports() {
        CreationDialog d;
        Find<QComboBox>(d, "resultKind")->setCurrentIndex(1);
        Find<QSpinBox>(d, "cycles")->setValue(2);
        Settings s = d.GetSettings();
        QCOMPARE(s.kind, ResultKind::Scores);
        QCOMPARE(s.cycles, 2);
        QCOMPARE(s.points, (Points{6, 2, 0, 0}));
        QVERIFY(s.tieBreaks.contains(TieBreak::GoalDifference));
        QVERIFY(!s.tieBreaks.contains(TieBreak::BlackGames));
        auto* list = Find<QListWidget>(d, "tieBreaks");
        for (int i = 0; i < list->count(); ++i)
            QVERIFY(list->item(i)->text() != TieBreakName(TieBreak::BlackGames));

        auto* preset = Find<QComboBox>(d, "pointsPreset");
        preset->setCurrentIndex(2);
        emit preset->activated(2); // hockey
        QCOMPARE(d.GetSettings().points, (Points{4, 2, 0, 0}));
        Find<QDoubleSpinBox>(d, "forfeitLossPoints")->setValue(-1);
        QCOMPARE(d.GetSettings().points.forfeitLoss, -2);
        QCOMPARE(preset->currentText(), QStringLiteral("Свои значения"));
        Find<QDoubleSpinBox>(d, "forfeitLossPoints")->setValue(0);
        QCOMPARE(preset->currentIndex(), 2); // back on the hockey values
        QVERIFY(CheckSettings(d.GetSettings()).isEmpty());
    }

    // The wizard's creation dialog says how long the schedule is before it is confirmed, and
    // warns past 20 rounds, whatever makes them: many players or several cycles.
    void creationSaysTheScheduleSize() {
        CreationDialog forty(40);
        auto* size = Find<QLabel>(forty, "scheduleSize");
        QVERIFY2(
            size->text().startsWith(QStringLiteral("40 участников, 1 круг: 39 туров, 780 встреч.")),
            qPrintable(size->text()));
        QVERIFY(size->text().contains(QStringLiteral("Внимание: больше 20 туров")));

        CreationDialog twelve(12);
        size = Find<QLabel>(twelve, "scheduleSize");
        QCOMPARE(size->text(), QStringLiteral("12 участников, 1 круг: 11 туров, 66 встреч."));
        Find<QSpinBox>(twelve, "cycles")->setValue(2);
        QVERIFY(size->text().startsWith(
            QStringLiteral("12 участников, 2 круга: 22 тура, 132 встречи.")));
        QVERIFY(size->text().contains(QStringLiteral("Внимание")));

        QCOMPARE(ScheduleText(21, 1), QStringLiteral("21 участник, 1 круг: 21 тур, 210 встреч.\n"
                                                     "Внимание: больше 20 туров. Проверьте, хватит "
                                                     "ли времени на все встречи, или уменьшите "
                                                     "число участников или кругов."));
        QCOMPARE(ScheduleText(3, 4), QStringLiteral("3 участника, 4 круга: 12 туров, 12 встреч."));
        CreationDialog unknown; // the host has shown no list yet
        QVERIFY(Find<QLabel>(unknown, "scheduleSize")->text().isEmpty());
    }

    // Penalties are given and taken back from the parameters dialog; cancelling either
    // dialog keeps the list as it was, and a penalty needs a reason.
    void deductionsFromTheParametersDialog() {
        Tournament t(QStringLiteral("Лига"), MakePlayers(3, {"Спартак", "Динамо", "Торпедо"}),
                     DefaultSettings(ResultKind::Scores));
        t.AddDeduction({0, 2, QStringLiteral("опоздание")});
        ParametersDialog parameters(t);
        QStringList errors;
        SetMessageHook([&](const QString&, const QString& text) {
            errors << text;
            return true;
        });
        auto step = [&](std::function<void(DeductionsDialog&)> act, bool accept) {
            SetDialogHook([&, act, accept](QDialog& dialog) {
                auto& d = dynamic_cast<DeductionsDialog&>(dialog);
                act(d);
                return int(accept ? QDialog::Accepted : QDialog::Rejected);
            });
            Find<QPushButton>(parameters, "deductionsButton")->click();
            SetDialogHook(nullptr);
        };
        step(
            [&](DeductionsDialog& d) {
                QCOMPARE(Find<QListWidget>(d, "deductionList")->item(0)->text(),
                         QStringLiteral("Спартак: 1 очко — опоздание"));
                QCOMPARE(Find<QDoubleSpinBox>(d, "deductionPoints")->value(), 3.0); // a win's worth
                Find<QComboBox>(d, "deductionPlayer")->setCurrentIndex(2);
                Find<QPushButton>(d, "addDeduction")->click(); // no reason yet: refused
                QCOMPARE(errors.size(), 1);
                QCOMPARE(d.GetDeductions().size(), 1);
                Find<QDoubleSpinBox>(d, "deductionPoints")->setValue(1.5);
                Find<QLineEdit>(d, "deductionReason")->setText(QStringLiteral(" договорной матч "));
                Find<QPushButton>(d, "addDeduction")->click();
            },
            false);
        QCOMPARE(parameters.GetDeductions(), t.Deductions()); // cancelled: nothing kept
        step(
            [&](DeductionsDialog& d) {
                Find<QComboBox>(d, "deductionPlayer")->setCurrentIndex(2);
                Find<QLineEdit>(d, "deductionReason")->setText(QStringLiteral("договорной матч"));
                Find<QDoubleSpinBox>(d, "deductionPoints")->setValue(1.5);
                Find<QPushButton>(d, "addDeduction")->click();
                Find<QListWidget>(d, "deductionList")->setCurrentRow(0);
                Find<QPushButton>(d, "removeDeduction")->click(); // the old one, taken back
            },
            true);
        SetMessageHook(nullptr);
        QCOMPARE(parameters.GetDeductions(),
                 (QList<Deduction>{{2, 3, QStringLiteral("договорной матч")}}));
        QCOMPARE(DeductionLine(t, parameters.GetDeductions()[0]),
                 QStringLiteral("Торпедо: 1½ очка — договорной матч"));
    }

    void tieBreakOrderAndChoice() {
        Settings start = DefaultSettings(ResultKind::Games);
        start.tieBreaks = {TieBreak::Wins};
        SettingsEditor editor(start);
        auto* list = Find<QListWidget>(editor, "tieBreaks");
        QCOMPARE(list->item(0)->text(), TieBreakName(TieBreak::Wins)); // chosen ones first
        QCOMPARE(editor.Apply(start).tieBreaks, (QList<TieBreak>{TieBreak::Wins}));
        list->item(2)->setCheckState(Qt::Checked); // Sonneborn-Berger
        list->setCurrentRow(2);
        Find<QPushButton>(editor, "tieBreakUp")->click();
        Find<QPushButton>(editor, "tieBreakUp")->click();
        Find<QPushButton>(editor, "tieBreakUp")->click(); // already at the top: stays
        QCOMPARE(editor.Apply(start).tieBreaks,
                 (QList<TieBreak>{TieBreak::SonnebornBerger, TieBreak::Wins}));
        list->item(0)->setCheckState(Qt::Unchecked);
        list->item(1)->setCheckState(Qt::Unchecked);
        QVERIFY(editor.Apply(start).tieBreaks.isEmpty()); // points alone are allowed
    }

    void resultDialogStartsFromTheEnteredResult() {
        Tournament t(QStringLiteral("Т"), MakePlayers(4, {"<b>Анна</b>", "Борис", "Вера", "Глеб"}),
                     {});
        Play(t, 1, 1, "=");
        ResultDialog d(t, GameOf(t, 1, 1));
        QVERIFY(Find<QRadioButton>(d, "resultDraw")->isChecked());
        QCOMPARE(Find<QLabel>(d, "pairing")->textFormat(), Qt::PlainText); // a name is not markup
        QCOMPARE(Find<QLabel>(d, "heading")->text(), QStringLiteral("1 тур, доска 1"));
        Find<QRadioButton>(d, "resultDoubleForfeit")->setChecked(true);
        QCOMPARE(d.GetResult(), Result::Of(Outcome::DoubleForfeit));

        ResultDialog fresh(t, GameOf(t, 1, 2));
        auto* ok = Find<QDialogButtonBox>(fresh, "buttons")->button(QDialogButtonBox::Ok);
        QVERIFY(!ok->isEnabled()); // nothing chosen yet
        Find<QRadioButton>(fresh, "resultBlackWin")->setChecked(true);
        QVERIFY(ok->isEnabled());
    }

    void scoreDialog() {
        Tournament t(QStringLiteral("Лига"), MakePlayers(2, {"Спартак", "Динамо"}),
                     DefaultSettings(ResultKind::Scores));
        Play(t, 1, 1, "+-");
        ResultDialog d(t, 0);
        QCOMPARE(Find<QLabel>(d, "heading")->text(), QStringLiteral("1 тур")); // no board
        QVERIFY(Find<QRadioButton>(d, "resultForfeitWhite")->isChecked());
        QVERIFY(!d.findChild<QRadioButton*>(QStringLiteral("resultDraw")));
        Find<QSpinBox>(d, "homeScore")->setValue(2);
        Find<QSpinBox>(d, "awayScore")->setValue(5); // typing a score chooses "Счёт"
        QCOMPARE(d.GetResult(), Result::Goals(2, 5));
    }

    void playerDialog() {
        PlayerDialog d(Player{QStringLiteral("Анна"), 1800, {}, QStringLiteral("Ладья"), {}},
                       false);
        auto* ok = Find<QDialogButtonBox>(d, "buttons")->button(QDialogButtonBox::Ok);
        QVERIFY(ok->isEnabled());
        Find<QLineEdit>(d, "name")->setText(QStringLiteral("   "));
        QVERIFY(!ok->isEnabled());
        Find<QLineEdit>(d, "name")->setText(QStringLiteral(" Анна Б. "));
        Find<QLineEdit>(d, "city")->setText(QStringLiteral("Омск"));
        QCOMPARE(d.GetPlayer(), (Player{QStringLiteral("Анна Б."),
                                        1800,
                                        {},
                                        QStringLiteral("Ладья"),
                                        QStringLiteral("Омск")}));
    }

    void parametersDialogKeepsFixedSettings() {
        Settings s = DefaultSettings(ResultKind::Games);
        s.cycles = 3;
        Tournament t(QStringLiteral("Т"), MakePlayers(3), s);
        t.SetWithdrawn(1, true);
        ParametersDialog d(t);
        QCOMPARE(d.GetWithdrawn(), (QList<bool>{false, true, false}));
        QVERIFY(Find<QLabel>(d, "fixedSettings")->text().contains(QStringLiteral("Кругов: 3")));
        Find<QListWidget>(d, "withdrawn")->item(1)->setCheckState(Qt::Unchecked);
        QCOMPARE(d.GetWithdrawn(), (QList<bool>{false, false, false}));
        QCOMPARE(d.GetSettings(), t.GetSettings()); // untouched: nothing changes
    }

    // The withdrawal rule is chosen per player. Cancelling is offered only to one who has
    // played fewer than half of his games, and the dialog says why it is not to the others.
    void withdrawalRuleIsChosenAndExplained() {
        Tournament t(QStringLiteral("Т"), MakePlayers(4, {"A", "B", "C", "D"}), {});
        Play(t, 1, 1, "1-0"); // A-D
        Play(t, 2, 2, "0-1"); // A-B: A has played two of three
        QVERIFY(t.SetWithdrawn(0, true));
        ParametersDialog d(t);
        auto* list = Find<QListWidget>(d, "withdrawn");
        auto* forfeits = Find<QRadioButton>(d, "withdrawForfeits");
        auto* cancel = Find<QRadioButton>(d, "withdrawCancel");
        auto* why = Find<QLabel>(d, "withdrawWhy");
        QCOMPARE(list->currentRow(), 0); // the withdrawn player's rule is in sight
        QVERIFY(forfeits->isChecked() && forfeits->isEnabled());
        QVERIFY(!cancel->isEnabled());
        QVERIFY(!why->isHidden());
        QCOMPARE(why->text(), QStringLiteral("Аннулировать результаты участника «A» нельзя: он "
                                             "сыграл 2 из 3 встреч, а это не меньше половины."));
        // D has played one: ticked, he may have his results cancelled.
        list->item(3)->setCheckState(Qt::Checked);
        QCOMPARE(list->currentRow(), 3);
        QVERIFY(cancel->isEnabled());
        QVERIFY(why->isHidden());
        QTest::mouseClick(cancel, Qt::LeftButton);
        QCOMPARE(d.GetWithdrawals(), (QList<Withdrawal>{Withdrawal::Forfeits, Withdrawal::None,
                                                        Withdrawal::None, Withdrawal::Cancelled}));
        // An unticked player has no rule to choose; ticked again he gets his rule back.
        list->item(3)->setCheckState(Qt::Unchecked);
        QVERIFY(!cancel->isEnabled() && !forfeits->isEnabled());
        QCOMPARE(d.GetWithdrawals()[3], Withdrawal::None);
        list->item(3)->setCheckState(Qt::Checked);
        QCOMPARE(d.GetWithdrawals()[3], Withdrawal::Cancelled);
        list->setCurrentRow(0);
        QVERIFY(forfeits->isChecked() && !cancel->isEnabled());
    }

    void infoDialogFigures() {
        Tournament t(QStringLiteral("Кубок"), MakePlayers(4, {"A", "B", "C", "D"}), {});
        InfoDialog before(t);
        QCOMPARE(Find<QLabel>(before, "leaderFigure")->text(), QStringLiteral("пока нет"));
        Play(t, 1, 1, "1-0");
        Play(t, 1, 2, "1-0");
        InfoDialog d(t);
        QCOMPARE(Find<QLabel>(d, "playersFigure")->text(), QStringLiteral("4"));
        QCOMPARE(Find<QLabel>(d, "gamesFigure")->text(), QStringLiteral("2 из 6"));
        // A forfeit, entered or from a withdrawal, is not a game played (FIDE Handbook C.07,
        // art. 16: forfeits are unplayed games), though it counts for the leader's points.
        Play(t, 2, 1, "+-");
        t.SetWithdrawn(3, true);
        Play(t, 3, 2, "1-0"); // C-A: round 3 done, so B's game with D is B's forfeit win
        InfoDialog forfeits(t);
        QCOMPARE(Find<QLabel>(forfeits, "gamesFigure")->text(), QStringLiteral("3 из 6"));
        QCOMPARE(Find<QLabel>(forfeits, "leaderFigure")->text(), QStringLiteral("B (2)"));
        QCOMPARE(Find<QLabel>(d, "leaderFigure")->text(), QStringLiteral("A, B (1)"));
        Find<QLineEdit>(d, "arbiter")->setText(QStringLiteral(" Судья "));
        QCOMPARE(d.GetInfo().arbiter, QStringLiteral("Судья"));
        QCOMPARE(d.GetName(), QStringLiteral("Кубок"));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_rr_dialogs.moc"
