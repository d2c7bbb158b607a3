#include "instrument/device_models.h"

#include <cmath>

namespace {

const RangeEntry kWideCurrentRanges[8] = {
    {"1 A", 2.0, 0.000976},    {"100 mA", 0.2, 9.76e-5}, {"10 mA", 0.02, 9.76e-6}, {"1 mA", 0.002, 9.76e-7},
    {"100 uA", 2e-4, 9.76e-8}, {"10 uA", 2e-5, 9.76e-9}, {"1 uA", 2e-6, 9.76e-10}, {"100 nA", 2e-7, 9.76e-11},
};

const RangeEntry kFineCurrentRanges[7] = {
    {"1 mA", 0.002, 9.76e-7},   {"100 uA", 2e-4, 9.76e-8}, {"10 uA", 2e-5, 9.76e-9}, {"1 uA", 2e-6, 9.76e-10},
    {"100 nA", 2e-7, 9.76e-11}, {"10 nA", 2e-8, 9.76e-12}, {"1 nA", 2e-9, 9.76e-13},
};

const DeviceModel kModels[kModelCount] = {
    {"VMB-2: GWR-305, ACQ-610, TK-725",
     "GWR-305",
     "ACQ-610",
     "TK-725",
     "LPT1",
     "gwr305.cal",
     118,
     {0x3A, 0x3B},
     3,
     kWideCurrentRanges,
     8,
     {11, 7, -1},
     8,
     19,
     1,
     false},
    {"VMB-2: GWRF-406, ACQ-610, TK-725",
     "GWRF-406",
     "ACQ-610",
     "TK-725",
     "LPT1",
     "gwrf406.cal",
     116,
     {0x66, 0x67},
     3,
     kFineCurrentRanges,
     7,
     {1, 7, -1},
     0,
     93,
     0,
     true},
    {"VMB-2: GWRF-583, ACQ-610, TK-725",
     "GWRF-583",
     "ACQ-610",
     "TK-725",
     "LPT1",
     "gwrf583.cal",
     174,
     {0xC4, 0xC5},
     4,
     kFineCurrentRanges,
     7,
     {1, 5, 7},
     0,
     93,
     0,
     false},
};

}  // namespace

const RangeEntry kPotentialRanges[kPotentialRangeCount] = {
    {"5 V", 5.0, 0.00244}, {"2 V", 2.0, 0.000976}, {"500 mV", 0.5, 0.000244}, {"200 mV", 0.2, 9.76e-5}};

const RangeEntry kMeterRanges[kMeterRangeCount] = {
    {"5 V", 5.0, 0.00244}, {"2 V", 2.0, 0.000976}, {"500 mV", 0.5, 0.000244}, {"200 mV", 0.2, 9.76e-5}};

const DeviceModel &deviceModel(int index) { return kModels[index]; }

int modelAtPotentiostatRegister(uint8_t address) {
  for (int i = 0; i < kModelCount; ++i)
    if (kModels[i].potentiostatRegister == address) return i;
  return -1;
}

int chooseRange(const RangeEntry *table, int lastIndex, double value) {
  const double magnitude = std::fabs(value);
  for (int i = lastIndex; i >= 0; --i)
    if (table[i].limit >= magnitude) return i;
  return 0;
}

uint8_t potentiostatCommand(const DeviceModel &model, int range, int electrodes) {
  int count = electrodes < 2 ? 2 : (electrodes > model.maxElectrodes ? model.maxElectrodes : electrodes);
  return static_cast<uint8_t>(range * 32 + model.electrodeCodes[count - 2]);
}
