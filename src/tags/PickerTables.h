#pragma once

namespace PickerTables {
extern const char *const symbols[]; // 74 entities: text TAB description
extern const int symbolCount;
extern const char *const tags[];    // 80 tags: opening TAB closing
extern const int tagCount;
} // namespace PickerTables
