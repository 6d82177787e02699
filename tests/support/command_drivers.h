#pragma once
// Command sequences that several tests send, whatever backend is below the
// device object: the expected device state is the same everywhere.
#include <QByteArray>
#include <QList>

class Hid_Thread;

// A recognisable block of `length` bytes, different for each seed.
QByteArray pattern(int length, int seed);

// What the keyboard pages send, to device 0.
struct KeyboardPage
{
    QByteArray matrix = pattern(512, 1);
    QByteArray macro = pattern(512, 2);   // macro slot 3
    QByteArray picture = pattern(128, 3); // picture 4
    QByteArray colours = pattern(24, 4);  // the eight stage colours
    // Effect mode 2, brightness 254, speed 3, direction 1; options 9 8 7 6;
    // current key matrix 2. Returns the options the keyboard reads back.
    QList<int> apply(Hid_Thread &device) const;
};
