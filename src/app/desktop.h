#pragma once

#include <QStringList>
#include <QUrl>

// What the main window asks of the desktop around it.
namespace Desktop {

// The maker's web site and shop, opened from the main window's picture.
QList<QUrl> makerSites();

// Calculator programs tried in turn; tests may replace the list.
QStringList calculatorPrograms();
void setCalculatorPrograms(const QStringList &programs);

// Starts the first calculator that can be started; false when none can.
bool startCalculator();

}  // namespace Desktop
