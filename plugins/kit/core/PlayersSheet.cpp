#include "PlayersSheet.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace kit {

namespace {

using F = PlayerField;

// What a header word says. Strong words name a field outright; weak ones ("участник",
// "№", "название") only when nothing strong is beside them, so that "Клуб участника" is a
// club and "№ школы" a school. "Имя" is a first name beside a surname column, else the name.
enum class Key {
    None,
    Surname,
    FirstName,
    FirstOrName,
    Patronymic,
    Name,
    Number,
    Rating,
    Title,
    Club,
    City,
    FideId,
    BirthYear
};
struct Word {
    Key key = Key::None;
    bool strong = false;
};

// Russian headers come inflected ("Команды", "Фамилии", "Номер класса"): a stem takes one
// of these endings. Longer ones would start matching surnames ("Клубов").
bool HasStem(const QString& word, QStringView stem) {
    static const QSet<QString> endings{"",   "а",  "я",  "ы",  "и",  "у",  "ю",
                                       "е",  "о",  "ь",  "ой", "ей", "ия", "ии",
                                       "ие", "ая", "ый", "ий", "ое", "ых", "s"};
    return word.startsWith(stem) && endings.contains(word.mid(stem.size()));
}

Word Classify(const QString& w) {
    struct Stems {
        Key key;
        bool strong;
        std::initializer_list<const char16_t*> stems;
    };
    static const Stems table[] = {
        {Key::Name, true, {u"фио"}},
        {Key::Surname,
         true,
         {u"фамили", u"surname", u"lastname", u"last", u"family", u"familyname"}},
        {Key::FirstName, true, {u"first", u"firstname", u"given", u"givenname", u"forename"}},
        {Key::FirstOrName, true, {u"имя", u"имени"}},
        {Key::Patronymic, true, {u"отчеств", u"patronymic", u"middle", u"middlename"}},
        {Key::Rating, true, {u"рейтинг", u"рейт", u"rating", u"elo", u"эло", u"rtg"}},
        {Key::FideId, true, {u"фиде", u"fide", u"fideid", u"фидеid"}},
        {Key::BirthYear,
         true,
         {u"рождени", u"birth", u"born", u"birthyear", u"birthdate", u"yob"}},
        {Key::Title,
         true,
         {u"звани", u"разряд", u"разр", u"title", u"rank", u"категори", u"квалификаци"}},
        {Key::Club,
         true,
         {u"клуб",         u"club",         u"команд",       u"team",      u"школ",     u"school",
          u"организаци",   u"organisation", u"organization", u"класс",     u"class",    u"отряд",
          u"групп",        u"group",        u"коллектив",    u"учреждени", u"заведени", u"общество",
          u"спортобществ", u"секци",        u"лицей",        u"гимнази",   u"колледж",  u"вуз",
          u"университет",  u"институт",     u"дюсш",         u"сдюшор",    u"сдюсшор"}},
        {Key::City,
         true,
         {u"город", u"city", u"town", u"населенн", u"регион", u"region", u"област", u"стран",
          u"country", u"федераци", u"fed", u"край"}},
        {Key::Name,
         false,
         {u"name", u"игрок", u"участник", u"спортсмен", u"шахматист", u"ученик", u"учащи",
          u"учащийся", u"player", u"participant"}},
        {Key::Club, false, {u"название", u"наименовани"}},
        {Key::City, false, {u"пункт"}},
        {Key::Number, false, {u"№", u"#", u"n", u"no", u"nr", u"num", u"номер", u"пп"}},
    };
    for (const Stems& s : table)
        for (const char16_t* stem : s.stems)
            if (HasStem(w, QStringView(stem)))
                return {s.key, s.strong};
    return {};
}

// A header cell's words, lower case, "ё" as "е", punctuation as spaces: "Ф.И.О." gives
// "ф и о", "№п/п" gives "№ пп".
QStringList Words(const QString& cell) {
    QString s = cell.toLower();
    s.replace(u'ё', u'е');
    s.replace(QStringLiteral("п/п"), QStringLiteral(" пп "));
    QString out;
    for (QChar c : s) {
        if (c == u'№' || c == u'#')
            out += u' ' + QString(c) + u' ';
        else
            out += c.isLetterOrNumber() ? c : QChar(u' ');
    }
    QStringList words = out.split(u' ', Qt::SkipEmptyParts);
    for (qsizetype k = 0; k + 2 < words.size(); ++k) {
        if (words[k] == u"ф" && words[k + 1] == u"и" && words[k + 2] == u"о") {
            words[k] = QStringLiteral("фио");
            words.remove(k + 1, 2);
        }
    }
    return words;
}

struct CellKey {
    Key key = Key::None;
    bool clear = true; // false when the cell names two fields
};

CellKey HeaderKey(const QString& cell) {
    QList<Key> strong, weak;
    bool surname = false, firstOrPatronymic = false;
    for (const QString& w : Words(cell)) {
        const Word word = Classify(w);
        if (word.key == Key::None)
            continue;
        surname = surname || word.key == Key::Surname;
        firstOrPatronymic = firstOrPatronymic || word.key == Key::FirstName ||
                            word.key == Key::FirstOrName || word.key == Key::Patronymic;
        QList<Key>& list = word.strong ? strong : weak;
        if (!list.contains(word.key))
            list.append(word.key);
    }
    // "Фамилия, имя, отчество", "Фамилия Имя" hold the whole name.
    if (surname && firstOrPatronymic)
        return {Key::Name, true};
    if (strong.contains(Key::Name))
        return {Key::Name, true};
    // "Рейтинг команды", "Город клуба": the club is whose, the other word is what.
    if (strong.size() == 2 && strong.contains(Key::Club))
        strong.removeAll(Key::Club);
    // "Рейтинг ФИДЕ", "FIDE Elo" is a rating; "Федерация ФИДЕ" a place.
    if (strong.size() == 2 && strong.contains(Key::FideId) &&
        (strong.contains(Key::Rating) || strong.contains(Key::City)))
        strong.removeAll(Key::FideId);
    // "Имя игрока", "First name": the name part outweighs a general word beside it.
    const QList<Key>& keys = strong.isEmpty() ? weak : strong;
    if (keys.isEmpty())
        return {};
    return {keys.front(), keys.size() == 1};
}

// Spreadsheets write "1 850" (with a space or a no-break space) and numbered lists "12."
// or "12)".
bool WholeNumber(const QString& cell, qint64* value) {
    QString s = cell.trimmed();
    if (s.endsWith(u'.') || s.endsWith(u')'))
        s.chop(1);
    s.remove(u' ');
    s.remove(QChar(0x00A0));
    s.remove(QChar(0x202F));
    if (s.isEmpty() || s.size() > 12)
        return false;
    for (QChar c : s)
        if (!c.isDigit() || c.unicode() > u'9')
            return false;
    *value = s.toLongLong();
    return true;
}

bool IsNumber(const QString& cell) {
    qint64 whole = 0;
    if (WholeNumber(cell, &whole))
        return true;
    QString s = cell.trimmed();
    s.replace(u',', u'.');
    if (s.startsWith(u'-') || s.startsWith(QChar(0x2212)))
        s.remove(0, 1);
    bool ok = false;
    s.toDouble(&ok);
    return ok && !s.contains(u'e', Qt::CaseInsensitive) && !s.contains(u'n', Qt::CaseInsensitive);
}

bool HasText(const QString& cell) {
    return std::any_of(cell.begin(), cell.end(),
                       [](QChar c) { return c.isLetter() || c == u'№' || c == u'#'; });
}

// "КМС", "1 разряд", "2 юн.", "GM", "б/р": what a title column holds.
bool LooksLikeTitle(const QString& cell) {
    static const QSet<QString> words{"гм",   "мм",     "мф",  "км", "мс",  "мсмк", "кмс", "змс",
                                     "б",    "р",      "бр",  "gm", "im",  "fm",   "cm",  "wgm",
                                     "wim",  "wfm",    "wcm", "i",  "ii",  "iii",  "юн",  "взр",
                                     "разр", "разряд", "дан", "кю", "1",   "2",    "3",   "4",
                                     "5",    "1р",     "2р",  "3р", "1юн", "2юн",  "3юн"};
    const QStringList ws = Words(cell);
    return !ws.isEmpty() &&
           std::all_of(ws.begin(), ws.end(), [](const QString& w) { return words.contains(w); }) &&
           HasText(cell);
}

enum class Content { Empty, Whole, Decimal, Text };

struct ColumnFacts {
    Content content = Content::Empty;
    bool titles = true;           // every value looks like a title
    bool positiveDistinct = true; // whole numbers from 1, none twice
    qint64 largest = 0;
};

ColumnFacts Facts(const PlayersSheet& sheet, int from, int column) {
    ColumnFacts f;
    QSet<qint64> seen;
    bool whole = true, number = true;
    for (int r = from; r < sheet.rows.size(); ++r) {
        const QString& cell = sheet.rows[r].cells[column];
        if (cell.trimmed().isEmpty())
            continue;
        if (f.content == Content::Empty)
            f.content = Content::Text;
        qint64 value = 0;
        if (WholeNumber(cell, &value)) {
            f.positiveDistinct = f.positiveDistinct && value > 0 && !seen.contains(value);
            seen.insert(value);
            f.largest = std::max(f.largest, value);
        } else {
            whole = false;
            number = number && IsNumber(cell);
        }
        f.titles = f.titles && LooksLikeTitle(cell);
    }
    if (f.content != Content::Empty)
        f.content = whole ? Content::Whole : number ? Content::Decimal : Content::Text;
    return f;
}

int NonEmpty(const SheetRow& row) {
    return int(std::count_if(row.cells.begin(), row.cells.end(),
                             [](const QString& c) { return !c.trimmed().isEmpty(); }));
}

// A header row names its columns: no numbers in it, and either its words say what the
// columns are, or it has words where the rows below have numbers ("Очки" over "1500").
// The score is how many columns it names, so that a list's title line, which may name one
// ("Список 7 «Б» класса"), loses to the header under it; -1 for a row that is no header.
int HeaderScore(const PlayersSheet& sheet, int r) {
    const SheetRow& row = sheet.rows[r];
    int filled = 0, named = 0;
    bool nameWord = false, textOverNumbers = false;
    for (int c = 0; c < sheet.columns; ++c) {
        const QString& cell = row.cells[c];
        if (cell.trimmed().isEmpty())
            continue;
        ++filled;
        if (IsNumber(cell))
            return -1;
        const ColumnFacts below = Facts(sheet, r + 1, c);
        textOverNumbers = textOverNumbers || (HasText(cell) && (below.content == Content::Whole ||
                                                                below.content == Content::Decimal));
        const Key key = HeaderKey(cell).key;
        if (key == Key::None)
            continue;
        // The same word down the column is data: "Школа 5", "Школа 7". The first rows tell.
        bool repeated = false;
        const int end = std::min<int>(int(sheet.rows.size()), r + 1 + 100);
        for (int k = r + 1; k < end && !repeated; ++k)
            repeated = HeaderKey(sheet.rows[k].cells[c]).key == key;
        if (repeated)
            continue;
        ++named;
        nameWord = nameWord || key == Key::Name || key == Key::Surname || key == Key::FirstOrName ||
                   key == Key::FirstName;
    }
    const bool header =
        filled > 0 && (textOverNumbers || nameWord || (named > 0 && named * 2 >= filled));
    return header ? named : -1;
}

bool IsNamePart(F f) {
    return f == F::Name || f == F::Surname || f == F::FirstName || f == F::Patronymic;
}

// Columns by what the header says.
LayoutGuess FromHeader(const PlayersSheet& sheet, int headerRow) {
    LayoutGuess guess;
    guess.layout.headerRow = headerRow;
    guess.certain = true;
    const SheetRow& header = sheet.rows[headerRow];
    QList<Key> keys;
    bool surname = false, patronymic = false;
    for (int c = 0; c < sheet.columns; ++c) {
        const CellKey k = HeaderKey(header.cells[c]);
        guess.certain = guess.certain && k.clear;
        keys.append(k.key);
        surname = surname || k.key == Key::Surname;
        patronymic = patronymic || k.key == Key::Patronymic;
    }
    // In the order of Key; "Имя" alone is the whole name.
    static const F byKey[] = {F::Ignore, F::Surname, F::FirstName, F::Name,   F::Patronymic,
                              F::Name,   F::Number,  F::Rating,    F::Title,  F::Club,
                              F::City,   F::FideId,  F::BirthYear};
    for (Key key : keys)
        guess.layout.fields.append(
            key == Key::FirstOrName && (surname || patronymic) ? F::FirstName : byKey[int(key)]);
    QList<F>& fields = guess.layout.fields;
    // A league's list names its teams under "Команда": with no name column, the first club
    // column is what the entrants are called.
    if (std::none_of(fields.begin(), fields.end(), IsNamePart)) {
        const qsizetype club = fields.indexOf(F::Club);
        if (club >= 0)
            fields[club] = F::Name;
        else
            guess.certain = false;
    }
    // Clubs and places may come in parts (school and class, town and region); the rest once.
    for (F f : {F::Name, F::Surname, F::FirstName, F::Patronymic, F::Number, F::Rating, F::Title,
                F::FideId, F::BirthYear}) {
        if (fields.count(f) > 1) {
            guess.certain = false;
            if (f == F::Number || f == F::Rating || f == F::FideId || f == F::BirthYear)
                for (qsizetype c = fields.indexOf(f) + 1; c < fields.size(); ++c)
                    if (fields[c] == f)
                        fields[c] = F::Ignore;
        }
    }
    if (fields.contains(F::Name) && (fields.contains(F::Surname) || fields.contains(F::FirstName) ||
                                     fields.contains(F::Patronymic)))
        guess.certain = false;
    if (!UnplacedColumns(sheet, guess.layout).isEmpty())
        guess.certain = false;
    return guess;
}

// Columns by what they hold, for a file without a header (or with one in other words):
// an order number first, a name, a rating; titles by their look; then club and city.
LayoutGuess FromContent(const PlayersSheet& sheet, int headerRow) {
    LayoutGuess guess;
    guess.layout.headerRow = headerRow;
    QList<F>& fields = guess.layout.fields;
    bool firstFilled = true;
    for (int c = 0; c < sheet.columns; ++c) {
        const ColumnFacts facts = Facts(sheet, headerRow + 1, c);
        F f = F::Ignore;
        if (facts.content == Content::Whole) {
            if (firstFilled && facts.positiveDistinct && facts.largest < 1000 &&
                c + 1 < sheet.columns)
                f = F::Number;
            else if (!fields.contains(F::Rating))
                f = F::Rating;
        } else if (facts.content == Content::Text) {
            if (facts.titles && !fields.contains(F::Title))
                f = F::Title;
            else
                for (F next : {F::Name, F::Club, F::City})
                    if (!fields.contains(next)) {
                        f = next;
                        break;
                    }
        }
        if (facts.content != Content::Empty)
            firstFilled = false;
        fields.append(f);
    }
    guess.certain =
        headerRow < 0 && fields.contains(F::Name) &&
        std::all_of(fields.begin(), fields.end(),
                    [](F f) {
                        return f == F::Ignore || f == F::Name || f == F::Rating || f == F::Number;
                    }) &&
        UnplacedColumns(sheet, guess.layout).isEmpty();
    return guess;
}

QString ColumnLetters(int column) {
    QString letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

} // namespace

QString PlayerFieldText(PlayerField field) {
    switch (field) {
    case F::Ignore:
        return QStringLiteral("не загружать");
    case F::Name:
        return QStringLiteral("имя полностью (ФИО, название команды)");
    case F::Surname:
        return QStringLiteral("фамилия");
    case F::FirstName:
        return QStringLiteral("имя (без фамилии)");
    case F::Patronymic:
        return QStringLiteral("отчество");
    case F::Number:
        return QStringLiteral("номер (порядок в списке)");
    case F::Rating:
        return QStringLiteral("рейтинг");
    case F::Title:
        return QStringLiteral("звание или разряд");
    case F::Club:
        return QStringLiteral("клуб, команда, школа, класс");
    case F::City:
        return QStringLiteral("город");
    case F::FideId:
        return QStringLiteral("ФИДЕ ID");
    case F::BirthYear:
        return QStringLiteral("год рождения");
    }
    return {};
}

QString SplitSheet(const QString& text, PlayersSheet* sheet) {
    // The delimiter is what the first lines use most; a title line above the table has none.
    int commas = 0, semicolons = 0, tabs = 0, lines = 0;
    bool inQuotes = false;
    for (qsizetype i = 0; i < text.size() && lines < 10; ++i) {
        const QChar c = text[i];
        if (c == u'"')
            inQuotes = !inQuotes;
        else if (inQuotes)
            continue;
        else if (c == u'\n')
            ++lines;
        else if (c == u',')
            ++commas;
        else if (c == u';')
            ++semicolons;
        else if (c == u'\t')
            ++tabs;
    }
    const QChar delimiter = tabs > 0              ? QChar(u'\t')
                            : commas > semicolons ? QChar(u',')
                                                  : QChar(u';');
    int line = 1;
    SheetRow row{1, {}};
    QString field;
    bool quoted = false, fieldStarted = false;
    auto endRow = [&] {
        row.cells.append(field);
        if (NonEmpty(row) > 0)
            sheet->rows.append(row);
        sheet->columns = std::max(sheet->columns, int(row.cells.size()));
        field.clear();
        fieldStarted = false;
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < n && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n')
                    ++line;
                field += (c == u'\n' || c == u'\r') ? QChar(u' ') : c;
            }
            continue;
        }
        if (c == u'"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else if (c == delimiter) {
            row.cells.append(field);
            field.clear();
            fieldStarted = false;
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            endRow();
            row = SheetRow{++line, {}};
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted)
        return QStringLiteral("Строка %1: кавычка открыта и не закрыта.").arg(row.line);
    endRow();
    for (SheetRow& r : sheet->rows)
        while (r.cells.size() < sheet->columns)
            r.cells.append(QString());
    return {};
}

