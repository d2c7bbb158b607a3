#include "calibration/open_circuit_readout.h"

#include "calibration/meter_readout.h"
#include "core/measurement_record.h"
#include "instrument/instrument.h"

OpenCircuitReadout::OpenCircuitReadout(Instrument &instrument, const MeasurementRecord &record, ReadoutClock &clock)
    : instrument_(instrument), record_(record), clock_(clock) {}

void OpenCircuitReadout::activate() {
  instrument_.PotentiometerOn(record_.params.maxAbsPotential);
  readPotential_.restart(instrument_.PotentiometerGetPotential());
}

void OpenCircuitReadout::deactivate() { instrument_.PotentiometerOff(); }

QString OpenCircuitReadout::rangeName() const { return instrument_.meterRangeName(); }

QString OpenCircuitReadout::tick() {
  readPotential_.update([this] { return instrument_.PotentiometerGetPotential(); }, clock_);
  return formatOpenCircuitReadout(readPotential_.value());
}
