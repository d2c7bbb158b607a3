#pragma once
// Small drawn icons for the tool bar and the program, so the program looks the
// same on every desktop theme.

#include <QIcon>

enum class AppIcon { Program, New, Open, Save, Cut, Copy, Paste, Print, ViewData, Meter, Run, Stop, Peaks };

QIcon appIcon(AppIcon kind);