LayoutGuess GuessLayout(const PlayersSheet& sheet) {
    if (sheet.rows.isEmpty())
        return {SheetLayout{}, true}; // nothing to ask about
    // A list may start with title lines of one cell ("Список 7 «Б» класса") above the header.
    int best = -1, bestScore = -1;
    for (int r = 0; r < std::min<int>(4, int(sheet.rows.size())); ++r) {
        const int score = HeaderScore(sheet, r);
        if (score > bestScore) {
            best = r;
            bestScore = score;
        }
        if (NonEmpty(sheet.rows[r]) > 1)
            break;
    }
    if (best < 0)
        return FromContent(sheet, -1);
    return bestScore > 0 ? FromHeader(sheet, best) : FromContent(sheet, best);
}

QString ColumnTitle(const PlayersSheet& sheet, const SheetLayout& layout, int column) {
    const QString letters = QStringLiteral("столбец ") + ColumnLetters(column);
    if (layout.headerRow < 0 || layout.headerRow >= sheet.rows.size())
        return letters;
    const QString name = sheet.rows[layout.headerRow].cells.value(column).simplified();
    return name.isEmpty() ? letters : QStringLiteral("%1 («%2»)").arg(letters, name.left(60));
}

QStringList UnplacedColumns(const PlayersSheet& sheet, const SheetLayout& layout) {
    QStringList names;
    for (int c = 0; c < sheet.columns; ++c) {
        if (layout.fields.value(c, F::Ignore) != F::Ignore)
            continue;
        for (int r = layout.FirstDataRow(); r < sheet.rows.size(); ++r) {
            if (!sheet.rows[r].cells[c].trimmed().isEmpty()) {
                names.append(ColumnTitle(sheet, layout, c));
                break;
            }
        }
    }
    return names;
}

