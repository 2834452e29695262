#pragma once
// City names as people write them ("ST. LOUIS", "Ft Lauderdale", "WINSTON SALEM") against
// the names of the table ("SAINT LOUIS", "FORT LAUDERDALE", "WINSTON-SALEM"), for
// quellist-convert --loose. Both sides are read into one loose form: dots and hyphens
// become blanks, runs of blanks one blank, and the abbreviations the postal standard
// spells out become their words (ST -> SAINT, STE -> SAINTE, FT -> FORT, MT -> MOUNT,
// PT -> POINT), on whole words only; so a name written either way finds the other.
//
// The table's places are read once, at the first question, in the run's read transaction:
// those the zip data names, or those of GeoNames the zip data does not (NamedPlaces).

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

class ZipDatabase;

class LooseNames {
public:
    static constexpr int maxSuggestions = 3;

    enum class Of { Zips, Places }; // whose names: ZIP_CODES', or PLACES'
    explicit LooseNames(ZipDatabase& database, Of names = Of::Zips);

    // A place as the table writes it; the views live as long as this object.
    struct Name {
        QStringView city;
        QStringView state;
    };
    // The table's places whose city has the loose form of city, in that state (read
    // loosely too: "M.O." is MO); none: empty. Valid until the next call.
    const std::vector<Name>& matches(QStringView city, QStringView state);
    // Up to three places of the state ("SAINT LOUIS, MO") nearest to the city by edit
    // distance (a letter added, dropped, changed or two swapped), nearest first; none
    // farther than a third of the name's letters (at least two). An entry asked for again
    // is answered from memory.
    QStringList suggestions(QStringView city, QStringView state);

    static QString looseForm(QStringView name);
    // "LOOSE CITY\nST": a place as both sides are read, to compare two places loosely.
    static QString looseKey(QStringView city, QStringView state);
    static void appendLooseForm(QString& out, QStringView name);

private:
    // Letters added, dropped, changed or two neighbours swapped to make one text the other;
    // bound + 1 as soon as it cannot come within bound.
    qsizetype editDistance(QStringView a, QStringView b, qsizetype bound);
    QStringList nearest(QStringView looseCity, const QString& state);

    // A place of the table: "LOOSE CITY\nSTATE" and then the city as the table has it, side
    // by side with every other place in one text, so that tens of thousands of places are
    // a few allocations, made and freed at once.
    struct Place {
        qsizetype start;
        qsizetype keySize;
        qsizetype citySize;
        qsizetype stateSize;
        qsizetype next = -1; // the next place with the same key
    };
    void load();
    void groupByState();
    QStringView keyOf(const Place& place) const {
        return QStringView(text_).sliced(place.start, place.keySize);
    }
    QStringView cityOf(const Place& place) const {
        return QStringView(text_).sliced(place.start + place.keySize, place.citySize);
    }
    QStringView looseCityOf(const Place& place) const {
        return QStringView(text_).sliced(place.start, place.keySize - place.stateSize - 1);
    }
    QStringView stateOf(const Place& place) const {
        return QStringView(text_).sliced(place.start + place.keySize - place.stateSize,
                                         place.stateSize);
    }

    ZipDatabase& database_;
    Of names_;
    bool loaded_ = false;
    bool grouped_ = false;
    QString text_;
    std::vector<Place> places_;
    struct Chain {
        qsizetype first = -1;
    };
    QHash<QStringView, Chain> byKey_; // views into text_, which is full before they are made
    QHash<QStringView, std::vector<qsizetype>> byState_; // places sorted by city
    QString key_;
    std::vector<Name> found_;
    // Suggestions by "LOOSE CITY\nSTATE", at most maxRemembered: a list of one misspelt name
    // a million times is searched once, a stream of distinct ones in bounded memory.
    static constexpr qsizetype maxRemembered = 1 << 16;
    QHash<QString, QStringList> suggested_;
    std::vector<qsizetype> rows_[3]; // editDistance's rows, kept between calls
};
