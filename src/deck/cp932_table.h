#pragma once

// Code page 932 (Windows-31J) as published, for systems whose platform has no
// converter for it. A 0 stands for bytes that are no character (byte 0x00 aside,
// which is the unit 0 itself).
constexpr int kCp932LeadCount = 60;
extern const unsigned char kCp932Lead[kCp932LeadCount];     // 0x81-0x9F, 0xE0-0xFC
extern const char16_t kCp932Single[256];                    // lead bytes give 0 here
extern const char16_t kCp932Pair[kCp932LeadCount][256];     // [lead's row][second byte]
