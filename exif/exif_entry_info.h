#pragma once

#include <cstdint>
#include <string>

// One IFD entry as read from the file. Rationals are kept only for types 5 and 10, at most
// kMaxRationals of them; text only for type 2.
struct CExifEntryInfo {
    static constexpr int kMaxRationals = 10;

    std::uint16_t m_nTag = 0;
    std::uint16_t m_nType = 0;
    std::uint32_t m_nCount = 0;
    std::int32_t m_nValue = 0;
    std::uint32_t m_nNumerator[kMaxRationals] = {};
    std::uint32_t m_nDenominator[kMaxRationals] = {};
    std::string m_strText;
    std::int16_t m_nIfd = 0;
};
