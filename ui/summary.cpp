#include "ui/summary.h"

namespace tovrik {

float SharePercent(std::int32_t part, std::int32_t whole) {
    return static_cast<float>(static_cast<double>(std::int64_t{part} * 100) / static_cast<double>(whole));
}

float KillDeathRatio(std::int32_t kills, std::int32_t deaths) {
    return static_cast<float>(static_cast<double>(kills) / static_cast<double>(deaths));
}

}  // namespace tovrik
