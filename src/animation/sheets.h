// The frame table of the twelve sprite sheets: where each frame lies in its sheet. A sheet is
// one strip, frame 1 at the left edge, every frame H rows high, two empty columns between frames
// (three after one frame in two of the slots).
#pragma once

#include <array>
#include <cstddef>

namespace pelea::sheets {

inline constexpr int kSlots = 12;
inline constexpr int kMaxFrames = 47;
inline constexpr int kGap = 2;
inline constexpr int kWideGap = 3;

struct SheetRow {
    const char* file;
    int h;             // rows of every frame
    int altura;        // the fighter's drawing height, stored when the sheet is loaded
    int n;             // frame count
    int wideGapAfter;  // frame followed by three empty columns, 0 for none
    std::array<int, kMaxFrames> widths;  // frames 1..n
};

// One row per slot, slot 1 first.
inline constexpr std::array<SheetRow, kSlots> kSheets{{
    {"C01.bmp", 160, 160, 45, 0, {65,  64, 64,  74,  78,  78,  106, 70,  106, 44, 115, 77,
                                  83,  87, 84,  95,  82,  88,  64,  138, 88,  61, 78,  98,
                                  123, 56, 63,  133, 141, 72,  74,  77,  68,  88, 93,  67,
                                  114, 99, 137, 70,  109, 112, 91,  67,  85}},
    {"C02.bmp", 160, 162, 45, 0, {58,  59,  58,  70,  98,  62,  89,  98,  75, 84, 110, 87,
                                  96,  112, 110, 120, 88,  84,  105, 125, 65, 81, 112, 56,
                                  104, 75,  90,  123, 151, 79,  59,  89,  45, 46, 65,  78,
                                  92,  125, 55,  65,  102, 105, 80,  57,  103}},
    {"C03.bmp", 145, 147, 47, 0, {50,  53, 51, 73,  74,  71,  98, 52,  79, 43, 98, 65,
                                  82,  84, 69, 90,  57,  81,  63, 107, 47, 61, 85, 78,
                                  113, 49, 57, 111, 129, 74,  48, 65,  62, 53, 63, 69,
                                  73,  63, 63, 45,  46,  110, 81, 81,  83, 73, 82}},
    {"C04.bmp", 149, 149, 45, 0, {62,  62,  75,  71,  80,  65,  96, 71,  85,  75, 124, 81,
                                  87,  99,  95,  118, 81,  110, 69, 125, 66,  55, 72,  54,
                                  115, 72,  85,  121, 141, 79,  62, 81,  107, 97, 70,  79,
                                  119, 122, 140, 152, 146, 91,  96, 80,  62}},
    {"C05.bmp", 144, 144, 47, 0, {51, 55, 54,  63,  75,  56,  90,  62,  79,  53,  79,  72,
                                  79, 92, 85,  101, 72,  94,  72,  96,  69,  84,  102, 65,
                                  96, 52, 54,  103, 134, 81,  41,  72,  37,  88,  57,  60,
                                  62, 66, 107, 61,  114, 119, 118, 118, 107, 113, 111}},
    {"C06.bmp", 190, 190, 44, 24, {76,  60, 63,  78,  92,  83,  131, 100, 93,  55, 129,
                                   80,  82, 112, 119, 123, 76,  104, 81,  169, 72, 85,
                                   133, 93, 146, 85,  75,  151, 164, 104, 101, 77, 57,
                                   58,  81, 95,  104, 100, 92,  99,  132, 64,  73, 116}},
    {"C07.bmp", 160, 160, 46, 0, {56,  44, 59, 83,  90,  66,  99,  70,  89, 53, 102, 81,
                                  83,  91, 93, 105, 85,  105, 65,  108, 85, 72, 86,  68,
                                  100, 63, 56, 119, 133, 98,  72,  90,  92, 92, 85,  64,
                                  70,  76, 76, 130, 156, 71,  127, 112, 52, 91}},
    {"C08.bmp", 160, 160, 43, 0, {39, 66, 56, 79,  88,  59, 72, 67,  96, 69, 84, 57,  79,  92,  75,
                                  92, 68, 99, 85,  101, 50, 85, 100, 77, 90, 57, 44,  117, 138, 77,
                                  56, 87, 84, 115, 42,  83, 66, 86,  83, 56, 52, 124, 112}},
    {"C09.bmp", 150, 150, 44, 0, {46, 45, 48, 59, 68,  54,  79, 57, 68,  81,  109, 63, 76,  85,  78,
                                  93, 68, 88, 97, 111, 73,  91, 97, 58,  102, 50,  48, 112, 118, 70,
                                  41, 63, 44, 44, 123, 124, 80, 65, 107, 41,  48,  59, 84,  87}},
    {"C10.bmp", 155, 155, 44, 0, {56, 65, 82, 66, 78, 62, 78,  56, 80, 83,  86, 72, 72, 84,  83,
                                  94, 72, 93, 90, 99, 51, 53,  99, 53, 93,  60, 67, 99, 139, 73,
                                  48, 72, 34, 65, 95, 86, 100, 59, 54, 129, 79, 72, 67, 43}},
    {"C11.bmp", 155, 155, 42, 0, {49,  44,  47, 62,  72, 47,  89, 51, 90, 69, 92,  89, 93, 102,
                                  95,  107, 89, 110, 54, 101, 68, 66, 91, 42, 101, 61, 72, 104,
                                  128, 100, 54, 89,  35, 96,  52, 72, 62, 57, 100, 69, 99, 99}},
    {"C12.bmp", 165, 165, 44, 6, {59,  50, 68,  84,  112, 49,  75,  66,  63,  76, 116,
                                  88,  95, 114, 122, 117, 91,  92,  116, 138, 68, 97,
                                  104, 79, 132, 73,  85,  145, 152, 96,  63,  82, 116,
                                  118, 84, 81,  101, 85,  55,  64,  76,  124, 72, 114}},
}};

constexpr const SheetRow& sheet(int slot) {
    return kSheets[static_cast<size_t>(slot - 1)];
}

constexpr int frameWidth(int slot, int k) {
    return sheet(slot).widths[static_cast<size_t>(k - 1)];
}

// Left column of frame k (1..n) of a slot's sheet.
constexpr int frameLeft(int slot, int k) {
    const SheetRow& row = sheet(slot);
    int left = 0;
    for (int i = 1; i < k; ++i) {
        left += row.widths[static_cast<size_t>(i - 1)] + (i == row.wideGapAfter ? kWideGap : kGap);
    }
    return left;
}

// One past the right column of frame k.
constexpr int frameRight(int slot, int k) {
    return frameLeft(slot, k) + frameWidth(slot, k);
}

// The width the whole strip needs: right(N).
constexpr int sheetWidth(int slot) {
    return frameRight(slot, sheet(slot).n);
}

}  // namespace pelea::sheets
