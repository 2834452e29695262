#include "cli/PointPipeline.h"

PointPipeline::PointPipeline(Search search, Take take)
    : search_(std::move(search))
    , take_(std::move(take))
    , thread_([this] { run(); }) {}

PointPipeline::~PointPipeline() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void PointPipeline::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || toSearch_; });
        if (!toSearch_)
            return;
        lock.unlock();
        try {
            search(*toSearch_);
        } catch (...) {
            failure_ = std::current_exception();
        }
        lock.lock();
        toSearch_ = nullptr;
        changed_.notify_all();
    }
}

void PointPipeline::search(Batch& batch) {
    batch.near.clear();
    batch.ends.clear();
    for (std::size_t i = 0; i < batch.used; ++i) {
        if (batch.points[i].problem.isEmpty()) {
            const std::vector<NearZip>& near = search_(batch.points[i].point);
            batch.near.insert(batch.near.end(), near.begin(), near.end());
        }
        batch.ends.push_back(batch.near.size());
    }
}

void PointPipeline::take(Batch& batch) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < batch.used; ++i) {
        const auto near = std::span(batch.near).subspan(start, batch.ends[i] - start);
        take_(batch.records[i], batch.points[i], near);
        start = batch.ends[i];
    }
    batch.used = 0;
}

void PointPipeline::waitIdle() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !toSearch_; });
    if (failure_)
        std::rethrow_exception(std::exchange(failure_, nullptr));
}

void PointPipeline::hand(Batch& batch) {
    {
        const std::lock_guard lock(mutex_);
        toSearch_ = &batch;
    }
    changed_.notify_all();
}

void PointPipeline::add(const TableRecord& record, const PointEntry& point) {
    Batch& batch = batches_[filling_];
    if (batch.records.size() <= batch.used) {
        batch.records.emplace_back();
        batch.points.emplace_back();
    }
    batch.records[batch.used].copyFrom(record);
    batch.points[batch.used] = point;
    if (++batch.used < batchSize)
        return;
    // The batch before is searched by now, or soon: this one goes to the search, and the
    // one before is taken while it runs.
    Batch& before = batches_[1 - filling_];
    waitIdle();
    hand(batch);
    take(before);
    filling_ = 1 - filling_;
}

void PointPipeline::flush() {
    Batch& last = batches_[filling_];
    Batch& before = batches_[1 - filling_];
    waitIdle();
    take(before);
    if (last.used == 0)
        return;
    hand(last);
    waitIdle();
    take(last);
}
