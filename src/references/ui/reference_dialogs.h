#pragma once
// The file dialogs of the comparison commands: File > "Add reference
// curve..." (one or more files) and Work > "Subtract blank..." (one file).

#include <QString>
#include <QStringList>

class QWidget;

// The chosen .dpv files, empty when the user cancels.
QStringList askReferenceFiles(QWidget *parent, const QString &directory);
// The chosen blank, empty when the user cancels.
QString askBlankFile(QWidget *parent, const QString &directory);
