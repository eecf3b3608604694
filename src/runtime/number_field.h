// A field of a data file read as one number.
#pragma once

#include <string_view>

namespace tarvek {

// What a field of a data file holds. "," counts as "." and Fortran's "D"
// exponent ("2.579040D-02") as "E"; blanks and tabs around the field are
// skipped, and text after the number that starts no further number is left
// unread ("12.5abc" is 12.5).
struct FieldNumber {
  enum class Kind {
    Number,
    // No number starts the field.
    None,
    // A second number follows the first at once ("1,234.5", "1-2").
    TwoNumbers,
    // The value lies beyond the double range.
    TooLarge,
  };
  Kind kind = Kind::None;
  double value = 0.0;

  bool ok() const { return kind == Kind::Number; }
};

FieldNumber readNumberField(std::string_view field);

// Whether a number starts the text: a sign, then a digit or a decimal sign
// ("." or ","). A field's number ends where the text after it starts none.
bool startsNumber(std::string_view rest);

} // namespace tarvek
