#include <gtest/gtest.h>

#include "core/Errors.h"
#include "formats/TMetafile.h"
#include "tests/formats/BmpFixtures.h"

namespace {

// Placeable WMF header: key, handle, bounding box, units per inch, reserved, checksum; then
// a few bytes standing for the records.
std::vector<std::uint8_t> Placeable(int left, int top, int right, int bottom, int unitsPerInch) {
    BmpBytes b;
    b.U32(0x9AC6CDD7).U16(0).U16(std::uint32_t(left)).U16(std::uint32_t(top));
    b.U16(std::uint32_t(right)).U16(std::uint32_t(bottom)).U16(std::uint32_t(unitsPerInch)).U32(0).U16(0);
    b.U16(1).U16(9).U16(0x300).Fill(12, 0);
    return b.data;
}

// EMF header: type 1, size, bounds, frame in 0.01 mm, " EMF" signature and the rest zero.
std::vector<std::uint8_t> Enhanced(int frameRight, int frameBottom) {
    BmpBytes b;
    b.U32(1).U32(88).U32(0).U32(0).U32(99).U32(99);  // type, size, bounds in pixels
    b.U32(0).U32(0).U32(std::uint32_t(frameRight)).U32(std::uint32_t(frameBottom));  // frame
    b.U32(0x464D4520).Fill(44, 0);
    return b.data;
}

void Read(TMetafile& metafile, const std::vector<std::uint8_t>& bytes) {
    TMemoryStream stream = StreamOf(bytes);
    metafile.ReadFromStream(stream);
}

TEST(Metafile, SizeComesFromTheHeaderAtScreenResolution) {
    TMetafile wmf, emf;
    Read(wmf, Placeable(-100, 0, 1340, 720, 1440));  // 1440 units per inch: 1 x 0.5 inches
    EXPECT_EQ(wmf.Width(), 96);
    EXPECT_EQ(wmf.Height(), 48);
    EXPECT_FALSE(wmf.Enhanced());
    Read(emf, Enhanced(2540, 1270));  // 25.4 x 12.7 mm
    EXPECT_EQ(emf.Width(), 96);
    EXPECT_EQ(emf.Height(), 48);
    EXPECT_TRUE(emf.Enhanced());
    EXPECT_FALSE(emf.IsEmpty());

    emf.SetWidth(5);  // ignored: the size is the metafile's own
    EXPECT_EQ(emf.Width(), 96);
}

TEST(Metafile, KeepsItsBytesThroughCopiesAndStoredForm) {
    const auto bytes = Enhanced(254, 254);
    TMetafile original, copy, stored;
    Read(original, bytes);
    copy.CopyFrom(&original);
    TMemoryStream written;
    copy.WriteToStream(written);
    EXPECT_EQ(written.Data(), bytes);

    TMemoryStream data;
    original.WritePictureData(data);
    data.SetPosition(0);
    stored.ReadPictureData(data);
    EXPECT_EQ(stored.Width(), 10);

    copy.CopyFrom(nullptr);
    EXPECT_TRUE(copy.IsEmpty());
}

TEST(Metafile, AnythingElseIsRefused) {
    TMetafile metafile;
    const auto emf = Enhanced(10, 10);
    const std::vector<std::uint8_t> cutEmf(emf.begin(), emf.begin() + 60);
    for (const auto& bytes : {std::vector<std::uint8_t>(200, 0), Placeable(0, 0, 10, 10, 0), cutEmf,
                              std::vector<std::uint8_t>()}) {
        EXPECT_THROW(Read(metafile, bytes), EInvalidGraphic);
        EXPECT_TRUE(metafile.IsEmpty());
    }
}

}  // namespace
