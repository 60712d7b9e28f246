#pragma once

// The kinds of token the tokeniser hands to the grammar, numbered as the grammar counts them.
enum class JsonToken {
    Error = -1,
    Eof = 0, // end of the input available so far
    ArrayStart = 1,
    ArrayEnd = 2,
    ObjectStart = 3,
    ObjectEnd = 4,
    ValueSeparator = 5,
    KeyValueSeparator = 6,
    Number = 7,
    String = 8,
    True = 9,
    False = 10,
    Null = 11,
};
