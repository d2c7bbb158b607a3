#include <gtest/gtest.h>

#include "instrument/bus.h"
#include "instrument/tvicport.h"
#include "port_fakes.h"

namespace {
constexpr uint16_t D = 0x378;
constexpr uint16_t C = 0x37A;
PortAccess W(uint16_t port, uint8_t v) { return {true, port, v}; }
PortAccess R(uint16_t port, uint8_t v) { return {false, port, v}; }
}  // namespace

TEST(BusTransfer, WriteOfRegister151SendsTheSixPortWrites) {
  ScopedBackend<RecordingPortBackend> port;
  busWrite(151, 0);
  const std::vector<PortAccess> expected = {W(D, 151), W(C, 0x04), W(C, 0x0C), W(D, 0), W(C, 0x08), W(C, 0x0C)};
  EXPECT_EQ(port->log, expected);
}

TEST(BusTransfer, ReadOfRegister150SendsSevenAccessesAndReturnsTheDataByte) {
  ScopedBackend<RecordingPortBackend> port;
  port->readValue = 0x5A;
  EXPECT_EQ(busRead(150), 0x5A);
  const std::vector<PortAccess> expected = {W(D, 150),  W(C, 0x04), W(C, 0x0C), W(C, 0x2E),
                                            W(C, 0x2A), R(D, 0x5A), W(C, 0x0C)};
  EXPECT_EQ(port->log, expected);
}

TEST(TVicPortObject, OpensOnceAndClosesOnlyWhenOpen) {
  ScopedBackend<RecordingPortBackend> port;
  {
    TVicPort access;
    EXPECT_FALSE(access.opened());
    access.Close();
    EXPECT_EQ(port->closes, 0);
    EXPECT_TRUE(access.Open());
    EXPECT_TRUE(access.Open());
    EXPECT_EQ(port->opens, 1);
    access.Close();
    EXPECT_FALSE(access.opened());
    EXPECT_EQ(port->closes, 1);
    access.Close();
    EXPECT_EQ(port->closes, 1);
  }
  // Destroying the object closes the driver once more, unconditionally.
  EXPECT_EQ(port->closes, 2);
}

TEST(TVicPortObject, FailedOpenLeavesItClosedAndByteAccessStillWorks) {
  ScopedBackend<RecordingPortBackend> port;
  port->openResult = false;
  TVicPort access;
  EXPECT_FALSE(access.Open());
  EXPECT_FALSE(access.opened());
  port->readValue = 7;
  EXPECT_EQ(TVicPort::ReadPort(0x378), 7);
  TVicPort::WritePort(0x37A, 0x0C);
  EXPECT_EQ(port->log.back(), W(C, 0x0C));
}
