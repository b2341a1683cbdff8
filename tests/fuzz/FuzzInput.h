// Turns a fuzzer's bytes into the small values a target needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool Empty() const { return at_ >= size_; }
    uint8_t Byte() { return Empty() ? 0 : data_[at_++]; }
    int Number(int low, int high) { return low + Byte() % (high - low + 1); }
    // A short text from an alphabet that reaches the interesting characters: blanks, quotes, backslashes,
    // dots of ".lnk" and ".exe", letters in both cases.
    std::string Text(size_t longest)
    {
        static const char alphabet[] = " \t\"\\.lnkexLNKEXabC:*%d#1";
        const size_t length = Byte() % (longest + 1);
        std::string text;
        for (size_t i = 0; i < length && !Empty(); ++i)
            text += alphabet[Byte() % (sizeof(alphabet) - 1)];
        return text;
    }
    // The rest of the input, as it is.
    std::string Rest()
    {
        std::string rest(reinterpret_cast<const char*>(data_ + at_), size_ - at_);
        at_ = size_;
        return rest;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

// A fuzz target's invariant: a broken one aborts, which the fuzzer reports with its input.
#define FUZZ_CHECK(condition) \
    do {                      \
        if (!(condition))     \
            __builtin_trap(); \
    } while (0)
