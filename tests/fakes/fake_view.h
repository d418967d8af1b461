#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ui/form_view.h"

namespace lumenpoll::fakes {

// Keeps what the window would show, and counts what was done to it.
class FakeView : public FormView {
 public:
  std::map<std::string, std::string> captions;
  std::map<std::string, std::vector<std::string>> items;
  std::map<std::string, int> item_index;
  std::map<std::pair<int, int>, std::string> cells;  // (col, row)
  GridRect selection;
  int selection_sets = 0;  // one per chart refresh
  bool window_closed = false;

  void SetCaption(const std::string& control, const std::string& text) override {
    captions[control] = text;
  }
  void ClearItems(const std::string& control) override {
    items[control].clear();
    item_index[control] = -1;
  }
  void AddItem(const std::string& control, const std::string& text) override {
    items[control].push_back(text);
  }
  void SetItemIndex(const std::string& control, int index) override { item_index[control] = index; }
  void SetCell(int col, int row, const std::string& text) override { cells[{col, row}] = text; }
  void SetGridSelection(const GridRect& rect) override {
    selection = rect;
    ++selection_sets;
  }
  void CloseWindow() override { window_closed = true; }

  std::string cell(int col, int row) const {
    auto c = cells.find({col, row});
    return c == cells.end() ? std::string() : c->second;
  }
};

}  // namespace lumenpoll::fakes
