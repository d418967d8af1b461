#include "ui/text_fit.h"

#include <optional>

namespace lumenpoll {
namespace {

// The text with all but keep characters of text[from, to) replaced by the ellipsis, the
// first half of those kept (the larger, when odd) before it.
std::string shortened(const std::string& text, std::size_t from, std::size_t to, std::size_t keep,
                      std::string_view ellipsis) {
  const std::size_t front = (keep + 1) / 2;
  const std::size_t back = keep - front;
  std::string result = text.substr(0, from + front);
  result += ellipsis;
  result += text.substr(to - back);
  return result;
}

// The most characters of text[from, to) that can stay with the ellipsis in room: the width
// grows with what is kept, so the largest that fits is found by halving. Nothing when even
// the ellipsis alone in their place does not fit.
std::optional<std::string> shortened_to_fit(const std::string& text, std::size_t from,
                                            std::size_t to, int room, const TextMeasure& measure,
                                            std::string_view ellipsis) {
  if (measure(shortened(text, from, to, 0, ellipsis)) > room) return std::nullopt;
  std::size_t fits = 0;
  std::size_t too_many = to - from;  // all of it does not fit, or the text would have
  while (too_many - fits > 1) {
    const std::size_t keep = fits + (too_many - fits) / 2;
    (measure(shortened(text, from, to, keep, ellipsis)) <= room ? fits : too_many) = keep;
  }
  return shortened(text, from, to, fits, ellipsis);
}

}  // namespace

std::string fit_text(const std::string& text, int room, const TextMeasure& measure,
                     std::string_view ellipsis) {
  if (text.empty() || measure(text) <= room) return text;
  const std::size_t blank = text.find(' ');
  const std::size_t dot = text.rfind('.');
  if (blank != std::string::npos && dot != std::string::npos && dot > blank + 1) {
    if (auto name_cut = shortened_to_fit(text, blank + 1, dot, room, measure, ellipsis))
      return *name_cut;
  }
  if (auto cut = shortened_to_fit(text, 0, text.size(), room, measure, ellipsis)) return *cut;
  return std::string(ellipsis);
}

}  // namespace lumenpoll
