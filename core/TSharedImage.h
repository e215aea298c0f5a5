#pragma once

// The base of reference-counted graphic stores. Holders keep std::shared_ptr references; the
// count of holders is the pointer's use count, and the last release frees the store.
class TSharedImage {
public:
    virtual ~TSharedImage() = default;
};
