#pragma once
// Where each key of the five keyboard pictures lies. The pictures are drawn
// from this table and the UI's key hot spots read the same numbers (the build
// writes them out as keyGeometry.js), so the two cannot drift apart.
//
// Positions are in quarter key units: a key is 4 × 4. Column and row are
// those of the UI key index (6 × column + row).

namespace art {

enum Edition { AnyEdition, UkOnly, UsOnly };
// IsoEnter: the rectangle is the tall lower part (and the hot spot); the
// picture adds the upper row's ear one quarter unit to its left.
enum Shape { Plain, IsoEnter };

struct KeyPlace
{
    int column, row;
    int x, y, w, h;
    Edition edition = AnyEdition;
    Shape shape = Plain;
};

inline constexpr KeyPlace kKeyPlaces[] = {
    // Row 0: Esc, F1 … F12, Prt Scr Pau.
    {0, 0, 0, 0, 4, 4},
    {2, 0, 8, 0, 4, 4}, {3, 0, 12, 0, 4, 4}, {4, 0, 16, 0, 4, 4}, {5, 0, 20, 0, 4, 4},
    {6, 0, 26, 0, 4, 4}, {7, 0, 30, 0, 4, 4}, {8, 0, 34, 0, 4, 4}, {9, 0, 38, 0, 4, 4},
    {10, 0, 44, 0, 4, 4}, {11, 0, 48, 0, 4, 4}, {12, 0, 52, 0, 4, 4}, {13, 0, 56, 0, 4, 4},
    {14, 0, 61, 0, 4, 4}, {15, 0, 65, 0, 4, 4}, {16, 0, 69, 0, 4, 4},
    // Row 0 above the keypad: four keys without a name of their own, which
    // can still be assigned and lit.
    {17, 0, 74, 0, 4, 4}, {18, 0, 78, 0, 4, 4}, {19, 0, 82, 0, 4, 4}, {20, 0, 86, 0, 4, 4},
    // Row 1: ` 1 … 0 - = Back, Ins Hom Pgu, Num / * -.
    {0, 1, 0, 5, 4, 4}, {1, 1, 4, 5, 4, 4}, {2, 1, 8, 5, 4, 4}, {3, 1, 12, 5, 4, 4},
    {4, 1, 16, 5, 4, 4}, {5, 1, 20, 5, 4, 4}, {6, 1, 24, 5, 4, 4}, {7, 1, 28, 5, 4, 4},
    {8, 1, 32, 5, 4, 4}, {9, 1, 36, 5, 4, 4}, {10, 1, 40, 5, 4, 4}, {11, 1, 44, 5, 4, 4},
    {12, 1, 48, 5, 4, 4}, {13, 1, 52, 5, 8, 4},
    {14, 1, 61, 5, 4, 4}, {15, 1, 65, 5, 4, 4}, {16, 1, 69, 5, 4, 4},
    {17, 1, 74, 5, 4, 4}, {18, 1, 78, 5, 4, 4}, {19, 1, 82, 5, 4, 4}, {20, 1, 86, 5, 4, 4},
    // Row 2: Tab Q … P [ ], the US backslash, Del End PgD, 7 8 9 +.
    {0, 2, 0, 9, 6, 4}, {1, 2, 6, 9, 4, 4}, {2, 2, 10, 9, 4, 4}, {3, 2, 14, 9, 4, 4},
    {4, 2, 18, 9, 4, 4}, {5, 2, 22, 9, 4, 4}, {6, 2, 26, 9, 4, 4}, {7, 2, 30, 9, 4, 4},
    {8, 2, 34, 9, 4, 4}, {9, 2, 38, 9, 4, 4}, {10, 2, 42, 9, 4, 4}, {11, 2, 46, 9, 4, 4},
    {12, 2, 50, 9, 4, 4}, {13, 2, 54, 9, 6, 4, UsOnly},
    {14, 2, 61, 9, 4, 4}, {15, 2, 65, 9, 4, 4}, {16, 2, 69, 9, 4, 4},
    {17, 2, 74, 9, 4, 4}, {18, 2, 78, 9, 4, 4}, {19, 2, 82, 9, 4, 4}, {20, 2, 86, 9, 4, 8},
    // Row 3: Caps A … L ; ', the UK hash key, Enter (tall on UK editions), 4 5 6.
    // The hash key sits in row 3 of the picture but is the matrix's column 13,
    // row 2 (the US backslash's place), which is what the keyboard reports.
    {0, 3, 0, 13, 7, 4}, {1, 3, 7, 13, 4, 4}, {2, 3, 11, 13, 4, 4}, {3, 3, 15, 13, 4, 4},
    {4, 3, 19, 13, 4, 4}, {5, 3, 23, 13, 4, 4}, {6, 3, 27, 13, 4, 4}, {7, 3, 31, 13, 4, 4},
    {8, 3, 35, 13, 4, 4}, {9, 3, 39, 13, 4, 4}, {10, 3, 43, 13, 4, 4}, {11, 3, 47, 13, 4, 4},
    {13, 2, 51, 13, 4, 4, UkOnly},
    {13, 3, 51, 13, 9, 4, UsOnly}, {13, 3, 55, 9, 5, 8, UkOnly, IsoEnter},
    {17, 3, 74, 13, 4, 4}, {18, 3, 78, 13, 4, 4}, {19, 3, 82, 13, 4, 4},
    // Row 4: LShift (short on UK editions, with the ISO key), Z … /, RShift, Up, 1 2 3 Enter.
    {0, 4, 0, 17, 9, 4, UsOnly}, {0, 4, 0, 17, 5, 4, UkOnly}, {1, 4, 5, 17, 4, 4, UkOnly},
    {2, 4, 9, 17, 4, 4}, {3, 4, 13, 17, 4, 4}, {4, 4, 17, 17, 4, 4}, {5, 4, 21, 17, 4, 4},
    {6, 4, 25, 17, 4, 4}, {7, 4, 29, 17, 4, 4}, {8, 4, 33, 17, 4, 4}, {9, 4, 37, 17, 4, 4},
    {10, 4, 41, 17, 4, 4}, {11, 4, 45, 17, 4, 4}, {13, 4, 49, 17, 11, 4},
    {15, 4, 65, 17, 4, 4},
    {17, 4, 74, 17, 4, 4}, {18, 4, 78, 17, 4, 4}, {19, 4, 82, 17, 4, 4}, {20, 4, 86, 17, 4, 8},
    // Row 5: LCtrl LWin LAlt Space RAlt Fn App RCtrl, arrows, 0 and the point.
    {0, 5, 0, 21, 5, 4}, {1, 5, 5, 21, 5, 4}, {2, 5, 10, 21, 5, 4}, {6, 5, 15, 21, 25, 4},
    {10, 5, 40, 21, 5, 4}, {11, 5, 45, 21, 5, 4}, {12, 5, 50, 21, 5, 4}, {13, 5, 55, 21, 5, 4},
    {14, 5, 61, 21, 4, 4}, {15, 5, 65, 21, 4, 4}, {16, 5, 69, 21, 4, 4},
    {17, 5, 74, 21, 8, 4}, {19, 5, 82, 21, 4, 4},
};

// Picture scale: 8.5 px per quarter unit (34 px keys), a margin round the case.
inline constexpr double kQuarter = 8.5;
inline constexpr int kMargin = 16;
inline constexpr int kPictureWidth = int(90 * kQuarter) + 2 * kMargin;
inline constexpr int kPictureHeight = int(25 * kQuarter) + 2 * kMargin + 1;

struct PictureEdition
{
    const char *name;
    bool uk;
    int yOffset;     // dusken sits one pixel lower in its case
    unsigned accent; // the case's trim colour
};

inline constexpr PictureEdition kEditions[] = {
    {"tarnelUK", true, 0, 0x09347f},
    {"tarnelUS", false, 0, 0x09347f},
    {"sovrinUK", true, 0, 0xea5413},
    {"sovrinUS", false, 0, 0xea5413},
    {"duskenUS", false, 1, 0x969696},
};

inline bool placedOn(const KeyPlace &key, bool uk)
{
    return key.edition == AnyEdition || (key.edition == UkOnly) == uk;
}

} // namespace art
