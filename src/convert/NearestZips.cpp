#include "convert/NearestZips.h"

#include "convert/NearbyZips.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr std::uint32_t leafSize = 10;
constexpr int cellsADegree = 20;
constexpr std::size_t maxCellCandidates = std::size_t(1) << 23; // 32 MB; then forgotten
constexpr std::size_t maxCells = std::size_t(1) << 21;          // 64 MB of cells at most
constexpr float infinity = std::numeric_limits<float>::infinity();

// A squared chord in single precision is off by at most about 2e-7 of a unit in each
// coordinate: points whose squared chord is this close to the bound may be as near as the
// point that set it. They stay candidates, and the great-circle distance decides.
float withSlack(float bound) {
    return bound + bound * 1e-6F + 2e-6F * std::sqrt(bound) + 1e-12F;
}

void positionOf(GeoPoint at, float v[3]) {
    constexpr double radians = std::numbers::pi / 180;
    const double latitude = at.latitude * radians;
    const double longitude = at.longitude * radians;
    v[0] = float(std::cos(latitude) * std::cos(longitude));
    v[1] = float(std::cos(latitude) * std::sin(longitude));
    v[2] = float(std::sin(latitude));
}

// The squared chord of a great-circle distance.
float chordSquaredOf(double miles) {
    const double angle = miles / GreatCircle::earthRadiusMiles;
    if (!(angle < std::numbers::pi))
        return infinity;
    const double chord = 2 * std::sin(angle / 2);
    return float(chord * chord);
}

} // namespace

NearestZips::NearestZips(ZipDatabase& database, int count, double miles)
    : count_(std::size_t(std::max(count, 1)))
    , miles_(miles)
    , pointOfZip_(NearbyZips::zipCount, -1)
    , aroundZip_(NearbyZips::zipCount)
    , searched_(NearbyZips::zipCount, false)
    , nearest_(NearbyZips::zipCount, -1.0) {
    maxChordSquared_ = chordSquaredOf(miles);
    database.forEachPoint([&](int zip, GeoPoint at) {
        if (zip < 0 || zip >= NearbyZips::zipCount)
            return;
        Position position{};
        positionOf(at, position.v);
        position.point = std::uint32_t(points_.size());
        pointOfZip_[std::size_t(zip)] = int(points_.size());
        points_.push_back({at, zip});
        positions_.push_back(position);
    });
    nodes_.emplace_back();
    build(0, 0, std::uint32_t(positions_.size()));
}

// The node holds positions first to end; split at the median of the axis they spread
// most on.
void NearestZips::build(std::uint32_t node, std::uint32_t first, std::uint32_t end) {
    nodes_[node].first = first;
    nodes_[node].end = end;
    if (end - first <= leafSize)
        return;
    float low[3]{infinity, infinity, infinity};
    float high[3]{-infinity, -infinity, -infinity};
    for (std::uint32_t i = first; i < end; ++i)
        for (int a = 0; a < 3; ++a) {
            low[a] = std::min(low[a], positions_[i].v[a]);
            high[a] = std::max(high[a], positions_[i].v[a]);
        }
    int axis = 0;
    for (int a = 1; a < 3; ++a)
        if (high[a] - low[a] > high[axis] - low[axis])
            axis = a;
    const std::uint32_t middle = first + (end - first) / 2;
    std::nth_element(
        positions_.begin() + first, positions_.begin() + middle, positions_.begin() + end,
        [axis](const Position& a, const Position& b) { return a.v[axis] < b.v[axis]; });
    const auto left = std::uint32_t(nodes_.size());
    nodes_.resize(nodes_.size() + 2);
    nodes_[node].split = positions_[middle].v[axis];
    nodes_[node].axis = std::uint32_t(axis);
    nodes_[node].left = left;
    build(left, first, middle);
    build(left + 1, middle, end);
}

// The bound with its slack: what a point, or a box, must be within to matter. It changes
// only when the heap does.
void NearestZips::updateReach() {
    reach_ = withSlack(heap_.size() < count_ ? maxChordSquared_ : heap_.front());
}

void NearestZips::consider(const Position& position, const float q[3]) {
    const float dx = position.v[0] - q[0];
    const float dy = position.v[1] - q[1];
    const float dz = position.v[2] - q[2];
    const float chordSquared = dx * dx + dy * dy + dz * dz;
    if (chordSquared > reach_)
        return;
    candidates_.push_back({chordSquared, position.point});
    if (chordSquared > maxChordSquared_)
        return;
    if (heap_.size() < count_) {
        heap_.push_back(chordSquared);
        std::ranges::push_heap(heap_);
    } else if (chordSquared < heap_.front()) {
        std::ranges::pop_heap(heap_);
        heap_.back() = chordSquared;
        std::ranges::push_heap(heap_);
    } else {
        return;
    }
    updateReach();
}

