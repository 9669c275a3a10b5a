#pragma once

// Ways to turn fuzz input bytes into field text, each reaching different parts of the reader.

#include <cstddef>
#include <cstdint>
#include <string>

namespace quorel::fuzz {

// Pairs of bytes as UTF-16 code units, lone surrogates included.
inline std::u16string asUtf16(const std::uint8_t *data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    return text;
}

// One code unit per byte. Bytes with the high bit set stand for the full-width form of the
// ASCII character in their low seven bits (the ideographic blank for a blank), so that the
// fuzzer mixes full-width and ASCII characters cheaply.
inline std::u16string asWideOrNarrow(const std::uint8_t *data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned low = data[i] & 0x7fu;
        if (data[i] < 0x80) {
            text.push_back(static_cast<char16_t>(data[i]));
        } else if (low == 0x20) {
            text.push_back(u'\u3000');
        } else if (low > 0x20 && low < 0x7f) {
            text.push_back(static_cast<char16_t>(0xfee0 + low));
        } else {
            text.push_back(static_cast<char16_t>(data[i]));
        }
    }
    return text;
}

// UTF-8 as a text field would receive it, invalid sequences as U+FFFD.
inline std::u16string asUtf8(const std::uint8_t *data, std::size_t size) {
    std::u16string text;
    std::size_t i = 0;
    while (i < size) {
        const unsigned lead = data[i];
        const int length = lead < 0x80                   ? 1
                           : lead >= 0xc2 && lead < 0xe0 ? 2
                           : lead >= 0xe0 && lead < 0xf0 ? 3
                           : lead >= 0xf0 && lead < 0xf5 ? 4
                                                         : 0;
        char32_t code = length == 1 ? lead : lead & (0x7fu >> length);
        bool valid = length > 0 && i + length <= size;
        for (int k = 1; valid && k < length; ++k) {
            valid = (data[i + k] & 0xc0) == 0x80;
            code = (code << 6) | (data[i + k] & 0x3fu);
        }
        static const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && code >= smallest[length] && code <= 0x10ffff &&
                (code < 0xd800 || code > 0xdfff);
        if (!valid) {
            text.push_back(u'\ufffd');
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            text.push_back(static_cast<char16_t>(0xd800 + ((code - 0x10000) >> 10)));
            text.push_back(static_cast<char16_t>(0xdc00 + ((code - 0x10000) & 0x3ff)));
        } else {
            text.push_back(static_cast<char16_t>(code));
        }
        i += static_cast<std::size_t>(length);
    }
    return text;
}

} // namespace quorel::fuzz
