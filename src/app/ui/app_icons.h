#pragma once
// Small drawn icons for the tool bar and the program, so the program looks the
// same on every desktop theme.

#include <QIcon>
#include <functional>

enum class AppIcon { Program, New, Open, Save, Cut, Copy, Paste, Print, ViewData, Meter, Run, Stop, Peaks };

QIcon appIcon(AppIcon kind);

// Adds to `icon` the pictures a request of `size` device pixels needs.
using DeferredIconFill = std::function<void(QIcon &icon, QSize size)>;

// An icon whose pictures are made only when something shows it or asks its size.
QIcon deferredIcon(DeferredIconFill fill);
