#pragma once
// The command-line forms of the file commands, without windows:
//   dpv --export-text IN.dpv OUT.txt   open IN as File > Open does, write the text export
//   dpv --resave IN.dpv OUT.dpv        open IN, save it again as OUT
//   dpv --peaks IN.dpv OUT.csv         open IN, write the peaks of its curve as
//                                      the graph shows it ("-": standard output)
// All start from the settings file of the program folder, as the program
// does. They return the process exit code: 0 when done; otherwise a message
// is printed on stderr.

#include <QString>

int exportTextCommand(const QString &in, const QString &out);
int resaveCommand(const QString &in, const QString &out);
int peaksCommand(const QString &in, const QString &out);
