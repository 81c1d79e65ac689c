#include "editor/window/AcceleratorTable.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QKeyEvent>

#include "render/ResourceFiles.h"

namespace grayden {

std::vector<Accelerator> loadAcceleratorTable(int id) {
    std::vector<Accelerator> table;
    const QJsonObject root = loadResourceJson(QString("accelerators%1.json").arg(id));
    for (const QJsonValue& v : root.value("entries").toArray()) {
        const QJsonObject o = v.toObject();
        const QKeySequence keys = QKeySequence::fromString(o.value("key").toString(), QKeySequence::PortableText);
        const int command = o.value("command").toInt();
        if (keys.count() == 1 && command != 0) table.push_back({keys[0], command});
    }
    return table;
}

int matchAccelerator(const std::vector<Accelerator>& table, const QKeyEvent& event) {
    constexpr Qt::KeyboardModifiers relevant =
        Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier;
    const Qt::KeyboardModifiers held = event.modifiers() & relevant;
    for (const Accelerator& a : table) {
        if (a.keys.key() == event.key() && a.keys.keyboardModifiers() == held) return a.command;
    }
    return 0;
}

}  // namespace grayden
