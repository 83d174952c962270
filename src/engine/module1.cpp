#include "module1.h"

#include "platform/forms/runtime_error.h"

namespace Module1 {

SongTableType SongTable;

SongRecord& SongTableType::operator()(int index) {
    if (index < 0 || index > SongTableLast)
        throw forms::RuntimeError(forms::ErrorNumber::SubscriptOutOfRange, "Subscript out of range");
    return records_[static_cast<size_t>(index)];
}

void SongTableType::Reset() {
    for (auto& r : records_) r = SongRecord{};
}

} // namespace Module1
