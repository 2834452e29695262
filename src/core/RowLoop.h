#pragma once
// The long commands' walk over a list that may change while the window handles events:
// the row count is read once; before a row, a yield when one is due; and the walk ends
// when a yield left the list shorter than the row about to be read (the user cleared it),
// so that nothing is read past its end.
//
//     RowLoop loop(list, pacing);
//     for (qsizetype row; loop.next(row);) { ... if (loop.yielded()) showProgress(); ... }

#include "core/ListSource.h"
#include "core/Pacing.h"

class RowLoop {
public:
    RowLoop(const ListSource& list, Pacing& pacing)
        : list_(list)
        , pacing_(pacing)
        , rows_(list.rows()) {}

    // Sets row to the next row to read and returns true, or returns false at the end.
    // Throws what the yield throws (WindowClosed, when the window closed during it).
    bool next(qsizetype& row) {
        if (next_ >= rows_)
            return false;
        yielded_ = pacing_.due();
        if (yielded_) {
            pacing_.yield();
            if (next_ >= list_.rows())
                return false;
        }
        row = next_++;
        return true;
    }

    // Whether the last next() yielded: the moment to show progress.
    bool yielded() const { return yielded_; }

private:
    const ListSource& list_;
    Pacing& pacing_;
    qsizetype rows_;
    qsizetype next_ = 0;
    bool yielded_ = false;
};
