#include "cycle/script_names.h"

#include <algorithm>
#include <string_view>

#include "base/operator_texts.h"
#include "base/text.h"

namespace lumenpoll {

std::string name_refusal(const std::string& base_name) {
  if (base_name.empty()) return operator_texts::kNameIsOnlyExtension;
  // ? and * are wildcards to the interpreter, and no Windows name holds them: the listers
  // put ? where a name holds a character the station's code page cannot.
  constexpr std::string_view kSpecial = "&|<>^%!\"(),;=?*";
  const bool plain = std::none_of(base_name.begin(), base_name.end(), [&](char c) {
    return static_cast<unsigned char>(c) <= ' ' || kSpecial.find(c) != std::string_view::npos;
  });
  return plain ? std::string() : operator_texts::kNameHoldsOddCharacters;
}

std::string image_name(std::string_view path) {
  const std::string name(text::file_name(path));
  return text::left(name, static_cast<int>(name.size()) - 4);
}

}  // namespace lumenpoll
