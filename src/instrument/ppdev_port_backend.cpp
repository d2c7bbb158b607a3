#include "instrument/ppdev_port_backend.h"

#include <fcntl.h>
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

#include "instrument/vmbtypes.h"

namespace {

class SystemPpdev : public PpdevSystem {
 public:
  int open(const QByteArray &path, int *error) override {
    const int fd = ::open(path.constData(), O_RDWR);
    if (fd < 0) *error = errno;
    return fd;
  }
  int ioctl(int fd, unsigned long request, void *argument, int *error) override {
    const int result = ::ioctl(fd, request, argument);
    if (result < 0) *error = errno;
    return result;
  }
  void close(int fd) override { ::close(fd); }
};

QString reason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

}  // namespace

std::unique_ptr<PpdevSystem> makeSystemPpdev() { return std::make_unique<SystemPpdev>(); }

PpdevControl ppdevControl(uint8_t controlRegister) {
  constexpr unsigned char kLines =
      PARPORT_CONTROL_STROBE | PARPORT_CONTROL_AUTOFD | PARPORT_CONTROL_INIT | PARPORT_CONTROL_SELECT;
  return PpdevControl{static_cast<unsigned char>(controlRegister & kLines), (controlRegister & 0x20) != 0};
}

PpdevPortBackend::PpdevPortBackend(const QString &device, std::unique_ptr<PpdevSystem> system)
    : device_(device), system_(std::move(system)) {}

PpdevPortBackend::~PpdevPortBackend() { close(); }

bool PpdevPortBackend::open() {
  if (fd_ >= 0) return true;
  int error = 0;
  const int fd = system_->open(device_.toLocal8Bit(), &error);
  if (fd < 0) {
    lastError_ = QStringLiteral("cannot open %1: %2").arg(device_, reason(error));
    return false;
  }
  if (system_->ioctl(fd, PPCLAIM, nullptr, &error) < 0) {
    lastError_ = QStringLiteral("cannot claim %1: %2").arg(device_, reason(error));
    system_->close(fd);
    return false;
  }
  fd_ = fd;
  control_ = 0xFF;
  reverse_ = false;
  lastError_.clear();
  return true;
}

void PpdevPortBackend::close() {
  if (fd_ < 0) return;
  int error = 0;
  system_->ioctl(fd_, PPRELEASE, nullptr, &error);
  system_->close(fd_);
  fd_ = -1;
}

bool PpdevPortBackend::request(unsigned long code, void *argument) {
  if (fd_ < 0) return false;
  int error = 0;
  if (system_->ioctl(fd_, code, argument, &error) >= 0) return true;
  lastError_ = reason(error);
  return false;
}

uint8_t PpdevPortBackend::read(uint16_t port) {
  unsigned char value = 0xFF;
  if (port == vmb::kDataPort) {
    if (!request(PPRDATA, &value)) return 0xFF;
  } else if (port == vmb::kStatusPort) {
    if (!request(PPRSTATUS, &value)) return 0xFF;
  } else if (port == vmb::kControlPort) {
    return control_;
  }
  return value;
}

void PpdevPortBackend::write(uint16_t port, uint8_t value) {
  if (fd_ < 0) return;
  if (port == vmb::kDataPort) {
    unsigned char data = value;
    request(PPWDATA, &data);
  } else if (port == vmb::kControlPort) {
    const PpdevControl control = ppdevControl(value);
    // Turn the data lines around before a read strobe, and back after it.
    if (control.reverse != reverse_ || control_ == 0xFF) {
      int direction = control.reverse ? 1 : 0;
      if (request(PPDATADIR, &direction)) reverse_ = control.reverse;
    }
    unsigned char lines = control.lines;
    request(PPWCONTROL, &lines);
    control_ = value;
  }
}

QString PpdevPortBackend::description() const {
  QString text = QStringLiteral("Parallel port %1 (ppdev)").arg(device_);
  if (fd_ < 0 && !lastError_.isEmpty()) text += QStringLiteral(": ") + lastError_;
  return text;
}
