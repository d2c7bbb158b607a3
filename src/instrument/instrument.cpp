#include "instrument/instrument.h"

#include "core/app_paths.h"
#include "core/numbers.h"
#include "instrument/bus.h"
#include "instrument/vmbtypes.h"

using namespace vmb;

namespace {

constexpr int kStatusPollLimit = 100;
constexpr double kSecondsPerCount = 1e-5;
constexpr int kTimeReadRounds = 4;

uint32_t readByte(int byte) { return busRead(static_cast<uint8_t>(kTimerByte0 + byte)); }

}  // namespace

void Instrument::SetPort(uint8_t address, uint8_t value) { busWrite(address, value); }

uint8_t Instrument::ReadPort(uint8_t address) { return busRead(address); }

bool Instrument::SelDeviceChange(int index, QString *error) {
  if (index < 0 || index >= kModelCount) return true;
  const bool saved = saveCalibration(error);
  applyModel(index);
  loadCalibration();
  return saved;
}

void Instrument::applyModel(int index) {
  modelIndex_ = index;
  const DeviceModel &m = deviceModel(index);
  calFileName_ = QString::fromLatin1(m.calFileName);
  lastCurrentRange_ = m.currentRangeCount - 1;
  lastPotentialRange_ = kPotentialRangeCount - 1;
  lastMeterRange_ = kMeterRangeCount - 1;
  for (int i = 0; i < kMeterRangeCount; ++i) meterRangeLimits_[i] = kMeterRanges[i].limit;
}

QString Instrument::calPath() const { return programFile(calFileName_); }

QString Instrument::currentRangeName(int index) const {
  if (!hasModel() || index < 0 || index > lastCurrentRange_) return QString();
  return QString::fromLatin1(model().currentRanges[index].name);
}

QString Instrument::potentialRangeName(int index) {
  return index >= 0 && index < kPotentialRangeCount ? QString::fromLatin1(kPotentialRanges[index].name) : QString();
}

QString Instrument::meterRangeNameAt(int index) {
  return index >= 0 && index < kMeterRangeCount ? QString::fromLatin1(kMeterRanges[index].name) : QString();
}

void Instrument::loadCalibration() {
  if (hasModel()) calibration_.load(calPath(), lastCurrentRange_);
}

bool Instrument::saveCalibration(QString *error) const {
  if (!hasModel()) return true;
  return calibration_.save(calPath(), lastCurrentRange_, error);
}

void Instrument::PotentiostatOn(uint8_t electrodes, double currentRangeValue, double potentialRangeValue,
                                double potential) {
  if (!hasModel()) return;
  const DeviceModel &m = model();
  potentialRange_ = chooseRange(kPotentialRanges, kPotentialRangeCount - 1, potentialRangeValue);
  busWrite(kCardMode, static_cast<uint8_t>(potentialRange_ * 8 + 2));
  currentRange_ = chooseRange(m.currentRanges, lastCurrentRange_, currentRangeValue);
  const double tableFactor = m.currentRanges[currentRange_].factor;
  adcOffset_ = 2048 - calibration_.currZero[currentRange_];
  currScale_ = (m.invertedCurrent ? -tableFactor : tableFactor) * calibration_.currFact[currentRange_];
  dacOffset_ = 2048 - calibration_.dacZero[potentialRange_];
  dacScale_ = kPotentialRanges[potentialRange_].factor * calibration_.dacFact[potentialRange_];
  PotentiostatSetPotential(potential);
  busWrite(m.potentiostatRegister, potentiostatCommand(m, currentRange_, electrodes));
}

void Instrument::PotentiostatOff() {
  if (!hasModel()) return;
  const DeviceModel &m = model();
  busWrite(m.potentiostatRegister, static_cast<uint8_t>(currentRange_ * 32 + m.cellOffCode));
}

