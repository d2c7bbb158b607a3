#pragma once
// Instrument bus transfers over the parallel port: each bus register access
// is a fixed sequence of port accesses with no waits.

#include <cstdint>

void busWrite(uint8_t address, uint8_t value);
uint8_t busRead(uint8_t address);
