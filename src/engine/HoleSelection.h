#pragma once

#include <array>
#include <cstdint>

namespace gw {

// Which holes of each grain disk the laser scanner measures: holes per disk is the square of the
// grid size (3 to 10), and entry [disk][hole] is 1 when the hole is to be measured. Hole h of an
// n x n grid lies in row h / n and column h % n. Everything is selected at start.
class HoleSelection {
public:
    static constexpr int Disks = 60;
    static constexpr int MaxHoles = 100;
    static constexpr int MinGrid = 3;
    static constexpr int MaxGrid = 10;

    HoleSelection();

    int holesPerDisk() const { return holesPerDisk_; }
    int gridSize() const; // round(sqrt(holes per disk))
    // Holes per disk := n * n, n kept to 3 ... 10.
    void setGridSize(int n);

    // False outside the matrix.
    bool selected(int disk, int hole) const;
    void set(int disk, int hole, bool on);
    void flip(int disk, int hole);

    // The first selected hole of the disk from `from` up to holes per disk - 1; holes per disk
    // when there is none.
    int firstSelectedFrom(int disk, int from) const;
    bool anySelected(int disk) const { return firstSelectedFrom(disk, 0) < holesPerDisk_; }

    bool operator==(const HoleSelection&) const = default;

private:
    static bool inMatrix(int disk, int hole);

    int holesPerDisk_ = MaxHoles;
    std::array<std::array<std::uint8_t, MaxHoles>, Disks> selected_{};
};

} // namespace gw
