#include "convert/LooseNames.h"

#include "convert/ZipDatabase.h"

#include <algorithm>
#include <array>

namespace {

struct Abbreviation {
    const char16_t* written;
    const char16_t* word;
};
constexpr std::array<Abbreviation, 5> abbreviations{{{u"ST", u"SAINT"},
                                                     {u"STE", u"SAINTE"},
                                                     {u"FT", u"FORT"},
                                                     {u"MT", u"MOUNT"},
                                                     {u"PT", u"POINT"}}};

QStringView spelledOut(QStringView word) {
    for (const Abbreviation& abbreviation : abbreviations)
        if (word == QStringView(abbreviation.written))
            return QStringView(abbreviation.word);
    return word;
}

QString looseState(QStringView state) {
    return state.toString().remove(u'.').trimmed().toUpper();
}

} // namespace

LooseNames::LooseNames(ZipDatabase& database)
    : database_(database) {}

QString LooseNames::looseForm(QStringView name) {
    QString text = name.toString().toUpper();
    for (QChar& c : text)
        if (c == u'.' || c == u'-' || c == u'\t')
            c = u' ';
    QString loose;
    for (QStringView word : QStringView(text).split(u' ', Qt::SkipEmptyParts)) {
        if (!loose.isEmpty())
            loose += u' ';
        loose += spelledOut(word);
    }
    return loose;
}

QString LooseNames::key(QStringView looseCity, QStringView state) {
    return looseCity.toString() + u'\n' + state.toString();
}

void LooseNames::load() {
    loaded_ = true;
    database_.forEachPlace([this](QStringView city, QStringView state) {
        const QString loose = looseForm(city);
        const QString upperState = state.toString().toUpper();
        byLooseName_[key(loose, upperState)].append(city.toString());
        byState_[upperState].push_back({loose, city.toString()});
    });
    for (std::vector<Place>& places : byState_)
        std::ranges::sort(places, {}, &Place::city);
}

const QStringList& LooseNames::matches(QStringView city, QStringView state) {
    if (!loaded_)
        load();
    const auto found = byLooseName_.constFind(key(looseForm(city), looseState(state)));
    return found == byLooseName_.constEnd() ? none_ : *found;
}

QStringList LooseNames::suggestions(QStringView city, QStringView state) {
    if (!loaded_)
        load();
    const QString state_ = looseState(state);
    const auto places = byState_.constFind(state_);
    if (places == byState_.constEnd())
        return {};
    const QString loose = looseForm(city);
    const qsizetype farthest = std::max<qsizetype>(2, loose.size() / 3);
    std::vector<std::pair<qsizetype, const Place*>> near;
    for (const Place& place : *places) {
        if (std::abs(place.loose.size() - loose.size()) > farthest)
            continue; // so many letters apart cannot be near
        const qsizetype distance = editDistance(loose, place.loose);
        if (distance <= farthest)
            near.emplace_back(distance, &place);
    }
    std::ranges::stable_sort(near, {}, &std::pair<qsizetype, const Place*>::first);
    QStringList names;
    for (const auto& [distance, place] : near) {
        const QString name = place->city + QStringLiteral(", ") + state_;
        if (!names.contains(name))
            names << name;
        if (names.size() == maxSuggestions)
            break;
    }
    return names;
}

// Optimal string alignment: Levenshtein's distance with a swap of neighbours as one step.
qsizetype LooseNames::editDistance(QStringView a, QStringView b) {
    const auto width = std::size_t(b.size()) + 1;
    std::vector<qsizetype> beforeLast(width), last(width), row(width);
    for (std::size_t j = 0; j < width; ++j)
        last[j] = qsizetype(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        row[0] = i;
        for (std::size_t j = 1; j < width; ++j) {
            const qsizetype bj = qsizetype(j) - 1;
            const qsizetype change = a[i - 1] == b[bj] ? 0 : 1;
            row[j] = std::min({last[j] + 1, row[j - 1] + 1, last[j - 1] + change});
            if (i > 1 && bj > 0 && a[i - 1] == b[bj - 1] && a[i - 2] == b[bj])
                row[j] = std::min(row[j], beforeLast[j - 2] + 1);
        }
        std::swap(beforeLast, last);
        std::swap(last, row);
    }
    return last[width - 1];
}
