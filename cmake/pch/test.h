#include "ui.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>
