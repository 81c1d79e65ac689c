#include "engine/ToneTable.h"

namespace grayden {

ToneTable identityTable() {
    ToneTable table{};
    for (int i = 0; i < LevelCount; ++i) table[i] = static_cast<std::uint16_t>(32 * i);
    return table;
}

}  // namespace grayden
