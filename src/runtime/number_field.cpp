// A field of a data file read as one number.
#include "runtime/number_field.h"

#include "runtime/number_parse.h"

#include <string>

namespace tarvek {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

bool startsNumber(std::string_view rest)
{
  if (!rest.empty() && (rest[0] == '+' || rest[0] == '-'))
    rest.remove_prefix(1);
  return !rest.empty() && (isDigit(rest[0]) || rest[0] == '.' || rest[0] == ',');
}

FieldNumber readNumberField(std::string_view field)
{
  const std::size_t first = field.find_first_not_of(" \t");
  if (first == std::string_view::npos)
    return {};
  std::string text(field.substr(first, field.find_last_not_of(" \t") + 1 - first));
  std::size_t i = 0;
  const auto digits = [&] {
    const std::size_t start = i;
    while (i < text.size() && isDigit(text[i]))
      ++i;
    return i - start;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    ++i;
  std::size_t mantissa = digits();
  if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
    text[i++] = '.';
    mantissa += digits();
  }
  if (mantissa == 0)
    return {};
  if (i < text.size() && std::string_view("EeDd").find(text[i]) != std::string_view::npos) {
    const std::size_t letter = i++;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
      ++i;
    if (digits() == 0)
      i = letter;
    else
      text[letter] = 'E';
  }
  if (startsNumber(std::string_view(text).substr(i)))
    return {FieldNumber::Kind::TwoNumbers};
  text.resize(i);
  const std::optional<double> value = leadingNumber(text);
  if (!value)
    return {FieldNumber::Kind::TooLarge};
  return {FieldNumber::Kind::Number, *value};
}

} // namespace tarvek
