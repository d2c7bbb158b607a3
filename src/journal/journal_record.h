#pragma once
// Between the journal and the measurement record: the one file that reads or
// fills the record's fields for the journal.

#include "core/measurement_record.h"
#include "journal/journal_file.h"
#include "journal/journal_reader.h"

// The header of the run that starts with the record as it stands: the
// parameter texts a .dpv file keeps, the description, the date-time and the
// run's point count.
JournalHeader journalHeader(const MeasurementRecord &record);

// Puts a journaled run into the record as a stopped run leaves it, with only
// the points the journal holds: the texts (and the parameters and axes derived
// from them), the description, the date-time, the storage sized to the run's
// point count with the journaled points at its start and pointIndex at the
// last of them, idle and unsaved. Saving the record then writes the .dpv a
// save of the run would have written had it stopped after those points.
void restoreJournaledRun(const JournalContents &journal, MeasurementRecord &record);