// The near child first, then the far one where a point in its cell could be within
// reach. toCell: the squared distance from q to the node's cell, kept across the splits
// crossed on the way down (across: q's distance to the last split crossed on each axis).
void NearestZips::search(std::uint32_t index, const float q[3], float toCell, float across[3]) {
    const Node& node = nodes_[index];
    if (node.left == 0) {
        for (std::uint32_t i = node.first; i < node.end; ++i)
            consider(positions_[i], q);
        return;
    }
    const float diff = q[node.axis] - node.split;
    const std::uint32_t nearSide = diff < 0 ? node.left : node.left + 1;
    search(nearSide, q, toCell, across);
    const float before = across[node.axis];
    const float toFar = toCell - before * before + diff * diff;
    if (toFar <= reach_) {
        across[node.axis] = diff;
        search(nearSide == node.left ? node.left + 1 : node.left, q, toFar, across);
        across[node.axis] = before;
    }
}

// The candidates as near as the bound, in the great-circle distance's order, ties by zip;
// the first count_ kept.
void NearestZips::finish(GeoPoint from) {
    const float limit = reach_;
    found_.clear();
    for (const Candidate& candidate : candidates_)
        if (candidate.chordSquared <= limit) {
            const ZipPoint& point = points_[candidate.point];
            if (const double miles = GreatCircle::milesBetween(from, point.at); miles <= miles_)
                found_.push_back({point.zip, miles});
        }
    std::ranges::sort(found_, nearerThan);
    if (found_.size() > count_)
        found_.resize(count_);
}

// The whole tree searched, the answer in found_.
void NearestZips::searchTree(GeoPoint point) {
    heap_.clear();
    candidates_.clear();
    updateReach();
    float q[3];
    positionOf(point, q);
    float across[3]{0, 0, 0};
    if (!positions_.empty())
        search(0, q, 0, across);
    finish(point);
}

// Every position within the squared chord of q, into cellCandidates_.
void NearestZips::collectWithin(const float q[3], float chordSquared) {
    const float limit = withSlack(chordSquared);
    stack_.assign(1, {0, 0});
    while (!stack_.empty()) {
        const Node& node = nodes_[stack_.back().node];
        stack_.pop_back();
        if (node.left != 0) {
            const float diff = q[node.axis] - node.split;
            stack_.push_back({0, diff < 0 ? node.left : node.left + 1});
            if (diff * diff <= limit)
                stack_.push_back({0, diff < 0 ? node.left + 1 : node.left});
            continue;
        }
        for (std::uint32_t i = node.first; i < node.end; ++i) {
            const float dx = positions_[i].v[0] - q[0];
            const float dy = positions_[i].v[1] - q[1];
            const float dz = positions_[i].v[2] - q[2];
            if (dx * dx + dy * dy + dz * dz <= limit)
                cellCandidates_.push_back(i);
        }
    }
}

// The point's cell, in the block of its degree of latitude and longitude, made on its first
// point; and the cell's centre.
NearestZips::Cell* NearestZips::cellOf(GeoPoint point, GeoPoint* centre) {
    const auto index = [](double degrees, double from, int count) {
        return std::clamp(int(std::floor((degrees + from) * cellsADegree)), 0, count - 1);
    };
    const int row = index(point.latitude, 90, 180 * cellsADegree);
    const int column = index(point.longitude, 180, 360 * cellsADegree);
    const double size = 1.0 / cellsADegree;
    *centre = {(row + 0.5) * size - 90, (column + 0.5) * size - 180};
    if (blockOfDegree_.empty()) { // the cells never move, and lie in huge pages: a random
        blockOfDegree_.assign(std::size_t(180) * 360, 0); // point's cell costs one read
        cells_.reserve(maxCells);
    }
    constexpr std::size_t cellsABlock = std::size_t(cellsADegree) * cellsADegree;
    std::uint32_t& block =
        blockOfDegree_[std::size_t(row / cellsADegree) * 360 + std::size_t(column / cellsADegree)];
    if (block == 0) {
        if (cells_.size() >= maxCells)
            return nullptr;
        cells_.resize(cells_.size() + cellsABlock);
        block = std::uint32_t(cells_.size() / cellsABlock);
    }
    return &cells_[std::size_t(block - 1) * cellsABlock +
                   std::size_t(row % cellsADegree) * cellsADegree +
                   std::size_t(column % cellsADegree)];
}

