#include "ui/SaveKind.h"

#include <cstddef>
#include <iterator>

namespace {

struct KindEntry {
    SaveKind kind;
    const char* description;
    const char* extension;
};

// In the order of the save dialog's type list: an entry's filter index is its place here, from 1.
constexpr KindEntry Kinds[] = {
    {SaveKind::Jpeg, "JPEG Image File", ".jpg"},
    {SaveKind::Icon, "ICO image File", ".ico"},
};

constexpr bool InEnumOrder() {
    for (std::size_t i = 0; i < std::size(Kinds); ++i)
        if (std::size_t(Kinds[i].kind) != i) return false;
    return true;
}
static_assert(InEnumOrder(), "a kind finds its entry by its value");

const KindEntry& EntryOf(SaveKind kind) {
    return Kinds[std::size_t(kind)];
}

}  // namespace

std::optional<SaveKind> SaveKindAt(int filterIndex) {
    if (filterIndex < 1 || filterIndex > int(std::size(Kinds))) return std::nullopt;
    return Kinds[filterIndex - 1].kind;
}

const char* ExtensionOf(SaveKind kind) {
    return EntryOf(kind).extension;
}

std::string SaveDialogFilter() {
    std::string filter;
    for (const KindEntry& entry : Kinds) {
        const std::string pattern = std::string("*") + entry.extension;
        if (!filter.empty()) filter += '|';
        filter += std::string(entry.description) + " (" + pattern + ")|" + pattern;
    }
    return filter;
}
