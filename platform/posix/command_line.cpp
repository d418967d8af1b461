#include "platform/posix/command_line.h"

namespace lumenpoll {

namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

class Splitter {
 public:
  explicit Splitter(const std::string& text) : text_(text) {}

  std::vector<std::string> run() {
    while (i_ < text_.size()) {
      const char c = text_[i_];
      if (is_blank(c) && !quoted_) {
        end_argument();
        ++i_;
      } else if (c == '\\') {
        backslashes();
      } else if (c == '"') {
        quote();
      } else {
        append(std::string(1, c));
        ++i_;
      }
    }
    end_argument();
    return std::move(arguments_);
  }

 private:
  void backslashes() {
    std::size_t count = 0;
    while (i_ < text_.size() && text_[i_] == '\\') {
      ++count;
      ++i_;
    }
    if (i_ == text_.size() || text_[i_] != '"') {
      append(std::string(count, '\\'));
      return;
    }
    append(std::string(count / 2, '\\'));
    if (count % 2 == 1) {
      append("\"");
      ++i_;
    }
  }

  void quote() {
    if (quoted_ && i_ + 1 < text_.size() && text_[i_ + 1] == '"') {
      append("\"");
      i_ += 2;
      return;
    }
    quoted_ = !quoted_;
    started_ = true;
    ++i_;
  }

  void append(const std::string& s) {
    current_ += s;
    started_ = true;
  }

  void end_argument() {
    if (started_) arguments_.push_back(std::move(current_));
    current_.clear();
    started_ = false;
  }

  const std::string& text_;
  std::size_t i_ = 0;
  bool quoted_ = false;
  bool started_ = false;
  std::string current_;
  std::vector<std::string> arguments_;
};

}  // namespace

std::vector<std::string> split_command_line(const std::string& parameters) {
  return Splitter(parameters).run();
}

}  // namespace lumenpoll
