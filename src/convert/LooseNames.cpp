#include "convert/LooseNames.h"

#include "convert/ZipDatabase.h"

#include <algorithm>
#include <array>
#include <cctype>

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

QChar upper(QChar c) {
    return c.unicode() < 0x80 ? QChar(std::toupper(c.unicode())) : c.toUpper();
}

// "M.O. " as MO: dots and blanks dropped, upper case.
void appendLooseState(QString& out, QStringView state) {
    for (QChar c : state)
        if (c != u'.' && c != u' ' && c != u'\t')
            out += upper(c);
}

} // namespace

LooseNames::LooseNames(ZipDatabase& database, Of names)
    : database_(database)
    , names_(names) {}

QString LooseNames::looseForm(QStringView name) {
    QString loose;
    appendLooseForm(loose, name);
    return loose;
}

QString LooseNames::looseKey(QStringView city, QStringView state) {
    QString key;
    appendLooseForm(key, city);
    key += u'\n';
    appendLooseState(key, state);
    return key;
}

// One pass, written in place: the form of every place of the table is made at the first
// question, and of every entry that found nothing. No word grows to more than two and a
// half times its letters (ST -> SAINT), so three times the name is room enough.
void LooseNames::appendLooseForm(QString& out, QStringView name) {
    const auto isGap = [](QChar c) { return c == u' ' || c == u'.' || c == u'-' || c == u'\t'; };
    const qsizetype formStart = out.size();
    out.resize(formStart + 3 * name.size() + 1);
    QChar* const form = out.data() + formStart;
    qsizetype size = 0;
    for (qsizetype i = 0; i < name.size();) {
        while (i < name.size() && isGap(name[i]))
            ++i;
        const qsizetype start = i;
        while (i < name.size() && !isGap(name[i]))
            ++i;
        if (start == i)
            break;
        if (size > 0)
            form[size++] = u' ';
        const qsizetype wordStart = size;
        for (qsizetype c = start; c < i; ++c)
            form[size++] = upper(name[c]);
        const QStringView word(form + wordStart, size - wordStart);
        const QStringView spelled = spelledOut(word);
        if (spelled.data() != word.data()) {
            std::copy(spelled.begin(), spelled.end(), form + wordStart);
            size = wordStart + spelled.size();
        }
    }
    out.resize(formStart + size);
}

void LooseNames::load() {
    loaded_ = true;
    const auto take = [this](QStringView city, QStringView state) {
        Place place{text_.size(), 0, city.size(), 0};
        appendLooseForm(text_, city);
        text_ += u'\n';
        const qsizetype stateStart = text_.size();
        appendLooseState(text_, state);
        place.keySize = text_.size() - place.start;
        place.stateSize = text_.size() - stateStart;
        text_ += city;
        places_.push_back(place);
    };
    if (names_ == Of::Zips)
        database_.forEachPlace(take);
    else
        database_.forEachNamedPlace(take);
    for (qsizetype i = qsizetype(places_.size()) - 1; i >= 0; --i) {
        Place& place = places_[std::size_t(i)];
        Chain& chain = byKey_[keyOf(place)];
        place.next = chain.first;
        chain.first = i;
    }
}

// Suggestions are asked for only with --unmatched: the places by state wait until then.
void LooseNames::groupByState() {
    if (!loaded_)
        load();
    grouped_ = true;
    for (qsizetype i = 0; i < qsizetype(places_.size()); ++i)
        byState_[stateOf(places_[std::size_t(i)])].push_back(i);
    for (std::vector<qsizetype>& places : byState_)
        std::ranges::sort(places, {},
                          [this](qsizetype i) { return cityOf(places_[std::size_t(i)]); });
}

const std::vector<LooseNames::Name>& LooseNames::matches(QStringView city, QStringView state) {
    if (!loaded_)
        load();
    key_.resize(0); // one text for every question, its capacity kept
    appendLooseForm(key_, city);
    key_ += u'\n';
    appendLooseState(key_, state);
    found_.clear();
    const auto chain = byKey_.constFind(QStringView(key_));
    for (qsizetype i = chain == byKey_.constEnd() ? -1 : chain->first; i >= 0;
         i = places_[std::size_t(i)].next)
        found_.push_back({cityOf(places_[std::size_t(i)]), stateOf(places_[std::size_t(i)])});
    return found_;
}

QStringList LooseNames::suggestions(QStringView city, QStringView state) {
    if (!grouped_)
        groupByState();
    QString key = looseForm(city);
    const qsizetype citySize = key.size();
    key += u'\n';
    appendLooseState(key, state);
    if (const auto known = suggested_.constFind(key); known != suggested_.constEnd())
        return *known;
    QStringList names = nearest(QStringView(key).first(citySize), key.sliced(citySize + 1));
    if (suggested_.size() >= maxRemembered)
        suggested_.clear();
    suggested_.insert(key, names);
    return names;
}

QStringList LooseNames::nearest(QStringView loose, const QString& state) {
    const auto places = byState_.constFind(QStringView(state));
    if (places == byState_.constEnd())
        return {};
    const qsizetype farthest = std::max<qsizetype>(2, loose.size() / 3);
    std::vector<std::pair<qsizetype, qsizetype>> near; // distance, place
    for (qsizetype i : *places) {
        const QStringView other = looseCityOf(places_[std::size_t(i)]);
        if (std::abs(other.size() - loose.size()) > farthest)
            continue; // so many letters apart cannot be near
        const qsizetype distance = editDistance(loose, other, farthest);
        if (distance <= farthest)
            near.emplace_back(distance, i);
    }
    std::ranges::stable_sort(near, {}, &std::pair<qsizetype, qsizetype>::first);
    QStringList names;
    for (const auto& [distance, i] : near) {
        const QString name =
            cityOf(places_[std::size_t(i)]).toString() + QStringLiteral(", ") + state;
        if (!names.contains(name))
            names << name;
        if (names.size() == maxSuggestions)
            break;
    }
    return names;
}

// Optimal string alignment: Levenshtein's distance with a swap of neighbours as one step.
// A cell comes from the two rows before it, each step adding to them: once two rows in
// turn lie wholly past the bound, so does every later one.
qsizetype LooseNames::editDistance(QStringView a, QStringView b, qsizetype bound) {
    const auto width = std::size_t(b.size()) + 1;
    auto* beforeLast = &rows_[0];
    auto* last = &rows_[1];
    auto* row = &rows_[2];
    for (auto* r : {beforeLast, last, row})
        r->assign(width, 0);
    for (std::size_t j = 0; j < width; ++j)
        (*last)[j] = qsizetype(j);
    bool lastPast = false;
    for (qsizetype i = 1; i <= a.size(); ++i) {
        (*row)[0] = i;
        qsizetype least = i;
        for (std::size_t j = 1; j < width; ++j) {
            const qsizetype bj = qsizetype(j) - 1;
            const qsizetype change = a[i - 1] == b[bj] ? 0 : 1;
            qsizetype cell = std::min({(*last)[j] + 1, (*row)[j - 1] + 1, (*last)[j - 1] + change});
            if (i > 1 && bj > 0 && a[i - 1] == b[bj - 1] && a[i - 2] == b[bj])
                cell = std::min(cell, (*beforeLast)[j - 2] + 1);
            (*row)[j] = cell;
            least = std::min(least, cell);
        }
        if (least > bound && lastPast)
            return bound + 1;
        lastPast = least > bound;
        std::swap(beforeLast, last);
        std::swap(last, row);
    }
    return (*last)[width - 1];
}
