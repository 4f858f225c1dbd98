// Plays a six-player tournament through the built module as a user would, on a real (virtual)
// display: its dialogs are filled and screenshotted, the table page is written in every skin
// and shown in a web view. Not a test and not shipped; scripts/xvfb-roundrobin.sh runs it.
//   rr_xvfb_driver <output folder>
#include "ModalDriver.h"
#include "velmora_system.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLibrary>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QWebEngineView>

#include <cstdio>

namespace {

struct Entries {
#define RR_MEMBER(slot, ret, name, params) VelmoraFn_##name name = nullptr;
    VELMORA_ENTRY_POINTS(RR_MEMBER)
#undef RR_MEMBER
};

QString g_out;

void Shot(const QString& name) {
    QTest::qWait(400);
    const QString path = g_out + u'/' + name + QStringLiteral(".png");
    QProcess::execute(QStringLiteral("import"),
                      {QStringLiteral("-window"), QStringLiteral("root"), path});
    std::printf("screenshot %s\n", qPrintable(path));
}

void Ok(QDialog& d) {
    d.findChild<QDialogButtonBox*>(QStringLiteral("buttons"))
        ->button(QDialogButtonBox::Ok)
        ->click();
}

// Types like a keyboard would, one key event per character (QTest::keyClicks takes ASCII only).
void Type(QWidget* field, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->clear();
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: rr_xvfb_driver <output folder>\n");
        return 2;
    }
    g_out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(g_out);
    QLibrary library(QStringLiteral(RR_MODULE));
    if (!library.load()) {
        std::fprintf(stderr, "%s\n", qPrintable(library.errorString()));
        return 1;
    }
    Entries e;
#define RR_RESOLVE(slot, ret, name, params)                                                        \
    e.name = reinterpret_cast<VelmoraFn_##name>(library.resolve(#name));
    VELMORA_ENTRY_POINTS(RR_RESOLVE)
#undef RR_RESOLVE

    // Players, typed into the player dialog one by one.
    struct Entry {
        const char* name;
        int rating;
        const char* title;
        const char* club;
    };
    const Entry entries[] = {{"Иванов Иван", 2350, "ММ", "Спартак"},
                             {"Петрова Мария", 2410, "МГ", "Динамо"},
                             {"Сидоров Алексей", 2180, "КМС", ""},
                             {"Tom & <Jerry>", 2050, "", "<script>alert(1)</script>"},
                             {"Кузнецова Ольга", 2290, "ММ", "Ладья"},
                             {"Смирнов Пётр", 0, "", "Спартак"}};
    const VelmoraPlayers players = e.CreatePlayers();
    for (int i = 0; i < 6; ++i) {
        const Entry& en = entries[i];
        ModalDriver driver([&, i](QDialog& d) {
            Type(d.findChild<QLineEdit*>(QStringLiteral("name")), QString::fromUtf8(en.name));
            d.findChild<QSpinBox*>(QStringLiteral("rating"))->setValue(en.rating);
            Type(d.findChild<QLineEdit*>(QStringLiteral("title")), QString::fromUtf8(en.title));
            Type(d.findChild<QLineEdit*>(QStringLiteral("club")), QString::fromUtf8(en.club));
            if (i == 0)
                Shot(QStringLiteral("01-player-dialog"));
            Ok(d);
        });
        const int index = e.OnAddPlayer(players);
        char line[VELMORA_NAME_SIZE];
        e.GetPlayerHeader(players, line, index);
        std::printf("player %d: %s\n", index, line);
    }
    e.ApplySorting(players, 2); // by rating

    VelmoraParameters parameters = 0;
    {
        ModalDriver driver([](QDialog& d) {
            Shot(QStringLiteral("02-creation-dialog"));
            Ok(d);
        });
        parameters = e.GetCustomTournamentCreationParameters();
    }
    const QString folder = g_out + QStringLiteral("/tournament");
    QDir().mkpath(folder);
    const QByteArray trn = (folder + QStringLiteral("/Кубок клуба.trn")).toUtf8();
    const QByteArray htm = (folder + QStringLiteral("/Кубок клуба.htm")).toUtf8();
    const VelmoraTournament t = e.CreateTournament("Кубок клуба «Весна»", parameters, players);
    e.OnSaveTournament(t, trn.constData());
    e.SaveTable(t, htm.constData());
    e.FreeCustomTournamentCreationParameters(parameters);

