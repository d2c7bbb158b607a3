#include "instrument/direct_port_backend.h"

#include <cerrno>
#include <cstring>

#if defined(__i386__) || defined(__x86_64__)
#include <sys/io.h>
#define DPV_HAVE_PORT_IO 1
#endif

#include "instrument/vmbtypes.h"

namespace {

constexpr unsigned long kRegisterCount = 3;

class SystemDirectIo : public DirectIoSystem {
 public:
#ifdef DPV_HAVE_PORT_IO
  int ioperm(unsigned long from, unsigned long count, bool enable, int *error) override {
    const int result = ::ioperm(from, count, enable ? 1 : 0);
    if (result < 0) *error = errno;
    return result;
  }
  uint8_t inb(uint16_t port) override { return ::inb(port); }
  void outb(uint8_t value, uint16_t port) override { ::outb(value, port); }
#else
  int ioperm(unsigned long, unsigned long, bool, int *error) override {
    *error = ENOSYS;
    return -1;
  }
  uint8_t inb(uint16_t) override { return 0xFF; }
  void outb(uint8_t, uint16_t) override {}
#endif
};

}  // namespace

std::unique_ptr<DirectIoSystem> makeSystemDirectIo() { return std::make_unique<SystemDirectIo>(); }

DirectPortBackend::DirectPortBackend(uint16_t base, std::unique_ptr<DirectIoSystem> system)
    : base_(base), system_(std::move(system)) {}

DirectPortBackend::~DirectPortBackend() { close(); }

bool DirectPortBackend::open() {
  if (open_) return true;
  int error = 0;
  if (system_->ioperm(base_, kRegisterCount, true, &error) < 0) {
    lastError_ = QStringLiteral("no access to ports 0x%1: %2")
                     .arg(base_, 0, 16)
                     .arg(QString::fromLocal8Bit(std::strerror(error)));
    if (error == EPERM) lastError_ += QStringLiteral(" (needs root)");
    return false;
  }
  open_ = true;
  lastError_.clear();
  return true;
}

void DirectPortBackend::close() {
  if (!open_) return;
  int error = 0;
  system_->ioperm(base_, kRegisterCount, false, &error);
  open_ = false;
}

bool DirectPortBackend::mapped(uint16_t port, uint16_t *target) const {
  if (!open_ || port < vmb::kDataPort || port >= vmb::kDataPort + kRegisterCount) return false;
  *target = static_cast<uint16_t>(base_ + (port - vmb::kDataPort));
  return true;
}

uint8_t DirectPortBackend::read(uint16_t port) {
  uint16_t target = 0;
  return mapped(port, &target) ? system_->inb(target) : 0xFF;
}

void DirectPortBackend::write(uint16_t port, uint8_t value) {
  uint16_t target = 0;
  if (mapped(port, &target)) system_->outb(value, target);
}

QString DirectPortBackend::description() const {
  QString text = QStringLiteral("Parallel port at 0x%1 (direct I/O)").arg(base_, 0, 16);
  if (!open_ && !lastError_.isEmpty()) text += QStringLiteral(": ") + lastError_;
  return text;
}
