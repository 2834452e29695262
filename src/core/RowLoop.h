#pragma once
// The long commands' walk over a list that may change while the window handles events:
// the row count is read once; before a row, a yield when one is due; and the walk ends
// when a yield left the list shorter than the row about to be read (the user cleared it),
// so that nothing is read past its end.
//
//     RowLoop loop(list, pump);
//     for (qsizetype row; loop.next(row);) { ... if (loop.yielded()) showProgress(); ... }

#include "core/EventPump.h"
#include "core/ListSource.h"

class RowLoop {
public:
    RowLoop(const ListSource& list, EventPump& pump)
        : list_(list)
        , pump_(pump)
        , rows_(list.rows()) {}

    // Sets row to the next row to read and returns true, or returns false at the end.
    // Throws WindowClosed when the window closed during the yield.
    bool next(qsizetype& row) {
        if (next_ >= rows_)
            return false;
        yielded_ = pump_.due();
        if (yielded_) {
            pump_.yield();
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
    EventPump& pump_;
    qsizetype rows_;
    qsizetype next_ = 0;
    bool yielded_ = false;
};
