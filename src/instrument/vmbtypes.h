#pragma once
// Shared instrument declarations: the parallel-port registers the bus runs on
// and the instrument bus registers of the converter card and the timer.

#include <cstdint>

namespace vmb {

// LPT1 registers.
constexpr uint16_t kDataPort = 0x378;
constexpr uint16_t kStatusPort = 0x379;
constexpr uint16_t kControlPort = 0x37A;

// Control register values of a bus transfer (bit 0 Strobe, 1 AutoFeed,
// 2 Init, 3 SelectIn, 5 data lines as inputs).
constexpr uint8_t kControlIdle = 0x0C;
constexpr uint8_t kControlAddressStrobe = 0x04;
constexpr uint8_t kControlDataStrobe = 0x08;
constexpr uint8_t kControlReadSetup = 0x2E;
constexpr uint8_t kControlReadStrobe = 0x2A;

// A/D and D/A card ACQ-610.
constexpr uint8_t kDacHighAdcLow = 148;  // write: D/A code bits 8-11; read: A/D bits 0-7
constexpr uint8_t kDacLowAdcHigh = 149;  // write: D/A code bits 0-7 (applies it); read: A/D bits 8-11, busy in 4-7
constexpr uint8_t kCardMode = 150;       // write: range and mode; read: identification
constexpr uint8_t kAdcStart = 151;       // write: start one conversion
constexpr uint8_t kCardIdentification = 0xA5;

// Programmable timer TK-725: writes command, reads give the 32-bit count.
constexpr uint8_t kTimerStop = 132;
constexpr uint8_t kTimerStart = 133;
constexpr uint8_t kTimerReset = 134;
constexpr uint8_t kTimerByte0 = 132;  // count bits 0-7; 133..135 give the higher bytes

}  // namespace vmb
