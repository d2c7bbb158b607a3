// The main window's comparison commands: reference curves over the graph
// (File menu) and blank subtraction (Work menu).
#include <QAction>
#include <QMessageBox>
#include <QStatusBar>

#include "app/ui/sdimain.h"
#include "files/ui/file_commands.h"
#include "graph/graph_interaction.h"
#include "graph/ui/graph_view.h"
#include "references/blank_subtraction.h"
#include "references/graph_references.h"
#include "references/ui/reference_dialogs.h"

void TSDIAppForm::connectReferenceCommands() {
  connect(AddReference1, &QAction::triggered, this, &TSDIAppForm::AddReference1Click);
  connect(RemoveReferences1, &QAction::triggered, this, &TSDIAppForm::RemoveReferences1Click);
  connect(SubtractBlank1, &QAction::triggered, this, &TSDIAppForm::SubtractBlank1Click);
  graph->addOverlay([this](QPainter &painter, const MeasurementRecord &record, const GraphColors &colors) {
    drawGraphReferences(painter, references_, record, colors);
  });
}

void TSDIAppForm::addReferences(const QStringList &paths) {
  const QString skipped = references_.add(record_, paths);
  if (!skipped.isEmpty()) statusBar()->showMessage(skipped);
  graph->DrawGraph();
}

void TSDIAppForm::AddReference1Click() {
  const QStringList paths = askReferenceFiles(this, files_->initialDirectory());
  if (!paths.isEmpty()) addReferences(paths);
}

void TSDIAppForm::RemoveReferences1Click() {
  references_.clear();
  graph->DrawGraph();
}

void TSDIAppForm::SubtractBlank1Click() {
  if (runActive()) return;
  // The points are replaced: an unsaved measurement is offered for saving first.
  if (!askToSaveData()) return;
  const QString path = askBlankFile(this, files_->initialDirectory());
  if (path.isEmpty()) return;
  QString error;
  const Subtraction result = subtractBlankFile(record_, path, &error);
  if (result == Subtraction::CannotRead) {
    QMessageBox::critical(this, kTitle, error);
    return;
  }
  if (result == Subtraction::NotCovered) {
    QMessageBox::warning(this, kTitle, error);
    return;
  }
  clearMarkerReadouts(record_);
  syncFromRecord();
  graph->DrawGraph();
}
