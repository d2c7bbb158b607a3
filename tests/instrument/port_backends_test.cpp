#include <gtest/gtest.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <QStringList>
#include <cerrno>
#include <cstring>
#include <vector>

#include "instrument/bus.h"
#include "instrument/direct_port_backend.h"
#include "instrument/ppdev_port_backend.h"
#include "instrument/tvicport.h"
#include "port_fakes.h"

namespace {

struct Call {
  std::string what;  // "open", "close" or the request name
  int value;         // byte or direction passed or returned; -1 when none
  bool operator==(const Call &o) const { return what == o.what && value == o.value; }
};

std::ostream &operator<<(std::ostream &os, const Call &c) { return os << c.what << "(" << c.value << ")"; }

class FakePpdev : public PpdevSystem {
 public:
  int open(const QByteArray &path, int *error) override {
    calls->push_back({"open " + path.toStdString(), -1});
    if (openError) {
      *error = openError;
      return -1;
    }
    return 7;
  }
  int ioctl(int fd, unsigned long request, void *argument, int *error) override {
    EXPECT_EQ(fd, 7);
    if (request == PPCLAIM) {
      calls->push_back({"claim", -1});
      if (claimError) {
        *error = claimError;
        return -1;
      }
    } else if (request == PPRELEASE) {
      calls->push_back({"release", -1});
    } else if (request == PPWDATA) {
      calls->push_back({"wdata", *static_cast<unsigned char *>(argument)});
    } else if (request == PPWCONTROL) {
      calls->push_back({"wcontrol", *static_cast<unsigned char *>(argument)});
    } else if (request == PPDATADIR) {
      calls->push_back({"datadir", *static_cast<int *>(argument)});
    } else if (request == PPRDATA) {
      if (readError) {
        *error = readError;
        return -1;
      }
      *static_cast<unsigned char *>(argument) = dataIn;
      calls->push_back({"rdata", dataIn});
    } else if (request == PPRSTATUS) {
      *static_cast<unsigned char *>(argument) = 0x78;
      calls->push_back({"rstatus", 0x78});
    } else {
      ADD_FAILURE() << "unexpected request " << request;
    }
    return 0;
  }
  void close(int fd) override {
    EXPECT_EQ(fd, 7);
    calls->push_back({"close", -1});
  }

  std::vector<Call> *calls = nullptr;
  int openError = 0;
  int claimError = 0;
  int readError = 0;
  unsigned char dataIn = 0xA5;
};

std::unique_ptr<PpdevPortBackend> makePpdev(std::vector<Call> *calls, FakePpdev **fake) {
  auto system = std::make_unique<FakePpdev>();
  system->calls = calls;
  *fake = system.get();
  return std::make_unique<PpdevPortBackend>(QStringLiteral("/dev/parport1"), std::move(system));
}

}  // namespace

struct ControlCase {
  uint8_t reg;
  unsigned char lines;
  bool reverse;
};

class PpdevControlMapping : public ::testing::TestWithParam<ControlCase> {};

TEST_P(PpdevControlMapping, KeepsTheLineBitsAndTakesBit5AsDirection) {
  const PpdevControl c = ppdevControl(GetParam().reg);
  EXPECT_EQ(c.lines, GetParam().lines);
  EXPECT_EQ(c.reverse, GetParam().reverse);
}

INSTANTIATE_TEST_SUITE_P(BusValues, PpdevControlMapping,
                         ::testing::Values(ControlCase{0x0C, 0x0C, false}, ControlCase{0x04, 0x04, false},
                                           ControlCase{0x08, 0x08, false}, ControlCase{0x2E, 0x0E, true},
                                           ControlCase{0x2A, 0x0A, true}, ControlCase{0xFF, 0x0F, true}));

TEST(PpdevBackend, MissingDeviceMakesOpenFailWithTheReason) {
  std::vector<Call> calls;
  FakePpdev *fake = nullptr;
  auto backend = makePpdev(&calls, &fake);
  fake->openError = ENOENT;
  EXPECT_FALSE(backend->open());
  // The system's text, in the user's language.
  EXPECT_TRUE(backend->description().contains(QString::fromLocal8Bit(std::strerror(ENOENT))));
  EXPECT_TRUE(backend->description().contains(QStringLiteral("/dev/parport1")));
  // Without the port nothing reaches the system and reads float high.
  backend->write(0x378, 1);
  EXPECT_EQ(backend->read(0x378), 0xFF);
  backend->close();
  const std::vector<Call> expected = {{"open /dev/parport1", -1}};
  EXPECT_EQ(calls, expected);
}

