#pragma once
// The three instrument configurations and their range tables. Tables run
// from the largest range (index 0) to the smallest.

#include <cstdint>

struct RangeEntry {
  const char *name;
  double limit;   // largest value the range is chosen for (twice its nominal value)
  double factor;  // units per converter count
};

struct DeviceModel {
  const char *listEntry;
  const char *potentiostatLabel;
  const char *converterLabel;  // A/D and D/A card
  const char *timerLabel;
  const char *portLabel;
  const char *calFileName;
  uint8_t potentiostatRegister;
  uint8_t identification[2];  // either byte is accepted
  int maxElectrodes;
  const RangeEntry *currentRanges;
  int currentRangeCount;
  int electrodeCodes[3];  // command bits 0-4 for 2, 3 and 4 electrodes; -1 when not offered
  uint8_t cellOffCode;    // command bits 0-4 with the cell off
  uint8_t meterCommand;   // whole command byte for the potential meter
  uint8_t meterModeBit;   // added to the card's mode byte in meter mode
  bool invertedCurrent;   // the current converter's output has the opposite sign
};

constexpr int kModelCount = 3;
constexpr int kPotentialRangeCount = 4;
constexpr int kMeterRangeCount = 4;
constexpr int kMaxCurrentRanges = 8;

// Model `index` (0..2).
const DeviceModel &deviceModel(int index);
// The model whose potentiostat answers at bus `address`, or -1.
int modelAtPotentiostatRegister(uint8_t address);

extern const RangeEntry kPotentialRanges[kPotentialRangeCount];
extern const RangeEntry kMeterRanges[kMeterRangeCount];

// From the last index down, the first range whose limit is at least |value|;
// index 0 when none is large enough.
int chooseRange(const RangeEntry *table, int lastIndex, double value);

// Potentiostat command byte for `electrodes` in current range `range`. A
// count the model does not offer gets the nearest one it does.
uint8_t potentiostatCommand(const DeviceModel &model, int range, int electrodes);
