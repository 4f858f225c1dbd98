// The help set as the program ships it (build/bin/help): every page reachable from index.htm,
// every link and anchor resolving inside the set, and nothing a help window should not load.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QTest>

namespace {

const QString kHelp = QStringLiteral(VELMORA_BIN_DIR "/help");

QString Page(const QString& name) {
    QFile f(kHelp + u'/' + name);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = f.readAll();
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    return decoder.hasError() ? QString() : text;
}

QStringList Links(const QString& html) {
    QStringList links;
    static const QRegularExpression attribute(
        QStringLiteral("<[a-z]+\\s[^>]*?(?:href|src)=\"([^\"]*)\""));
    for (auto it = attribute.globalMatch(html); it.hasNext();)
        links.append(it.next().captured(1));
    return links;
}

QSet<QString> Ids(const QString& html) {
    QSet<QString> ids;
    static const QRegularExpression id(QStringLiteral("\\sid=\"([^\"]+)\""));
    for (auto it = id.globalMatch(html); it.hasNext();)
        ids.insert(it.next().captured(1));
    return ids;
}

} // namespace

class TestKitHelp : public QObject {
    Q_OBJECT

    // Pictures are screenshots kept in img/ of the set: each exists, is a PNG the help window
    // can show, stays small, and says in its alt text what it shows.
    static void CheckImages(const QString& page, const QString& html) {
        static const QRegularExpression tag(QStringLiteral("<img\\b[^>]*>"),
                                            QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression src(QStringLiteral("\\ssrc=\"(img/[^\"/]+\\.png)\""));
        static const QRegularExpression alt(QStringLiteral("\\salt=\"[^\"]{10,}\""));
        for (auto it = tag.globalMatch(html); it.hasNext();) {
            const QString img = it.next().captured();
            const QString where = page + ": " + img;
            const auto file = src.match(img);
            QVERIFY2(file.hasMatch(), qPrintable(where + ": not a PNG in img/"));
            QVERIFY2(alt.match(img).hasMatch(), qPrintable(where + ": no alt text"));
            const QString path = kHelp + u'/' + file.captured(1);
            QVERIFY2(QFileInfo(path).size() < 150 * 1024, qPrintable(where + ": missing or big"));
            QVERIFY2(!QImage(path).isNull(), qPrintable(where + ": not a readable image"));
        }
    }

private slots:
    void everyPageIsWellFormedAndSelfContained() {
        const QStringList pages = QDir(kHelp).entryList({"*.htm"}, QDir::Files, QDir::Name);
        QVERIFY(pages.contains("index.htm"));
        QVERIFY(pages.contains("authors.htm"));
        for (const QString& name : pages) {
            const QString html = Page(name);
            QVERIFY2(!html.isEmpty(), qPrintable(name + ": unreadable or not UTF-8"));
            QVERIFY2(html.startsWith("<!DOCTYPE html>"), qPrintable(name));
            QVERIFY2(html.contains("<meta charset=\"utf-8\">"), qPrintable(name));
            QVERIFY2(html.contains("<html lang=\"ru\">"), qPrintable(name));
            QVERIFY2(html.contains("<link rel=\"stylesheet\" type=\"text/css\" href=\"help.css\">"),
                     qPrintable(name));
            QVERIFY2(!html.contains("<script", Qt::CaseInsensitive), qPrintable(name));
            CheckImages(name, html);
            if (QTest::currentTestFailed())
                return;
        }
        QVERIFY(QFile::exists(kHelp + "/help.css"));
    }

    // Follows links from index.htm: each must stay inside the set (relative, no scheme, no
    // absolute path), name an existing file and, with a fragment, an existing id there.
    void linksResolveAndReachEveryPage() {
        QSet<QString> reached{"index.htm"};
        QStringList queue{"index.htm"};
        while (!queue.isEmpty()) {
            const QString from = queue.takeFirst();
            for (const QString& link : Links(Page(from))) {
                const QString where = from + " -> " + link;
                QVERIFY2(!link.contains(':') && !link.startsWith('/') && !link.startsWith(".."),
                         qPrintable(where + ": not a relative link inside the help set"));
                const QString file =
                    link.section('#', 0, 0).isEmpty() ? from : link.section('#', 0, 0);
                QVERIFY2(QFileInfo::exists(kHelp + u'/' + file), qPrintable(where + ": missing"));
                const QString fragment = link.section('#', 1);
                if (!fragment.isEmpty())
                    QVERIFY2(Ids(Page(file)).contains(fragment),
                             qPrintable(where + ": no such id"));
                if (file.endsWith(".htm") && !reached.contains(file)) {
                    reached.insert(file);
                    queue.append(file);
                }
            }
        }
        const QStringList pages = QDir(kHelp).entryList({"*.htm"}, QDir::Files);
        for (const QString& name : pages)
            QVERIFY2(reached.contains(name),
                     qPrintable(name + " cannot be reached from index.htm"));
    }

    // The texts a user looks for on screen must be the program's own, word for word.
    void quotesTheProgramsTexts() {
        const QString all = [] {
            QString text;
            for (const QString& name : QDir(kHelp).entryList({"*.htm"}, QDir::Files))
                text += Page(name);
            return text.simplified(); // texts may wrap across lines
        }();
        const QStringList texts = {
            "«Параметры нового чемпионата»",
            "«Количество игроков должно быть больше двух»",
            "«Метод жеребьёвки:»",
            "«Сохранение чемпионата»",
            "«Параметры загрузки чемпионата»",
            "«Не удалось открыть файл»",
            "«Данный формат не поддерживается ни одной из установленных турнирных систем»",
            "«Ошибка загрузки чемпионата»",
            "«Ближайшие»",
            "«Текущие»",
            "«Прошедшие»",
            "«Добавить результат матча»",
            "«Изменить результат матча»",
            "«Удалить результат матча»",
            "«Удаление результата матча»",
            "«Выберите скин»",
            "«Отчёт сохранён»",
            "«Данная турнирная система не содержит отчётов»",
            "«Сохранить список игроков»",
            "«Загрузить список игроков»",
            "«Добавить список игроков»",
            "«Вы действительно хотите удалить этого игрока?»",
            "«В программе не установлено ни одной турнирной системы»",
            "Прошлые чемпионаты",
            "«Начать трансляцию»",
            "«Остановить трансляцию»",
            "«Публиковать после каждого изменения»",
            "~/.config/Harrowfield Soft/Velmora.conf",
            "<kbd>Ctrl+K</kbd>",
            "<kbd>Ctrl+R</kbd>",
            "<kbd>Ctrl+P</kbd>",
            "<kbd>Ctrl+I</kbd>",
            "<kbd>F1</kbd>"};
        for (const QString& text : texts)
            QVERIFY2(all.contains(text), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(TestKitHelp)
#include "tst_kit_help.moc"
