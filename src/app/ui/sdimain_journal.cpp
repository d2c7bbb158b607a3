// The run journal in the main window: a run never saved comes back at start.
#include <QMessageBox>

#include "app/ui/sdimain.h"
#include "graph/graph_interaction.h"
#include "journal/journal_reader.h"
#include "journal/journal_record.h"
#include "journal/run_journal.h"

void TSDIAppForm::offerJournaledRun() {
  const JournalContents journal = readJournal(journal_->path());
  if (journal.status != JournalContents::Status::Found) return;
  const QString question = QStringLiteral("A measurement of %1 was not saved (%2 points). Restore it?")
                               .arg(journal.header.dateTime)
                               .arg(journal.points.size());
  if (QMessageBox::question(this, kTitle, question, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
    restoreJournaledRun(journal, record_);
    clearMarkerReadouts(record_);
    syncFromRecord();
    Redraw();
    return;
  }
  if (QMessageBox::warning(this, kTitle, QStringLiteral("The measurement will be lost. Delete it?"),
                           QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
    journal_->discard();
}

void TSDIAppForm::measurementSaved() { journal_->discard(); }