void Instrument::PotentiostatSetPotential(double potential) {
  // With no usable scale the output stays at the code of zero volts.
  double code = dacOffset_;
  if (dacScale_ != 0) code = potential / dacScale_ + dacOffset_;
  if (!(code >= 0)) code = 0;  // NaN too: it has no integer code
  if (code > 4095) code = 4095;
  const int n = static_cast<int>(roundHalfEven(code));
  busWrite(kDacHighAdcLow, static_cast<uint8_t>(n >> 8));
  busWrite(kDacLowAdcHigh, static_cast<uint8_t>(n & 0xFF));
}

int Instrument::convert() {
  busWrite(kAdcStart, 0);
  uint8_t high = 0;
  for (int reads = 0; reads < kStatusPollLimit; ++reads) {
    high = busRead(kDacLowAdcHigh);
    if (high < 16) break;
  }
  const uint8_t low = busRead(kDacHighAdcLow);
  return high * 256 + low;
}

double Instrument::PotentiostatGetCurrent() { return (convert() - adcOffset_) * currScale_; }

void Instrument::PotentiometerOn(double rangeValue) {
  if (!hasModel()) return;
  const DeviceModel &m = model();
  meterRange_ = chooseRange(kMeterRanges, lastMeterRange_, rangeValue);
  busWrite(kCardMode, static_cast<uint8_t>(meterRange_ * 2 + m.meterModeBit));
  meterOffset_ = 2048 - calibration_.adcZero[meterRange_];
  meterScale_ = kMeterRanges[meterRange_].factor * calibration_.adcFact[meterRange_];
  busWrite(m.potentiostatRegister, m.meterCommand);
}

void Instrument::PotentiometerOff() { PotentiostatOff(); }

double Instrument::PotentiometerGetPotential() { return (convert() - meterOffset_) * meterScale_; }

void Instrument::TimerStart() { busWrite(kTimerStart, 0); }

void Instrument::TimerStop() { busWrite(kTimerStop, 0); }

void Instrument::TimerReset() { busWrite(kTimerReset, 0); }

double Instrument::GetTime() {
  // The counter runs while its bytes are read one after another. Bytes 1 to 3
  // change only through a carry out of the low byte, and every carry changes
  // byte 1; so when byte 1 reads the same before and after a fresh read of
  // the low byte, bytes 1 to 3 held still around it and together they give a
  // count the counter held. This stays true however long the thread is held
  // up between two reads (short of 65536 counts, 0.65 s, between the two
  // reads of byte 1); a second read of the low byte alone could not tell.
  // The first read of the low byte only keeps the register order.
  readByte(0);
  uint32_t b1 = readByte(1);
  uint32_t b2 = readByte(2);
  uint32_t b3 = readByte(3);
  uint32_t low = 0;
  // A carry within the check, about once in a hundred calls, takes one more
  // round; only a counter that carries in every round runs out of rounds.
  for (int round = 1;; ++round) {
    low = readByte(0);
    const uint32_t again = readByte(1);
    if (again == b1 || round == kTimeReadRounds) break;
    b1 = again;
    b2 = readByte(2);
    b3 = readByte(3);
  }
  return ((b3 << 24) | (b2 << 16) | (b1 << 8) | low) * kSecondsPerCount;
}

bool Instrument::DeviceTest() {
  bool ok = true;
  auto judge = [&ok](bool passed) {
    if (!passed) ok = false;
    return passed ? UnitStatus::Ok : UnitStatus::NotReady;
  };
  if (hasModel()) {
    const DeviceModel &m = model();
    const uint8_t id = busRead(m.potentiostatRegister);
    lastTest_.potentiostat = judge(id == m.identification[0] || id == m.identification[1]);
  }
  lastTest_.adConverter = judge(busRead(kCardMode) == kCardIdentification);
  lastTest_.daConverter = judge(busRead(kCardMode) == kCardIdentification);
  busWrite(kTimerStop, 0);
  busWrite(kTimerReset, 0);
  const uint8_t first = busRead(kTimerByte0);
  for (int i = 0; i < 10; ++i) busWrite(kTimerStart, 0);
  const uint8_t second = busRead(kTimerByte0);
  lastTest_.timer = judge(first == 0 && second != 0);
  return ok;
}
