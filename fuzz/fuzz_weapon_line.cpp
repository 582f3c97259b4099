// The weapon line normalisation and field access: any line either gives its
// fields or raises the one run-time error, nothing else.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/run_error.h"
#include "engine/weapon_line.h"

namespace {

template <typename Call>
void Guarded(Call call) {
    try {
        call();
    } catch (const tovrik::RunError& error) {
        if (std::string(error.what()).empty()) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string line(reinterpret_cast<const char*>(data), size);
    Guarded([&] {
        std::string record = tovrik::NormalizeWeaponLine(line);
        // Splitting and joining again gives the record back.
        std::string joined;
        for (std::string_view field : tovrik::SplitRecord(record)) joined += std::string(field) + "|";
        if (!record.empty()) joined.pop_back();
        if (joined != record) std::abort();
    });
    for (int index = -1; index <= 6; ++index)
        Guarded([&] {
            std::string field = tovrik::GetWeaponField(line, index);
            for (int part : {0, 1}) Guarded([&] { tovrik::GetSlashPart(field, part); });
            Guarded([&] { tovrik::ToInteger(field); });
            Guarded([&] { tovrik::ToSingle(field); });
        });
    return 0;
}
