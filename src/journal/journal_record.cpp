#include "journal/journal_record.h"

#include <algorithm>

#include "graph/scaling.h"
#include "measurement/parameters.h"

namespace {

// The parameter texts by the names their .dpv keys have.
struct NamedText {
  const char *name;
  QString ParameterTexts::*field;
};

const NamedText kNamedTexts[] = {{"C min", &ParameterTexts::currMin},
                                 {"C max", &ParameterTexts::currMax},
                                 {"Damping", &ParameterTexts::damping},
                                 {"P start", &ParameterTexts::potStart},
                                 {"P end", &ParameterTexts::potEnd},
                                 {"Sweep speed", &ParameterTexts::sweep},
                                 {"Pulse amplitude", &ParameterTexts::amplitude},
                                 {"Pulse period", &ParameterTexts::period},
                                 {"Data accumulation", &ParameterTexts::accumulation},
                                 {"Preelectrolysis time", &ParameterTexts::preTime},
                                 {"Preelectrolysis potential", &ParameterTexts::prePot}};

const QString kCurrUnitName = QStringLiteral("C units");
const QString kDampingUnitName = QStringLiteral("Damping units");

void restoreText(const QString &name, const QString &text, ParameterTexts &texts) {
  // The unit texts come back as the selection they were, none included.
  if (name == kCurrUnitName) {
    texts.currUnitIndex = static_cast<int>(kCurrentUnitNames.indexOf(text));
    return;
  }
  if (name == kDampingUnitName) {
    texts.dampingUnitIndex = static_cast<int>(kDampingUnitNames.indexOf(text));
    return;
  }
  for (const NamedText &t : kNamedTexts)
    if (name == QLatin1String(t.name)) texts.*t.field = text;
}

}  // namespace

JournalHeader journalHeader(const MeasurementRecord &record) {
  JournalHeader header;
  header.dateTime = record.document.runDateTime;
  header.pointCount = record.params.pulseNumber;
  const ParameterTexts &texts = record.texts;
  for (const NamedText &t : kNamedTexts) header.texts.emplace_back(QLatin1String(t.name), texts.*t.field);
  header.texts.emplace_back(kCurrUnitName, texts.currUnitText());
  header.texts.emplace_back(kDampingUnitName, texts.dampingUnitText());
  header.description = record.document.description;
  return header;
}

void restoreJournaledRun(const JournalContents &journal, MeasurementRecord &record) {
  const JournalHeader &header = journal.header;
  // A run unzooms before it starts, so its texts are those of the full axes.
  record.leaveZoom();
  for (const auto &[name, text] : header.texts) restoreText(name, text, record.texts);
  PrePotEditChange(record);
  PreTimeEditChange(record);
  XYFactors(record);
  record.document.description = header.description;
  record.document.runDateTime = header.dateTime;
  record.display.runTimeInfo = QStringLiteral("Run time: ") + header.dateTime;
  record.display.runHint = QStringLiteral("Start of measurement: ") + header.dateTime;

  const size_t count = journal.points.size();
  record.document.points.assign(std::max(static_cast<size_t>(std::max(header.pointCount, 0)), count), 0.0);
  std::copy(journal.points.begin(), journal.points.end(), record.document.points.begin());
  // Points 0 .. pointIndex are the measured ones, and a save writes exactly those.
  record.document.pointIndex = static_cast<int32_t>(count) - 1;

  record.runState = RunIdle;
  record.display.panels.clear();
  record.document.dataSaved = false;
  record.document.askFileName = true;
  record.document.dataFileName.clear();
}