bool RowIsBlank(const SheetRow& row, const SheetLayout& layout) {
    for (int c = 0; c < row.cells.size(); ++c)
        if (layout.fields.value(c, F::Ignore) != F::Number && !row.cells[c].trimmed().isEmpty())
            return false;
    return true;
}

QString PlayerFromRow(const SheetRow& row, const SheetLayout& layout, Player* player, int* number) {
    *player = Player{};
    *number = -1;
    QStringList name, surname, first, patronymic, title, club, city;
    for (int c = 0; c < row.cells.size(); ++c) {
        const QString value = row.cells[c].simplified();
        if (value.isEmpty())
            continue;
        switch (layout.fields.value(c, F::Ignore)) {
        case F::Ignore:
            break;
        case F::Name:
            name << value;
            break;
        case F::Surname:
            surname << value;
            break;
        case F::FirstName:
            first << value;
            break;
        case F::Patronymic:
            patronymic << value;
            break;
        case F::Title:
            title << value;
            break;
        case F::Club:
            club << value;
            break;
        case F::City:
            city << value;
            break;
        case F::Number: {
            qint64 n = 0;
            if (!WholeNumber(value, &n) || n < 1 || n > 1000000)
                return QStringLiteral("Строка %1: номер «%2» — не целое положительное число.")
                    .arg(row.line)
                    .arg(value.left(40));
            *number = int(n);
            break;
        }
        case F::Rating: {
            qint64 rating = 0;
            if (!WholeNumber(value, &rating) || rating > kMaxRating)
                return QStringLiteral("Строка %1: рейтинг «%3» — не целое число от 0 до %2.")
                    .arg(row.line)
                    .arg(kMaxRating)
                    .arg(value.left(40));
            player->rating = int(rating);
            break;
        }
        case F::FideId: {
            QString id = value;
            id.remove(u' ');
            if (!IsFideId(id))
                return QStringLiteral("Строка %1: ФИДЕ ID «%2» — не число до 11 цифр.")
                    .arg(row.line)
                    .arg(value.left(40));
            player->fideId = id;
            break;
        }
        case F::BirthYear: {
            // "1987", "12.05.1987", "1987-05-12": the one four-digit number in the cell.
            static const QRegularExpression year(QStringLiteral("(?<!\\d)(\\d{4})(?!\\d)"));
            const QRegularExpressionMatch m = year.match(value);
            const int y = m.hasMatch() ? m.captured(1).toInt() : 0;
            if (y < kMinBirthYear || y > kMaxBirthYear)
                return QStringLiteral("Строка %1: год рождения «%2» — не год от %3 до %4.")
                    .arg(row.line)
                    .arg(value.left(40))
                    .arg(kMinBirthYear)
                    .arg(kMaxBirthYear);
            player->birthYear = y;
            break;
        }
        }
    }
    player->name = (name + surname + first + patronymic).join(u' ');
    player->title = title.join(QStringLiteral(", "));
    player->club = club.join(QStringLiteral(", "));
    player->city = city.join(QStringLiteral(", "));
    if (player->name.isEmpty())
        return QStringLiteral("Строка %1: не указано имя участника.").arg(row.line);
    return {};
}

} // namespace kit
