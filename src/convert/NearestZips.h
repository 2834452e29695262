#pragma once
// The zips nearest a point: every zip's point is loaded once into a k-d tree over the
// points' positions in space (on the unit sphere, where the straight distance between two
// points grows with their distance over the earth), each node with the box around its
// points, so that a search visits a few dozen points, not forty thousand, even from far
// out at sea, and knows no pole and no 180th meridian. The tree holds single-precision
// positions (a million searches touch little memory): it finds the candidates, allowing
// for its rounding, and the great-circle distance, as everywhere in the program, decides
// their order, ties by zip. The answer is that of a scan over every point.
//
// Points given as entries come in places: the second time a point falls in a cell of the
// grid of latitude and longitude (a twentieth of a degree), the zips that can answer any
// point of the cell are found once (those within the distance of the cell's centre to its
// answers, and twice the cell's reach beyond), and later points of the cell are measured
// against those alone.

#include "convert/ZipDatabase.h"

#include <cstdint>
#include <span>
#include <vector>

class NearestZips {
public:
    // Loads every zip's point; the database's points must be prepared (preparePoints).
    // count: how many zips an answer has at most (from 1); miles: how far they may lie at
    // most (infinity: any distance). Throws what the database throws.
    NearestZips(ZipDatabase& database, int count, double miles);

    // The zips nearest the point, nearest first, ties by zip. Valid until the next call.
    const std::vector<NearZip>& nearest(GeoPoint point);
    // The zips nearest any of the centre zips, each once at its distance to the nearest
    // centre; centres without a point are passed over. Each centre is searched around once
    // in a run. Valid until the next call.
    const std::vector<NearZip>& around(std::span<const int> centres);

private:
    struct Position {
        float v[3];
        std::uint32_t point; // in points_
    };
    struct Node {
        float split = 0;          // the plane between its children, across axis
        std::uint32_t axis = 0;   // 0, 1 or 2
        std::uint32_t first, end; // its positions: first to end in positions_
        std::uint32_t left = 0;   // children: left, and right = left + 1; 0 for a leaf
    };
    struct Candidate {
        float chordSquared;
        std::uint32_t point;
    };
    struct ZipPoint {
        GeoPoint at;
        int zip;
    };

    // A cell of the grid: unseen, seen once, or its candidates: in near (most cells have
    // few), or cellCandidates_[first, first + count). A cell's candidates are places in
    // positions_.
    static constexpr std::uint32_t unseen = ~std::uint32_t(0);
    static constexpr std::uint32_t seenOnce = unseen - 1;
    static constexpr std::uint32_t inCell = unseen - 2;
    struct Cell {
        std::uint32_t first = unseen;
        std::uint32_t count = 0;
        std::uint16_t near[4]; // inCell: where positions_ has no more than 65,536
    };

    void build(std::uint32_t node, std::uint32_t first, std::uint32_t end);
    void searchTree(GeoPoint point);
    void search(std::uint32_t index, const float q[3], float toCell, float across[3]);
    // Every position within the squared chord of q, into cellCandidates_.
    void collectWithin(const float q[3], float chordSquared);
    // The point's cell; none where the cells would take more memory than allowed.
    Cell* cellOf(GeoPoint point, GeoPoint* centre);
    void findCandidates(Cell& cell, GeoPoint centre);
    // The nearest of a cell's candidates alone (count_ 1), without the heap.
    void nearestOf(std::span<const std::uint32_t> candidates, GeoPoint point, const float q[3]);
    void consider(const Position& position, const float q[3]);
    void updateReach();
    void finish(GeoPoint from);
    const std::vector<NearZip>& aroundZip(int zip);

    std::size_t count_;
    double miles_;
    float maxChordSquared_;
    std::vector<ZipPoint> points_;
    std::vector<Position> positions_;
    std::vector<Node> nodes_;
    std::vector<int> pointOfZip_; // by zip number: its place in points_, -1 without a point
    // One search: the count_ smallest squared chords so far (a max-heap), every point that
    // was as near as the bound when it was seen, and the nodes still to visit.
    std::vector<float> heap_;
    float reach_ = 0; // the bound, with the slack of single precision
    std::vector<Candidate> candidates_;
    struct Pending {
        float toBox;
        std::uint32_t node;
    };
    std::vector<Pending> stack_;
    std::vector<NearZip> found_;
    std::vector<NearZip> merged_; // the centres' own, while merging
    // The cells, a block of them for each degree of latitude and longitude a point fell in
    // (blockOfDegree_: its block + 1, or 0), and the candidates they found.
    std::vector<std::uint32_t> blockOfDegree_;
    std::vector<Cell> cells_;
    std::vector<std::uint32_t> cellCandidates_;
    // By zip: what around() found around it, once.
    std::vector<std::vector<NearZip>> aroundZip_;
    std::vector<bool> searched_;
    std::vector<double> nearest_; // by zip, while merging: the distance so far; negative: none
};
