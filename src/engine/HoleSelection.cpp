#include "engine/HoleSelection.h"

#include <algorithm>
#include <cmath>

namespace gw {

HoleSelection::HoleSelection() {
    for (auto& disk : selected_) {
        disk.fill(1);
    }
}

int HoleSelection::gridSize() const {
    return static_cast<int>(std::nearbyint(std::sqrt(double(holesPerDisk_))));
}

void HoleSelection::setGridSize(int n) {
    n = std::clamp(n, MinGrid, MaxGrid);
    holesPerDisk_ = n * n;
}

bool HoleSelection::inMatrix(int disk, int hole) {
    return disk >= 0 && disk < Disks && hole >= 0 && hole < MaxHoles;
}

bool HoleSelection::selected(int disk, int hole) const {
    return inMatrix(disk, hole) && selected_[std::size_t(disk)][std::size_t(hole)] != 0;
}

void HoleSelection::set(int disk, int hole, bool on) {
    if (inMatrix(disk, hole)) {
        selected_[std::size_t(disk)][std::size_t(hole)] = on ? 1 : 0;
    }
}

void HoleSelection::flip(int disk, int hole) {
    set(disk, hole, !selected(disk, hole));
}

int HoleSelection::firstSelectedFrom(int disk, int from) const {
    for (int hole = std::max(from, 0); hole < holesPerDisk_; ++hole) {
        if (selected(disk, hole)) {
            return hole;
        }
    }
    return holesPerDisk_;
}

} // namespace gw