// The zips that can answer some point of the cell: a point of it lies within reach of the
// centre (the centre's farthest corner), so its answers lie within the distance of the
// centre's own last answer and reach, and within the distance asked and reach; from the
// centre, twice reach beyond that distance.
void NearestZips::findCandidates(Cell& cell, GeoPoint centre) {
    const double half = 0.5 / cellsADegree;
    double reach = 0;
    for (const double latitude : {centre.latitude - half, centre.latitude + half})
        for (const double longitude : {centre.longitude - half, centre.longitude + half})
            reach = std::max(reach, GreatCircle::milesBetween(centre, {latitude, longitude}));
    reach = reach * 1.001 + 0.001;
    searchTree(centre);
    const double answered = found_.size() < count_ ? std::numeric_limits<double>::infinity()
                                                   : found_.back().miles + 2 * reach;
    const double miles = std::min(answered, miles_ + reach);
    if (cellCandidates_.size() > maxCellCandidates) { // memory stays bounded
        cellCandidates_.clear();
        for (Cell& other : cells_)
            if (other.first < inCell)
                other = {seenOnce, 0, {}};
    }
    float q[3];
    positionOf(centre, q);
    const auto first = std::uint32_t(cellCandidates_.size());
    collectWithin(q, chordSquaredOf(miles));
    cell.count = std::uint32_t(cellCandidates_.size() - first);
    cell.first = first;
    if (cell.count <= std::size(cell.near) && positions_.size() <= 0x10000) { // in the cell:
        for (std::uint32_t i = 0; i < cell.count; ++i) // one read from memory less
            cell.near[i] = std::uint16_t(cellCandidates_[first + i]);
        cellCandidates_.resize(first);
        cell.first = inCell;
    }
}

const std::vector<NearZip>& NearestZips::nearest(GeoPoint point) {
    GeoPoint centre;
    Cell* cell = cellOf(point, &centre);
    if (!cell || cell->first == unseen) { // most cells see one point or none: the tree answers
        if (cell)
            cell->first = seenOnce;
        searchTree(point);
        return found_;
    }
    if (cell->first == seenOnce)
        findCandidates(*cell, centre);
    float q[3];
    positionOf(point, q);
    std::uint32_t inCellCandidates[std::size(Cell{}.near)];
    std::copy_n(cell->near, cell->first == inCell ? cell->count : 0, inCellCandidates);
    const auto candidates = cell->first == inCell
                                ? std::span<const std::uint32_t>(inCellCandidates, cell->count)
                                : std::span(cellCandidates_).subspan(cell->first, cell->count);
    if (count_ == 1) {
        nearestOf(candidates, point, q);
        return found_;
    }
    heap_.clear();
    candidates_.clear();
    updateReach();
    for (const std::uint32_t candidate : candidates)
        consider(positions_[candidate], q);
    finish(point);
    return found_;
}

// The smallest squared chord, then the great-circle distance of every candidate as near,
// within the slack: the nearest, ties by zip.
void NearestZips::nearestOf(std::span<const std::uint32_t> candidates, GeoPoint point,
                            const float q[3]) {
    const auto chordSquared = [&](std::uint32_t candidate) {
        const float dx = positions_[candidate].v[0] - q[0];
        const float dy = positions_[candidate].v[1] - q[1];
        const float dz = positions_[candidate].v[2] - q[2];
        return dx * dx + dy * dy + dz * dz;
    };
    float nearest = infinity;
    for (const std::uint32_t candidate : candidates)
        nearest = std::min(nearest, chordSquared(candidate));
    const float limit = withSlack(nearest);
    found_.clear();
    for (const std::uint32_t candidate : candidates) {
        if (chordSquared(candidate) > limit)
            continue;
        const ZipPoint& at = points_[positions_[candidate].point];
        const NearZip near{at.zip, GreatCircle::milesBetween(point, at.at)};
        if (near.miles <= miles_ && (found_.empty() || nearerThan(near, found_.front())))
            found_.assign(1, near);
    }
}

const std::vector<NearZip>& NearestZips::aroundZip(int zip) {
    std::vector<NearZip>& near = aroundZip_[std::size_t(zip)];
    if (!searched_[std::size_t(zip)]) {
        if (const int point = pointOfZip_[std::size_t(zip)]; point >= 0) {
            searchTree(points_[std::size_t(point)].at);
            near = found_;
        }
        near.shrink_to_fit();
        searched_[std::size_t(zip)] = true;
    }
    return near;
}

const std::vector<NearZip>& NearestZips::around(std::span<const int> centres) {
    merged_.clear();
    for (int centre : centres)
        if (centre >= 0 && centre < NearbyZips::zipCount)
            for (const NearZip& near : aroundZip(centre))
                merged_.push_back(near);
    found_.clear();
    for (const NearZip& near : merged_) {
        double& nearest = nearest_[std::size_t(near.zip)];
        if (nearest < 0)
            found_.push_back(near);
        if (nearest < 0 || near.miles < nearest)
            nearest = near.miles;
    }
    for (NearZip& near : found_) {
        near.miles = nearest_[std::size_t(near.zip)];
        nearest_[std::size_t(near.zip)] = -1.0;
    }
    std::ranges::sort(found_, nearerThan);
    if (found_.size() > count_)
        found_.resize(count_);
    return found_;
}
