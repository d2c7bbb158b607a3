#pragma once
// Records, files and dialog answers shared by the data file tests.

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QString>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "core/measurement_record.h"
#include "factory_texts.h"
#include "graph/scaling.h"
#include "measurement/parameters.h"
#include "modal_answer.h"

// A record as the main window holds it after start-up with these texts:
// -500..500 mV at 10 mV/s and 50 ms (2000 points), current axis -100..100 uA.
inline MeasurementRecord sampleRecord() {
  MeasurementRecord r;
  r.texts = factoryTexts();
  r.texts.potStart = "-500";
  r.texts.potEnd = "500";
  PrePotEditChange(r);
  PreTimeEditChange(r);
  XYFactors(r);
  r.params.dampingFactor = 0;
  r.params.dampingRest = 1;
  r.document.dataSaved = true;
  r.document.askFileName = true;
  return r;
}

inline QByteArray readBytes(const QString &path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeBytes(const QString &path, const QByteArray &bytes) {
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write(bytes);
}

// Types a name into a file dialog as the user does, so it replaces any
// file selected in the list.
inline void typeFileName(QFileDialog *dialog, const QString &name) {
  auto *edit = dialog->findChild<QLineEdit *>("fileNameEdit");
  QApplication::setActiveWindow(dialog);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, name);
}
