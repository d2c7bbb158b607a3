#pragma once
// Random files made of the pieces real and damaged measurement files are made
// of, so they reach the reader's branches more often than random bytes would.

#include <QByteArray>
#include <QRandomGenerator>
#include <iterator>

inline QByteArray randomDamagedFile(QRandomGenerator &random) {
  static const char *const kPieces[] = {"[Setup]",
                                        "[Info]",
                                        "[Data]",
                                        "[",
                                        "]",
                                        "=",
                                        "\r\n",
                                        "\n",
                                        "\r",
                                        "C min=",
                                        "C max=",
                                        "C units=",
                                        "nA",
                                        "Damping=",
                                        "Damping units=",
                                        "ms",
                                        "P start=",
                                        "P end=",
                                        "Sweep speed=",
                                        "Pulse period=",
                                        "Pulse amplitude=",
                                        "Data accumulation=",
                                        "Preelectrolysis time=",
                                        "Preelectrolysis potential=",
                                        "Date time=",
                                        "-",
                                        "1e308",
                                        "1e-320",
                                        "0",
                                        "12.5",
                                        "-7",
                                        "nan",
                                        "inf",
                                        "1e99999",
                                        " ",
                                        "\t",
                                        "\xff\xfe",
                                        "\xc3\xa9",
                                        "\xEF\xBB\xBF",
                                        "\xE2\x80\xA8",
                                        "\xC2\xA0",
                                        "99999999999",
                                        "+.5E+3"};
  QByteArray bytes;
  const int pieces = random.bounded(60);
  for (int i = 0; i < pieces; ++i) {
    if (random.bounded(5) == 0)
      bytes += static_cast<char>(random.bounded(256));
    else
      bytes += kPieces[random.bounded(static_cast<int>(std::size(kPieces)))];
  }
  return bytes;
}
