#pragma once

#include <QDir>
#include <QFile>
#include <QString>

namespace grayden::test {

// The temporary folder that holds this test run's configuration and runtime folders.
extern QString testHome;

}  // namespace grayden::test
