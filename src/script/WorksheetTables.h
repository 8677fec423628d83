#pragma once

#include <array>
#include <cstdint>
#include <list>
#include <string>
#include <vector>

namespace gw {

struct Device_type;

// The tables a worksheet is written from. Each table keeps its entries in order of first use;
// entries never move, so groups refer to them directly. The devices are elements of the compiled
// script's device list, which outlives the tables while a worksheet is written.
struct ws_Measurement {
    const Device_type* device = nullptr;
    const Device_type* filter = nullptr; // detector filter, none for TL
    int temperature = 0;
    double heatingRate = 0;
    std::array<std::uint8_t, 4> channelLayout{};
    bool operator==(const ws_Measurement&) const = default;
};

struct ws_Preheat {
    const Device_type* device = nullptr;
    int temperature = 0; // degrees C
    bool stage = false;  // preheat type 'S'
    int time = 0;        // s
    bool operator==(const ws_Preheat&) const = default;
};

struct ws_Bleaching {
    const Device_type* device = nullptr;
    int time = 0; // s
    bool beforeIrradiation = false;
    bool operator==(const ws_Bleaching&) const = default;
};

// One irradiator with the irradiation times it gives.
struct ws_Irradiator {
    const Device_type* device = nullptr;
    std::list<int> times; // s
};

struct ws_Irradiation {
    const ws_Irradiator* irradiator = nullptr;
    int time = 0; // s
};

struct ws_Group {
    int number = 0; // from 1
    std::string description;
    std::string sequence;   // the step description its disks share
    std::vector<int> disks; // disk numbers, each once, in order of arrival
    const ws_Measurement* measurement = nullptr;
    const ws_Preheat* preheat = nullptr;
    const ws_Bleaching* bleaching = nullptr;
    ws_Irradiation irradiation; // irradiator none when the group is not irradiated
    bool background = false;
    bool normalisation = false;
};

struct ws_Position {
    int number = 0; // the position once a disk sits there
    std::string remark;
    const ws_Group* group = nullptr;
};

// The positions are indexed by position number, so the array reaches the highest position of the
// reader type (a 3550 numbers its 57 positions up to 59).
struct ws_Platter {
    int diskCount = 0;
    std::vector<ws_Position> positions;
};

struct WorksheetTables {
    std::list<ws_Measurement> measurements;
    std::list<ws_Preheat> preheats;
    std::list<ws_Bleaching> bleachings;
    std::list<ws_Irradiator> irradiators;
    std::list<ws_Group> groups;
    std::vector<ws_Platter> platters;
    int stepRecords = 0;
};

} // namespace gw
