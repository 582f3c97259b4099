// The weapon line normalisation and field access: any line either gives its
// fields or raises the one run-time error, nothing else.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

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
    std::string record;
    std::vector<std::string_view> fields;
    Guarded([&] {
        tovrik::NormalizeWeaponLine(line, record);
        // Splitting and joining again gives the record back.
        tovrik::SplitRecord(record, fields);
        std::string joined;
        for (std::string_view field : fields) joined += std::string(field) + "|";
        if (!record.empty()) joined.pop_back();
        if (joined != record) std::abort();
    });
    for (int index = -1; index <= 6; ++index)
        Guarded([&] {
            std::string field(tovrik::RecordField(fields, record, index));
            for (int part : {0, 1}) Guarded([&] { tovrik::GetSlashPart(field, part); });
            Guarded([&] { tovrik::ToInteger(field); });
            Guarded([&] { tovrik::ToSingle(field); });
        });
    return 0;
}