    // Results round by round; the last round is left with one game to play.
    const char* outcomes[] = {"resultWhiteWin", "resultDraw",     "resultBlackWin",
                              "resultDraw",     "resultWhiteWin", "resultBlackWin",
                              "resultWhiteWin", "resultDraw",     "resultForfeitWhite",
                              "resultWhiteWin", "resultDraw",     "resultBlackWin",
                              "resultWhiteWin", "resultDraw"};
    int played = 0;
    for (const char* outcome : outcomes) {
        if (played == 3) {
            // After round 1 number 6 withdraws, and having played one game of five he may
            // have his results cancelled.
            ModalDriver driver([](QDialog& d) {
                d.findChild<QListWidget*>(QStringLiteral("withdrawn"))
                    ->item(5)
                    ->setCheckState(Qt::Checked);
                d.findChild<QRadioButton*>(QStringLiteral("withdrawCancel"))->click();
                Shot(QStringLiteral("04a-withdrawal-cancel"));
                Ok(d);
            });
            e.OnTournamentParameters(t);
            e.SaveTable(t, htm.constData());
        }
        if (e.GetNearestMatchesCount(t) == 0)
            break;
        ModalDriver driver([&, outcome](QDialog& d) {
            d.findChild<QRadioButton*>(QLatin1String(outcome))->setChecked(true);
            if (played == 0)
                Shot(QStringLiteral("03-result-dialog"));
            Ok(d);
        });
        e.OnAddMatchResult(t, 0);
        ++played;
        if (e.TableWasModified(t))
            e.SaveTable(t, htm.constData());
    }
    {
        // Number 2 withdraws too, late: his games become forfeits round by round, and
        // cancelling is not offered, with the reason.
        ModalDriver driver([](QDialog& d) {
            d.findChild<QListWidget*>(QStringLiteral("withdrawn"))
                ->item(1)
                ->setCheckState(Qt::Checked);
            Shot(QStringLiteral("04-parameters-dialog"));
            Ok(d);
        });
        e.OnTournamentParameters(t);
    }
    {
        ModalDriver driver([](QDialog& d) {
            Type(d.findChild<QLineEdit*>(QStringLiteral("venue")),
                 QStringLiteral("Тула, шахматный клуб"));
            Type(d.findChild<QLineEdit*>(QStringLiteral("dates")), QStringLiteral("3–7 апреля"));
            Type(d.findChild<QLineEdit*>(QStringLiteral("arbiter")),
                 QStringLiteral("Арбитров А. А."));
            Shot(QStringLiteral("05-info-dialog"));
            Ok(d);
        });
        e.OnTournamentInfo(t);
    }
    e.OnSaveTournament(t, trn.constData());
    auto list = [&](int32_t (*count)(VelmoraTournament),
                    int32_t (*headers)(VelmoraTournament, char**, int32_t), const char* title) {
        const int n = count(t);
        std::vector<std::vector<char>> storage(size_t(n), std::vector<char>(VELMORA_NAME_SIZE));
        std::vector<char*> lines;
        for (auto& s : storage)
            lines.push_back(s.data());
        if (n)
            headers(t, lines.data(), n);
        std::printf("%s (%d):\n", title, n);
        for (char* l : lines)
            std::printf("  %s\n", l);
    };
    list(e.GetNearestMatchesCount, e.GetNearestMatchesHeaders, "nearest");
    list(e.GetCurrentMatchesCount, e.GetCurrentMatchesHeaders, "current");
    list(e.GetLastMatchesCount, e.GetLastMatchesHeaders, "last");

    // The table page in each skin: the skin's files beside the page, as the host copies them.
    const QDir skins(QStringLiteral(RR_SKINS_DIR));
    int n = 6;
    for (const QString& skin : skins.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString skinFolder = g_out + QStringLiteral("/skin-") + skin;
        QDir().mkpath(skinFolder);
        QFile::remove(skinFolder + QStringLiteral("/style.css"));
        QFile::copy(skins.filePath(skin + QStringLiteral("/style.css")),
                    skinFolder + QStringLiteral("/style.css"));
        const QString page = skinFolder + QStringLiteral("/table.htm");
        e.SaveTable(t, page.toUtf8().constData());
        QWebEngineView view;
        view.resize(1400, 800);
        view.move(0, 0);
        bool loaded = false;
        QObject::connect(&view, &QWebEngineView::loadFinished, [&](bool) { loaded = true; });
        view.load(QUrl::fromLocalFile(page));
        view.show();
        for (int waited = 0; !loaded && waited < 20000; waited += 50)
            QTest::qWait(50);
        QTest::qWait(1500); // the first painted frame comes after loadFinished
        Shot(QStringLiteral("%1-table-%2").arg(n++, 2, 10, QLatin1Char('0')).arg(skin));
    }
    e.FreeTournament(t);
    return 0;
}
