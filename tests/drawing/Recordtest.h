#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "file/Prtstream.h"

// Helpers of the record tests: the bytes an object writes, and reading them back.
template <class T>
std::vector<uint8_t> BytesOf(const T& v)
{
    TPrtWriter w;
    v.Write(w);
    return w.bytes();
}

// Reads `bytes` into `into` with `read` and reports how many bytes were left.
template <class T, class F>
size_t ReadInto(const std::vector<uint8_t>& bytes, T& into, F read)
{
    TPrtReader r(bytes.data(), bytes.size());
    read(r, into);
    return r.remaining();
}

// Writes v, reads the bytes into a fresh object, writes that again: the two
// byte sequences must agree and the reader must use every byte.
template <class T>
T RoundTrip(const T& v)
{
    const std::vector<uint8_t> first = BytesOf(v);
    T back;
    EXPECT_EQ(ReadInto(first, back, [](TPrtReader& r, T& o) { o.Read(r); }), 0u);
    EXPECT_EQ(BytesOf(back), first);
    return back;
}
