#include "image/io/ByteReader.h"

#include <gtest/gtest.h>

TEST(ByteReader, ReadsLittleEndianAndGivesZerosPastTheEnd)
{
    const uint8_t data[] = {0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xAB};
    ByteReader reader(data, sizeof data);
    EXPECT_EQ(reader.Get16(), 0x1234);
    EXPECT_EQ(reader.Get32(), 0x12345678u);
    EXPECT_FALSE(reader.RanOut());
    EXPECT_EQ(reader.Get16(), 0x00AB); // one real byte, one zero
    EXPECT_TRUE(reader.RanOut());
    EXPECT_EQ(reader.Get32(), 0u);
    EXPECT_EQ(reader.Position(), sizeof data);
}

TEST(ByteReader, ReadZeroFillsWhatTheInputLacks)
{
    const uint8_t data[] = {1, 2, 3};
    ByteReader reader(data, sizeof data);
    uint8_t out[6] = {9, 9, 9, 9, 9, 9};
    EXPECT_EQ(reader.Read(out, sizeof out), 3u);
    const uint8_t expected[] = {1, 2, 3, 0, 0, 0};
    EXPECT_EQ(0, memcmp(out, expected, sizeof out));
    EXPECT_TRUE(reader.RanOut());
}

TEST(ByteReader, SkipAndSeekStopAtTheEnd)
{
    const uint8_t data[] = {1, 2, 3, 4};
    ByteReader reader(data, sizeof data);
    reader.Skip(2);
    EXPECT_EQ(reader.Get8(), 3);
    reader.Seek(1);
    EXPECT_EQ(reader.Get8(), 2);
    EXPECT_FALSE(reader.RanOut());
    reader.Skip(1000);
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_TRUE(reader.RanOut());
    ByteReader other(data, sizeof data);
    other.Seek(~size_t(0));
    EXPECT_EQ(other.Position(), sizeof data);
    ByteReader empty(nullptr, 10);
    EXPECT_EQ(empty.Get8(), 0);
}
