#pragma once

// The fields of a key place on the keyboard picture, as the key geometry
// lists them: key index, x, y, width, height, and for the tall Enter the
// width and height of its ear left of the place.
namespace KeyPlace {
enum Field { Key, X, Y, Width, Height, EarWidth, EarHeight, FieldsWithEar };
}
