#include "core/autoformat.h"

namespace dorvak {

AutoformatPresets AutoformatPresets::defaults() {
  AutoformatPresets presets;
  presets.oneRowPresets = {{{7, 3, 0}, {7, 2, 0}, {7, 1, 0}, {6, 2, 0}, {6, 1, 0}, {5, 2, 0},
                            {5, 1, 0}, {4, 2, 0}, {4, 1, 0}, {3, 2, 0}, {3, 1, 0}, {2, 2, 0},
                            {2, 1, 0}, {1, 2, 0}, {1, 1, 0}, {0, 1, 0}}};
  PresetTable twoRow{};  // free entries (255, 255, 0)
  const PresetEntry used[] = {{3, 2, 0}, {3, 1, 0}, {2, 2, 0}, {2, 1, 0}, {1, 2, 0}, {1, 1, 0}, {0, 1, 0}};
  for (std::size_t i = 0; i < std::size(used); ++i) twoRow[i] = used[i];
  presets.twoRowFirstPresets = twoRow;
  presets.twoRowSecondPresets = twoRow;
  return presets;
}

}  // namespace dorvak
