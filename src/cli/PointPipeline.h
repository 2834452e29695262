#pragma once
// The records of a table of points, answered on a second thread: while it searches the
// zips near the points of one batch of records, the reading thread reads the next batch
// and takes the one before, in input order. On two cores a large table of points takes
// about the time of the slower half instead of the sum of both.

#include "convert/GeoPoint.h"
#include "entries/TableRecordStream.h"

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

class PointPipeline {
public:
    // The zips near a point; runs on the second thread only.
    using Search = std::function<const std::vector<NearZip>&(GeoPoint point)>;
    // A record, its point, and the zips found near it (none for a point with a problem); on
    // the reading thread, in input order.
    using Take = std::function<void(const TableRecord& record, const PointEntry& point,
                                    std::span<const NearZip> near)>;

    PointPipeline(Search search, Take take);
    ~PointPipeline();
    PointPipeline(const PointPipeline&) = delete;
    PointPipeline& operator=(const PointPipeline&) = delete;

    // Takes a copy of the record. Rethrows what a search threw.
    void add(const TableRecord& record, const PointEntry& point);
    // Every record added is taken. Rethrows what a search threw.
    void flush();

private:
    struct Batch {
        std::vector<TableRecord> records; // reused: no allocation once warm
        std::vector<PointEntry> points;
        std::size_t used = 0;
        std::vector<NearZip> near;     // of every record, one after another
        std::vector<std::size_t> ends; // where each record's zips end in near
    };
    static constexpr std::size_t batchSize = 4096;

    void run();
    void search(Batch& batch);
    void take(Batch& batch);
    void hand(Batch& batch);
    void waitIdle();

    Search search_;
    Take take_;
    Batch batches_[2];
    int filling_ = 0;
    std::mutex mutex_;
    std::condition_variable changed_;
    Batch* toSearch_ = nullptr;
    bool stopping_ = false;
    std::exception_ptr failure_;
    std::thread thread_; // last: starts once everything above is set up
};