TEST(PpdevBackend, FailedClaimClosesTheDevice) {
  std::vector<Call> calls;
  FakePpdev *fake = nullptr;
  auto backend = makePpdev(&calls, &fake);
  fake->claimError = EBUSY;
  EXPECT_FALSE(backend->open());
  EXPECT_TRUE(backend->lastError().startsWith(QStringLiteral("cannot claim")));
  const std::vector<Call> expected = {{"open /dev/parport1", -1}, {"claim", -1}, {"close", -1}};
  EXPECT_EQ(calls, expected);
}

TEST(PpdevBackend, BusReadBecomesDataDirectionAndControlRequests) {
  std::vector<Call> calls;
  FakePpdev *fake = nullptr;
  ScopedBackend<RecordingPortBackend> guard;  // puts the process backend back afterwards
  replacePortBackend(makePpdev(&calls, &fake));
  {
    TVicPort access;
    ASSERT_TRUE(access.Open());
    EXPECT_EQ(busRead(150), 0xA5);
    access.Close();
  }
  const std::vector<Call> expected = {{"open /dev/parport1", -1},
                                      {"claim", -1},
                                      {"wdata", 150},
                                      {"datadir", 0},
                                      {"wcontrol", 0x04},
                                      {"wcontrol", 0x0C},
                                      {"datadir", 1},
                                      {"wcontrol", 0x0E},
                                      {"wcontrol", 0x0A},
                                      {"rdata", 0xA5},
                                      {"datadir", 0},
                                      {"wcontrol", 0x0C},
                                      {"release", -1},
                                      {"close", -1}};
  EXPECT_EQ(calls, expected);
}

TEST(PpdevBackend, ReadFailureGivesFloatingLinesAndStatusIsRead) {
  std::vector<Call> calls;
  FakePpdev *fake = nullptr;
  auto backend = makePpdev(&calls, &fake);
  ASSERT_TRUE(backend->open());
  EXPECT_EQ(backend->read(0x379), 0x78);
  fake->readError = EIO;
  EXPECT_EQ(backend->read(0x378), 0xFF);
  backend->write(0x37A, 0x0C);
  EXPECT_EQ(backend->read(0x37A), 0x0C);
}

namespace {

class FakeDirectIo : public DirectIoSystem {
 public:
  explicit FakeDirectIo(QStringList &logTo) : log(logTo) {}
  int ioperm(unsigned long from, unsigned long count, bool enable, int *error) override {
    log.push_back(QStringLiteral("ioperm %1 %2 %3").arg(from, 0, 16).arg(count).arg(enable));
    if (enable && permError) {
      *error = permError;
      return -1;
    }
    return 0;
  }
  uint8_t inb(uint16_t port) override {
    log.push_back(QStringLiteral("inb %1").arg(port, 0, 16));
    return 0x3C;
  }
  void outb(uint8_t value, uint16_t port) override {
    log.push_back(QStringLiteral("outb %1 %2").arg(port, 0, 16).arg(value, 0, 16));
  }
  // The test's own list, which outlives the fake: the backend deletes its
  // system, and the calls of its destructor are part of what the test reads.
  QStringList &log;
  int permError = 0;
};

}  // namespace

TEST(DirectBackend, WithoutPermissionOpenFailsAndSaysWhy) {
  QStringList log;
  auto system = std::make_unique<FakeDirectIo>(log);
  system->permError = EPERM;
  DirectPortBackend backend(0x378, std::move(system));
  EXPECT_FALSE(backend.open());
  EXPECT_TRUE(backend.description().contains(QStringLiteral("needs root")));
  EXPECT_EQ(backend.read(0x378), 0xFF);
  backend.write(0x378, 1);
  EXPECT_EQ(log, QStringList{QStringLiteral("ioperm 378 3 1")});
}

TEST(DirectBackend, RegistersMoveToTheChosenBase) {
  QStringList log;
  auto system = std::make_unique<FakeDirectIo>(log);
  {
    DirectPortBackend backend(0x278, std::move(system));
    ASSERT_TRUE(backend.open());
    backend.write(0x378, 0x96);
    backend.write(0x37A, 0x2E);
    EXPECT_EQ(backend.read(0x378), 0x3C);
    EXPECT_EQ(backend.read(0x37B), 0xFF);  // outside the port's registers
    backend.write(0x80, 1);
  }
  const QStringList expected = {QStringLiteral("ioperm 278 3 1"), QStringLiteral("outb 278 96"),
                                QStringLiteral("outb 27a 2e"), QStringLiteral("inb 278"),
                                QStringLiteral("ioperm 278 3 0")};
  EXPECT_EQ(log, expected);
}
