#pragma once

#include <QKeySequence>

#include <vector>

class QKeyEvent;

namespace grayden {

struct Accelerator {
    QKeyCombination keys;
    int command = 0;
};

// Reads accelerator resource N; an empty table when it is missing (the menus still work).
std::vector<Accelerator> loadAcceleratorTable(int id);

// The command of the first row matching the key press, or 0. Rows match only the exact
// modifiers they name, as virtual-key accelerators do.
int matchAccelerator(const std::vector<Accelerator>& table, const QKeyEvent& event);

}  // namespace grayden
